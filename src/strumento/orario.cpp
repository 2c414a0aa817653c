#include "strumento/orario.h"

#include <cmath>
#include <cstdio>

#include "modello/windows1252.h"
#include "resoconto/diagnostiche.h"
#include "strumento/cartelle.h"
#include "strumento/uscite.h"
#include "verifica/verifica.h"

namespace gara::strumento {

namespace {

using orario::decimi;

using nlohmann::ordered_json;

std::string secondi(const std::optional<double>& s) { return s ? decimi(*s) + " s" : "-"; }

// A column of the table: the text, padded to its width by characters.
std::string colonna(const std::string& t, std::size_t larghezza, bool a_destra = false) {
  std::size_t caratteri = 0;
  for (char c : t)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++caratteri;
  const std::string spazi(caratteri < larghezza ? larghezza - caratteri : 0, ' ');
  return a_destra ? spazi + t : t + spazi;
}

std::string margine(const orario::tratta& t) {
  const auto m = t.margine();
  if (!m) return "-";
  return decimi(*m) + " s (" + decimi(*m / *t.tempo_stimato * 100.0) + " %)";
}

template <class T>
ordered_json o_null(const std::optional<T>& v) {
  return v ? ordered_json(*v) : ordered_json(nullptr);
}

void scrivi_testo(const orario::risultato_orario& r, const esito_verifica& solo, const sorgenti& d,
                  const opzioni_orario_comando& o, std::ostream& out) {
  if (!r.calcolato) {
    out << "Le descrizioni non si compilano: i tempi si calcolano quando gli errori sono corretti.\n\n";
    scrivi_verifica(solo, d, out, o.massimo);
    return;
  }
  const auto da_dove = [](bool dato) { return dato ? " (opzione)" : " (dalla scheda)"; };
  out << "Rango delle tavole di velocità massima: "
      << (r.rango ? std::string(1, *r.rango) + da_dove(!o.rango.empty()) : std::string("nessuno (tavole ignorate)"))
      << "\n";
  out << "Velocità massima del treno: "
      << (r.velocita_massima ? std::to_string(*r.velocita_massima) + " km/h" + da_dove(o.velocita_massima.has_value())
                             : std::string("nessuna"))
      << "\n";
  const orario::treno_nominale& t = o.treno_nominale;
  out << "Treno nominale: massa frenata " << decimi(t.percentuale_massa_frenata.value_or(r.percentuale_massa_frenata))
      << " %" << (t.percentuale_massa_frenata ? " (opzione)" : " (dalla descrizione)") << ", "
      << decimi(t.potenza_specifica) << " kW/t, massa aderente " << decimi(t.quota_massa_aderente * 100.0)
      << " %, resistenza " << t.resistenza_a << " + " << t.resistenza_b << " v + " << t.resistenza_c
      << " v² N/kN, margine di regolarità " << decimi(t.margine_regolarita) << " %\n";
  out << "Il tempo minimo usa i soli limiti della linea (vale per ogni treno); il tempo stimato anche le "
         "tavole del rango e la velocità massima del treno.\n\n";
  if (r.tratte.empty()) {
    out << "Nessuna tratta.\n";
  } else {
    out << colonna("da", 22) << colonna("a", 22) << colonna("distanza", 10, true) << colonna("orario", 10, true)
        << colonna("minimo", 10, true) << colonna("stimato", 10, true) << "  margine\n";
    for (const orario::tratta& x : r.tratte) {
      out << colonna(da_windows1252(r.stazioni[x.da].nome), 22) << colonna(da_windows1252(r.stazioni[x.a].nome), 22)
          << colonna(std::to_string(x.distanza()) + " m", 10, true)
          << colonna(x.tempo_orario ? std::to_string(*x.tempo_orario) + " s" : "-", 10, true)
          << colonna(secondi(x.tempo_minimo), 10, true) << colonna(secondi(x.tempo_stimato), 10, true) << "  "
          << margine(x) << "\n";
    }
  }
  out << "\n";
  scrivi_verifica(solo, d, out, o.massimo);
}

ordered_json json_di(const orario::risultato_orario& r, const esito_verifica& solo) {
  ordered_json j;
  j["calcolato"] = r.calcolato;
  j["rango"] = r.rango ? ordered_json(std::string(1, *r.rango)) : ordered_json(nullptr);
  j["velocita_massima"] = o_null(r.velocita_massima);
  j["tratte"] = ordered_json::array();
  for (const orario::tratta& x : r.tratte) {
    j["tratte"].push_back({{"da", da_windows1252(r.stazioni[x.da].nome)},
                           {"a", da_windows1252(r.stazioni[x.a].nome)},
                           {"da_metro", x.da_metro},
                           {"a_metro", x.a_metro},
                           {"distanza", x.distanza()},
                           {"tempo_orario", o_null(x.tempo_orario)},
                           {"tempo_minimo", o_null(x.tempo_minimo)},
                           {"tempo_stimato", o_null(x.tempo_stimato)},
                           {"margine", o_null(x.margine())}});
  }
  const ordered_json v = verifica_json(solo);
  j["diagnostiche"] = v.at("diagnostiche");
  j["errori"] = solo.errori;
  j["avvisi"] = solo.avvisi;
  return j;
}

}  // namespace

int comando_orario(const opzioni_orario_comando& o, std::ostream& out, std::ostream& err) {
  const auto s = scenario_della_cartella(o.cartella, o.percorso, o.treno, err);
  if (!s) return uscita::uso;
  const identita& id = s->id;
  const sorgenti& d = s->descrizioni;

  const esito_verifica e = verifica(d, {id.nome_percorso, id.nome_treno, true});
  orario::opzioni_orario oo;
  oo.treno = o.treno_nominale;
  if (!o.rango.empty()) oo.rango = o.rango.front();
  oo.velocita_massima = o.velocita_massima;
  const orario::risultato_orario r = calcola_orario(e, d.treno.nome, s->scheda, oo);

  // The check's errors first when there are any: where the compile stops
  // on one, the times wait for it.
  esito_verifica solo;
  std::vector<diagnostica> tutte;
  for (const diagnostica& x : e.diagnostiche)
    if (x.livello == gravita::errore) tutte.push_back(x);
  tutte.insert(tutte.end(), r.diagnostiche.begin(), r.diagnostiche.end());
  orario::aggiungi_a_verifica(solo, tutte);

  if (o.formato == "json")
    out << json_di(r, solo).dump(2, ' ', false, ordered_json::error_handler_t::replace) << "\n";
  else
    scrivi_testo(r, solo, d, o, out);
  const bool fallita = o.severo && (solo.errori > 0 || solo.avvisi > 0);
  return fallita ? uscita::codice_errore : uscita::riuscita;
}

}  // namespace gara::strumento
