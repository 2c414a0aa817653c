#include <string>

#include "elenchi/elenchi.h"
#include "modello/voce_linea.h"
#include "modello/windows1252.h"
#include "vista/testi.h"

namespace gara::elenchi {

namespace {

bool numeri_nulli(const voce_linea& v) {
  return v.tipo_stazione == 0 && v.valore1 == 0 && v.valore2 == 0 && v.valore3 == 0 &&
         v.byte_a == 0 && v.intero_a == 0 && v.intero_b == 0 && v.intero_c == 0 &&
         v.intero_d == 0 && v.intero_e == 0 && v.byte_b == 0 && v.byte_c == 0 && v.byte_d == 0 &&
         v.byte_e == 0 && v.orario == 0;
}

bool vuota(const voce_linea& v) { return numeri_nulli(v) && v.testo.empty(); }

// Stations fill the records from 1 upward and the direction-board texts
// from 80 downward: a record there with a text and no number is a board's.
bool testo_di_cartello(int i, const voce_linea& v) {
  return i >= voce::prima_stazione && i <= voce::primo_cartello && numeri_nulli(v);
}

std::string t(int64_t n) { return std::to_string(n); }

// What the record holds, in words, from its place in the table.
std::string ruolo(int i, const voce_linea& v) {
  if (i == 0) return "voce 0, che il compilatore non riempie mai";
  if (testo_di_cartello(i, v)) return "testo di un cartello indicatore";
  if (i >= voce::prima_stazione && i <= voce::primo_cartello)
    return "stazione " + t(i) + ": marciapiede dal metro " + t(v.valore1) + " al metro " +
           t(v.valore2) + ", stazione al metro " + t(v.valore3) + ", tipo " + t(v.tipo_stazione) +
           ", orario " + vista::ora_del_giorno(v.orario);
  if (i >= voce::progressiva_tre && i <= voce::progressiva_uno)
    return "progressiva chilometrica: " + t(v.valore1) + ", " + t(v.valore2) + ", " + t(v.valore3);
  if (i == voce::generale)
    return "dati generali: massa frenata " + t(v.valore1) + "%, lunghezza del percorso " +
           t(v.valore2) + " m, " + t(v.valore3) + " vetture";
  if (i == voce::sfondi)
    return "sfondi uno " + t(v.valore1) + ", due " + t(v.valore3) + ", tre " + t(v.valore2) +
           "; nome del percorso; timbro del formato " + t(v.intero_a) + " (intero_a); "
           "codice_gara_st " + t(v.orario) + " (orario)";
  if (i == voce::treno)
    return "ripetizione segnali dal metro " + t(v.valore1) + " al metro " + t(v.valore2) + ", " +
           t(v.valore3) + " codici; nome del treno; sabbia " + t(v.intero_a) + "; orologio " +
           t(v.intero_c) + " " + t(v.intero_d) + " " + t(v.intero_e);
  return "voce libera";
}

}  // namespace

void elenca_tabella(const tabella& tab, std::ostream& out) {
  out << tab.size() << " voci (0-" << tab.size() - 1 << ")\n";
  std::size_t vuote = 0;
  for (std::size_t k = 0; k < tab.size(); ++k) {
    const int i = static_cast<int>(k);
    const voce_linea& v = tab[k];
    if (vuota(v)) {
      ++vuote;
      continue;
    }
    out << "\nvoce " << i << ": \"" << vista::testo_stampabile(v.testo) << "\"\n"
        << "  " << ruolo(i, v) << "\n"
        << "  tipo_stazione=" << +v.tipo_stazione << " valore1=" << v.valore1
        << " valore2=" << v.valore2 << " valore3=" << v.valore3 << " byte_a=" << +v.byte_a
        << " lunghezza del testo=" << v.testo.size() << "\n"
        << "  intero_a=" << v.intero_a << " intero_b=" << v.intero_b << " intero_c=" << v.intero_c
        << " intero_d=" << v.intero_d << " intero_e=" << v.intero_e << " byte_b=" << +v.byte_b
        << " byte_c=" << +v.byte_c << " byte_d=" << +v.byte_d << " byte_e=" << +v.byte_e
        << " orario=" << v.orario << "\n";
  }
  out << "\n" << vuote << " voci vuote non elencate\n";
}

nlohmann::ordered_json tabella_json(const tabella& tab) {
  nlohmann::ordered_json elenco = nlohmann::ordered_json::array();
  for (std::size_t i = 0; i < tab.size(); ++i) {
    const voce_linea& v = tab[i];
    elenco.push_back({{"voce", i},
                      {"tipo_stazione", v.tipo_stazione},
                      {"valore1", v.valore1},
                      {"valore2", v.valore2},
                      {"valore3", v.valore3},
                      {"byte_a", v.byte_a},
                      {"testo", da_windows1252(v.testo)},
                      {"intero_a", v.intero_a},
                      {"intero_b", v.intero_b},
                      {"intero_c", v.intero_c},
                      {"intero_d", v.intero_d},
                      {"intero_e", v.intero_e},
                      {"byte_b", v.byte_b},
                      {"byte_c", v.byte_c},
                      {"byte_d", v.byte_d},
                      {"byte_e", v.byte_e},
                      {"orario", v.orario}});
  }
  return elenco;
}

}  // namespace gara::elenchi
