#include "editore/forme_voci.h"

#include <array>
#include <limits>
#include <string>

#include "modello/windows1252.h"

namespace gara::editore {

namespace {

constexpr int64_t i32_min = std::numeric_limits<int32_t>::min();
constexpr int64_t i32_max = std::numeric_limits<int32_t>::max();
constexpr int64_t i16_min = std::numeric_limits<int16_t>::min();
constexpr int64_t i16_max = std::numeric_limits<int16_t>::max();
constexpr int64_t u8_max = std::numeric_limits<uint8_t>::max();

constexpr campo_voce metri(std::string_view nome, std::string_view spiegazione, std::string_view vincolo = {}) {
  return {nome, spiegazione, unita::metri, i32_min, i32_max, vincolo};
}
constexpr campo_voce intero(std::string_view nome, std::string_view spiegazione, int64_t minimo = i32_min,
                            int64_t massimo = i32_max, unita u = unita::numero) {
  return {nome, spiegazione, u, minimo, massimo, {}};
}

constexpr std::array lunghezza_percorso{
    campo_voce{"lunghezza del percorso", "lunghezza della linea dall'inizio", unita::lunghezza, i32_min, 1000000, {}}};
constexpr std::array progressiva{
    metri("primo valore", "chilometrica della progressiva", "multiplo di 50"),
    metri("secondo valore", "chilometrica della progressiva", "multiplo di 50"),
    intero("terzo valore", "1 aggiunge 100 al secondo valore"),
};
constexpr std::array sfondo{intero("sfondo", "paesaggio di sfondo")};
constexpr std::array ripetizione{
    metri("inizio", "inizio della ripetizione dei segnali", "multiplo di 50"),
    metri("fine", "fine della ripetizione dei segnali", "multiplo di 50"),
};
constexpr std::array pendenza{
    metri("posizione", "metro da cui vale la pendenza"),
    intero("pendenza", "pendenza della linea da qui alla voce seguente"),
};
constexpr std::array curva{
    metri("inizio", "metro in cui comincia la curva"),
    intero("lunghezza", "lunghezza della curva", i32_min, i32_max, unita::lunghezza),
};
constexpr std::array montagna{
    metri("inizio", "metro in cui comincia la montagna"),
    metri("fine", "metro in cui finisce la montagna"),
    intero("tipo", "tipo di montagna"),
};
constexpr std::array indicatori{
    metri("posizione", "metro degli indicatori"),
    intero("vas", "velocità A, lato sinistro", i32_min, i32_max, unita::km_h),
    intero("vbs", "velocità B, lato sinistro", i32_min, i32_max, unita::km_h),
    intero("vcs", "velocità C, lato sinistro", i32_min, i32_max, unita::km_h),
    intero("strisces", "strisce, lato sinistro"),
    intero("vad", "velocità A, lato destro", i32_min, i32_max, unita::km_h),
    intero("vbd", "velocità B, lato destro", i32_min, i32_max, unita::km_h),
    intero("vcd", "velocità C, lato destro", i32_min, i32_max, unita::km_h),
    intero("strisced", "strisce, lato destro"),
};
constexpr std::array cartello{
    metri("posizione", "metro del cartello"),
    campo_voce{"testo", "testo del cartello", unita::testo, 0, 0, {}},
};

constexpr std::array massa_frenata{intero("percentuale massa frenata", "percentuale di massa frenata del treno", i32_min,
                                          i32_max, unita::percento)};
constexpr std::array vetture{intero("numero vetture", "vetture del treno")};
constexpr std::array velocita{
    metri("posizione", "metro da cui vale la velocità"),
    intero("velocità massima", "velocità massima da qui alla voce seguente", 0, 1277, unita::km_h),
};
constexpr std::array aderenza{
    metri("posizione", "metro da cui vale l'aderenza"),
    intero("aderenza", "aderenza da qui alla voce seguente"),
};
constexpr std::array orologio{
    intero("ore", "ora dell'orologio alla partenza", i16_min, i16_max, unita::ore),
    intero("minuti", "minuti dell'orologio alla partenza", i16_min, i16_max, unita::minuti),
    intero("secondi", "secondi dell'orologio alla partenza", i16_min, i16_max, unita::secondi),
};
constexpr std::array sabbia{intero("sabbia", "sabbia a bordo", i16_min, i16_max)};
constexpr std::array segnale{
    metri("posizione", "metro del segnale"),
    intero("sx", "codice del lato sinistro (2: il segnale porta il tempo)"),
    intero("s1", "primo valore del lato sinistro"),
    intero("s2", "secondo valore del lato sinistro"),
    intero("s3", "terzo valore del lato sinistro"),
    intero("rapp", "decine del quarto dato del segnale"),
    intero("dx", "codice del lato destro"),
    intero("d1", "primo valore del lato destro"),
    intero("d2", "secondo valore del lato destro"),
    intero("d3", "terzo valore del lato destro"),
    intero("tempo", "tempo del segnale, se sx è 2 (da 1 a 100 diventa 101)"),
};
constexpr std::array rallentamento{
    metri("x", "metro in cui comincia il rallentamento"),
    intero("v", "velocità del rallentamento", i32_min, i32_max, unita::km_h),
    intero("l", "lunghezza del rallentamento", i32_min, i32_max, unita::lunghezza),
    intero("f_tt", "valore delle tavole di inizio e fine"),
    intero("f_ta", "diverso da 0: numera le quattro celle prima dell'avviso"),
    intero("d_v", "diverso da 0: portato dalle tavole di inizio, fine e avviso"),
};
constexpr std::array abbattimento{
    metri("posizione", "metro dell'abbattimento"),
    intero("valore", "maggiore di 0: tavola con questo valore; altrimenti senza"),
};
constexpr std::array stazione{
    metri("posizione", "metro della stazione", "multiplo di 50"),
    intero("tipo di stazione", "codice del tipo (da 25 in su: senza fine del marciapiede)", 0, u8_max),
    campo_voce{"lunghezza del marciapiede", "con la posizione e il tipo dà l'inizio e la fine del marciapiede",
               unita::lunghezza, i32_min, i32_max, "multiplo di 100"},
    intero("byte_a", "valore portato al simulatore", 0, u8_max),
    intero("byte_e", "valore portato al simulatore (0 sotto i 600 m e per la prima stazione)", 0, u8_max),
    intero("prolungamento", "diverso da 0: marciapiede più lungo di 50 m alla fine", 0, u8_max),
    intero("intero_a", "valore portato al simulatore", i16_min, i16_max),
    intero("intero_b", "valore portato al simulatore", i16_min, i16_max),
    intero("byte_b", "valore portato al simulatore", 0, u8_max),
    intero("intero_c", "valore portato al simulatore", i16_min, i16_max),
    intero("intero_d", "valore portato al simulatore", i16_min, i16_max),
    intero("intero_e", "valore portato al simulatore", i16_min, i16_max),
    intero("byte_c", "valore portato al simulatore", 0, u8_max),
    intero("ore", "ora dell'orario della stazione", i32_min, i32_max, unita::ore),
    intero("minuti", "minuti dell'orario della stazione", i32_min, i32_max, unita::minuti),
    intero("secondi", "secondi dell'orario della stazione", i32_min, i32_max, unita::secondi),
    campo_voce{"nome", "nome della stazione", unita::testo, 0, 0, {}},
};

// The order of each description's reader: a field with two keywords reads
// the values of the first entry of this table first.
const std::array forme{
    forma_voce{"lunghezza percorso", "lunghezza della linea", lunghezza_percorso, true},
    forma_voce{"progressiva chilometrica tre", "terza progressiva chilometrica", progressiva, true},
    forma_voce{"progressiva chilometrica due", "seconda progressiva chilometrica", progressiva, true},
    forma_voce{"progressiva chilometrica uno", "prima progressiva chilometrica", progressiva, true},
    forma_voce{"sfondo uno", "primo sfondo", sfondo, true},
    forma_voce{"sfondo due", "secondo sfondo", sfondo, true},
    forma_voce{"sfondo tre", "terzo sfondo", sfondo, true},
    forma_voce{"ripetizione segnali 4 codici", "ripetizione dei segnali in cabina (4 o 9 codici)", ripetizione, true},
    forma_voce{"pendenza", "pendenza della linea da un metro in poi", pendenza, true},
    forma_voce{"curvad4", "curva: d a destra, s a sinistra; la cifra da 1 (raggio 10000 m) a 6 (circa 333 m)", curva,
               true},
    forma_voce{"montagna", "montagna accanto alla linea", montagna, true},
    forma_voce{"indicatori_vmax", "indicatori della velocità massima, a sinistra e a destra", indicatori, true},
    forma_voce{"cartello_indicatore", "cartello indicatore con un breve testo", cartello, true},
    forma_voce{"percentuale massa frenata", "percentuale di massa frenata", massa_frenata, false},
    forma_voce{"numero vetture", "numero di vetture del treno", vetture, false},
    forma_voce{"velocita", "velocità massima della linea da un metro in poi", velocita, false},
    forma_voce{"aderenza", "aderenza da un metro in poi", aderenza, false},
    forma_voce{"orologio", "ora dell'orologio alla partenza", orologio, false},
    forma_voce{"sabbia", "sabbia a bordo", sabbia, false},
    forma_voce{"segnale", "segnale con i suoi due lati", segnale, false},
    forma_voce{"rallentamento", "rallentamento con il suo avviso 1200 m prima", rallentamento, false},
    forma_voce{"abbattimento", "abbattimento, con o senza tavola", abbattimento, false},
    forma_voce{"stazione", "stazione con il suo marciapiede e l'orario", stazione, false},
};

bool ha(const std::string& r, std::string_view parola) { return r.find(parola) != std::string::npos; }

// The readers' tests for each entry above, on the field in lower case.
bool corrisponde(std::size_t i, const std::string& r) {
  switch (i) {
    case 0: return ha(r, "percorso") && ha(r, "lunghezza");
    case 1: return ha(r, "tre") && ha(r, "progressiva");
    case 2: return ha(r, "due") && ha(r, "progressiva");
    case 3: return ha(r, "uno") && ha(r, "progressiva");
    case 4: return ha(r, "sfondo") && ha(r, "uno");
    case 5: return ha(r, "sfondo") && ha(r, "due");
    case 6: return ha(r, "sfondo") && ha(r, "tre");
    case 7: return ha(r, "segnali") && ha(r, "ripetizione");
    case 8: return ha(r, "pendenza");
    case 9: return ha(r, "curva");
    case 10: return ha(r, "montagna");
    case 11: return ha(r, "indicatori_v");
    case 12: return ha(r, "indicat") && ha(r, "cartello");
    case 13: return ha(r, "frenata") && ha(r, "massa");
    case 14: return ha(r, "vetture");
    case 15: return ha(r, "velocit");
    case 16: return ha(r, "aderenza");
    case 17: return ha(r, "orologio");
    case 18: return ha(r, "sabbia");
    case 19: return ha(r, "segnale");
    case 20: return ha(r, "rallentamento");
    case 21: return ha(r, "abbattimento");
    case 22: return ha(r, "stazione");
    default: return false;
  }
}

// The general block's entries of the line (0 to 7) come before its body's.
constexpr std::size_t prime_del_corpo = 8;

}  // namespace

std::vector<const forma_voce*> forme_di(std::string_view parola, bool della_linea) {
  const std::string r = minuscolo_windows1252(parola);
  std::vector<const forma_voce*> trovate;
  // In the line, an entry of the general block is not one of the body.
  for (std::size_t i = 0; i < forme.size(); ++i) {
    if (forme[i].della_linea != della_linea || !corrisponde(i, r)) continue;
    if (della_linea && i >= prime_del_corpo && !trovate.empty() && trovate.front() < &forme[prime_del_corpo]) break;
    trovate.push_back(&forme[i]);
  }
  return trovate;
}

std::vector<campo_di_forma> campi_di(std::string_view parola, bool della_linea) {
  std::vector<campo_di_forma> campi;
  for (const forma_voce* f : forme_di(parola, della_linea))
    for (const campo_voce& c : f->campi) campi.emplace_back(f, &c);
  return campi;
}

std::span<const forma_voce> tutte_le_forme() { return forme; }

std::string_view nome_unita(unita u) {
  switch (u) {
    case unita::metri:
    case unita::lunghezza: return "metri";
    case unita::km_h: return "km/h";
    case unita::ore: return "ore";
    case unita::minuti: return "minuti";
    case unita::secondi: return "secondi";
    case unita::percento: return "%";
    case unita::numero:
    case unita::testo: return "";
  }
  return "";
}

}  // namespace gara::editore
