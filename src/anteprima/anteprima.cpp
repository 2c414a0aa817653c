#include "anteprima/anteprima.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "disegno/disegno.h"
#include "elenchi/elenchi.h"
#include "modello/misure.h"
#include "modello/windows1252.h"
#include "orario/diagramma.h"
#include "resoconto/diagnostiche.h"
#include "resoconto/resoconto.h"
#include "vista/testi.h"
#include "vista/vista.h"

namespace gara::anteprima {

namespace {

// The inspector looks at most this far from the metre asked for.
constexpr int64_t tolleranza_massima = 100 * misura::metri_cella;

// What a cell holds, in the author's units: the object by name, the speed
// limit in km/h, the gradient (0 is level), the adhesion.
nlohmann::ordered_json valori_leggibili(const cella& x) {
  nlohmann::ordered_json r = nlohmann::ordered_json::array();
  r.push_back(x.tipo == tipo_cella::vuota ? std::string("nessun oggetto") : "oggetto: " + vista::nome_tipo_cella(x.tipo));
  r.push_back("velocità massima: " + std::to_string(int{x.velocita} * misura::km_h_per_unita_velocita) + " km/h");
  const int pendenza = int{x.pendenza} - misura::zero_pendenza;
  r.push_back("pendenza: " + std::string(pendenza > 0 ? "+" : "") + std::to_string(pendenza));
  r.push_back("aderenza: " + std::to_string(int{x.aderenza}));
  return r;
}

std::shared_ptr<const immagine> disegna(const esito_verifica& e, const sorgenti& d) {
  const modello_compilato& s = e.compilazione.modello;
  std::optional<tracciato_metri> tracciato;
  if (s.tracciato.esiste()) tracciato = s.tracciato;
  const auto vista = vista::prepara_vista(s.celle, s.tabella_linea, std::move(tracciato));
  auto disegno = disegno::disegna_scenario(vista);
  auto r = std::make_shared<immagine>();
  r->svg = std::move(disegno.svg);
  r->marcia = orario::diagramma_di_marcia(orario::calcola_orario(e, d.treno.nome, std::nullopt, {}));
  r->profilo_alto = disegno.profilo_alto;
  r->profilo_basso = disegno.profilo_basso;
  r->x_minimo = disegno.x_minimo;
  r->x_massimo = disegno.x_massimo;
  r->metro_minimo = disegno.metro_minimo;
  r->metro_massimo = disegno.metro_massimo;
  r->celle = s.celle;
  r->occupanti = e.occupanti;
  r->descrizioni = d;
  r->voci = voci_con_metro(e.voci_lette, d);
  return r;
}

const char* nome_stato(stato_immagine s) {
  switch (s) {
    case stato_immagine::nessuna:
      return "nessuna";
    case stato_immagine::aggiornata:
      return "aggiornata";
    case stato_immagine::superata:
      return "superata";
    case stato_immagine::con_errori:
      return "con_errori";
  }
  return "nessuna";
}

}  // namespace

nlohmann::ordered_json diagnostiche_json(const esito_verifica& e, const sorgenti& d) {
  nlohmann::ordered_json j = verifica_json(e);
  auto& lista = j["diagnostiche"];
  for (std::size_t i = 0; i < e.diagnostiche.size() && i < lista.size(); ++i) {
    const auto& dove = e.diagnostiche[i].dove;
    if (!dove || dove->linea <= 0) continue;
    if (const descrizione* sorgente = descrizione_di(d, dove->file))
      if (auto riga = riga_mostrata(*sorgente, dove->linea)) lista[i]["sorgente"] = *riga;
  }
  return j;
}

void anteprima::aggiorna(const sorgenti& d) {
  const esito_verifica esito = verifica(d, opzioni_);
  diagnostiche_ = diagnostiche_json(esito, d);
  ++versione_;

  const bool disegnabile = esito.compilazione.binari_da_scrivere();
  if (disegnabile && esito.errori == 0) {
    immagine_ = disegna(esito, d);
    stato_ = stato_immagine::aggiornata;
  } else if (stato_ == stato_immagine::aggiornata || stato_ == stato_immagine::superata) {
    stato_ = stato_immagine::superata;  // the last good picture stays
  } else if (disegnabile) {
    immagine_ = disegna(esito, d);
    stato_ = stato_immagine::con_errori;
  } else {
    immagine_.reset();
    stato_ = stato_immagine::nessuna;
  }
}

nlohmann::ordered_json anteprima::contenuto() const {
  nlohmann::ordered_json j{{"versione", versione_},
                           {"percorso", da_windows1252(opzioni_.nome_percorso)},
                           {"treno", da_windows1252(opzioni_.nome_treno)},
                           {"stato", nome_stato(stato_)}};
  if (immagine_) {
    j["svg"] = immagine_->svg;
    if (!immagine_->marcia.empty()) j["marcia"] = immagine_->marcia;
    j["profilo"] = {{"alto", immagine_->profilo_alto},
                    {"basso", immagine_->profilo_basso},
                    {"x_minimo", immagine_->x_minimo},
                    {"x_massimo", immagine_->x_massimo},
                    {"metro_minimo", immagine_->metro_minimo},
                    {"metro_massimo", immagine_->metro_massimo}};
  }
  for (const auto& [chiave, valore] : diagnostiche_.items()) j[chiave] = valore;
  return j;
}

std::optional<nlohmann::ordered_json> anteprima::ispeziona(int64_t metro, int64_t tolleranza) const {
  if (!immagine_ || immagine_->celle.empty()) return std::nullopt;
  // Objects of cell c stand at 50 (c - 1).
  const int64_t ultima = static_cast<int64_t>(immagine_->celle.size()) - 1;
  // The cell the compile puts an object at metre m in; the metre is brought
  // within the grid's reach first (below).
  const auto cella_di = [ultima](int64_t m) {
    const auto metro32 = static_cast<int32_t>(std::clamp<int64_t>(m, INT32_MIN, INT32_MAX));
    return std::clamp<int64_t>(cella_del_metro(metro32), 0, ultima);
  };
  tolleranza = std::clamp<int64_t>(tolleranza, 0, tolleranza_massima);
  // Far beyond either end every metre finds the end cell: a metre is brought
  // within a tolerance and a cell of it first, so that no sum below can
  // overflow whatever the caller asks.
  const int64_t margine = tolleranza_massima + misura::metri_cella;
  metro = std::clamp<int64_t>(metro, -margine, ultima * misura::metri_cella + margine);
  int64_t c = cella_di(metro);
  int64_t distanza = -1;
  for (int64_t i = cella_di(metro - tolleranza); i <= cella_di(metro + tolleranza); ++i) {
    if (immagine_->celle.at(static_cast<std::size_t>(i)).tipo == tipo_cella::vuota) continue;
    const int64_t d = std::abs(metro_oggetto(i) - metro);
    if (distanza < 0 || d < distanza) {
      distanza = d;
      c = i;
    }
  }
  std::ostringstream riga;
  elenchi::elenca_cella(c, immagine_->celle.at(static_cast<std::size_t>(c)), riga);
  std::string testo = riga.str();
  if (!testo.empty() && testo.back() == '\n') testo.pop_back();

  nlohmann::ordered_json r{{"versione", versione_},
                           {"cella", c},
                           {"metro", metro_oggetto(c)},
                           {"elenco", testo}};
  const auto i = static_cast<std::size_t>(c);
  if (i < immagine_->occupanti.size() && immagine_->occupanti[i]) {
    const luogo& l = *immagine_->occupanti[i];
    r["origine"] = {{"file", l.file}, {"linea", l.linea}, {"colonna", l.colonna}};
    if (const descrizione* sorgente = descrizione_di(immagine_->descrizioni, l.file))
      if (auto testo_voce = riga_mostrata(*sorgente, l.linea)) r["origine"]["testo"] = *testo_voce;
  }
  nlohmann::ordered_json voci = nlohmann::ordered_json::array();
  for (const auto& v : voci_della_cella(immagine_->voci, c))
    voci.push_back({{"file", v.file},
                    {"linea", v.linea},
                    {"metro", v.metro},
                    {"testo", v.testo},
                    {"nella_cella", della_cella(v, c)}});
  r["voci"] = std::move(voci);
  r["valori"] = valori_leggibili(immagine_->celle.at(static_cast<std::size_t>(c)));
  return r;
}

}  // namespace gara::anteprima
