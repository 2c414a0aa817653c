#include "ingressi_ostili.h"

#include "modello/codici.h"

namespace gara::prova {

namespace {

const std::string treno_vuoto = "[generale]\r\n[fine]\r\n";

// A route of the given length with the body lines given.
std::string linea_di(std::string_view corpo, std::string_view lunghezza = "47000") {
  return "[generale]\r\nlunghezza percorso, " + std::string(lunghezza) + "\r\n[curve]\r\n" +
         std::string(corpo) + "[fine]\r\n";
}

std::string treno_di(std::string_view corpo) {
  return "[generale]\r\n" + std::string(corpo) + "[fine]\r\n";
}

std::string ripetuta(std::string_view riga, int volte) {
  std::string r;
  for (int i = 0; i < volte; ++i) r += std::string(riga) + "\r\n";
  return r;
}

// A station of type 12 with a platform of 100 m at the position given.
std::string stazione(std::string_view posizione, std::string_view nome) {
  return "stazione, " + std::string(posizione) + ", 12, 100, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, " +
         std::string(nome) + "\r\n";
}

// More stations than the line table has records for, 500 m apart.
std::string cento_stazioni() {
  std::string t;
  for (int i = 0; i < 100; ++i) t += stazione(std::to_string(1000 + 500 * i), "S" + std::to_string(i));
  return t;
}

std::vector<ingresso_ostile> crea_tabella() {
  using namespace codice;
  const std::string linea_vuota = linea_di("");
  const std::string lunga(100000, 'x');
  const std::string nul("\0", 1);
  std::vector<ingresso_ostile> t = {
      // The line description. Files that hold nothing the reader looks for
      // end in the preamble: nothing is compiled or written, the train
      // description is never opened.
      {"linea_vuota", "", treno_vuoto, generale_mancante, {}, true, false},
      {"linea_di_sole_virgole", std::string(1000, ','), treno_vuoto, generale_mancante, {}, true, false},
      {"linea_di_soli_trattini", ripetuta("--------", 100), treno_vuoto, generale_mancante, {}, true,
       false},
      {"linea_virgolette_non_chiuse_nel_preambolo", "\"prosa\r\n" + linea_vuota, treno_vuoto,
       generale_mancante, {}, true, false},
      {"linea_con_una_riga_di_100000_caratteri", linea_di(lunga + "\r\n"), treno_vuoto, nessuno, {},
       false, true},
      {"cartello_di_100000_caratteri", linea_di("cartello_indicatore, 800, " + lunga + "\r\n"),
       treno_vuoto, guasto_lettura, {}, false, true},
      {"cartello_con_virgolette_non_chiuse", linea_di("cartello_indicatore, 800, \"(A, B)\r\n"),
       treno_vuoto, nessuno, {}, false, true},
      {"linea_con_byte_nul",
       "[generale]\r\nlunghezza percorso, 47" + nul + "000\r\n[curve]\r\npen" + nul +
           "denza, 100, 2\r\ncartello_indicatore, 800, (A" + nul + ")\r\n[fine]\r\n",
       treno_vuoto, nessuno, {}, false, true},
      {"cartello_non_windows1252", linea_di("cartello_indicatore, 800, \x81\x8D\x8F\x90\x9D\xC3\x28\r\n"),
       treno_vuoto, nessuno, {}, false, true},
      {"lunghezza_oltre_32_bit", linea_di("", "4294967296"), treno_vuoto, guasto_lettura, {}, false,
       false},
      {"pendenza_oltre_32_bit", linea_di("pendenza, 100, 2147483648\r\n"), treno_vuoto, guasto_lettura,
       {}, false, true},
      {"indicatore_oltre_16_bit", linea_di("indicatori_vmax, 1000, 2000,0,0,0, 0,0,0,0\r\n"),
       treno_vuoto, guasto_lettura, {}, false, true},
      {"pendenza_a_metri_negativi", linea_di("pendenza, -100, 2\r\n"), treno_vuoto, nessuno, {}, false,
       true},
      {"curva_a_metri_negativi", linea_di("curvad4, -100, 50\r\n"), treno_vuoto, nessuno, {}, false, true},
      {"montagna_a_metri_negativi", linea_di("montagna, -100, 100, 1\r\n"), treno_vuoto, guasto_lettura,
       {}, false, true},
      {"indicatore_a_metri_negativi", linea_di("indicatori_vmax, -100, 1,1,1,0, 1,1,1,0\r\n"),
       treno_vuoto, guasto_lettura, {}, false, true},
      {"cartello_a_metri_negativi", linea_di("cartello_indicatore, -100, (A)\r\n"), treno_vuoto,
       guasto_lettura, {}, false, true},
      {"linea_tronca_dopo_la_parola", "[generale]\r\nlunghezza percorso, 47000\r\n[curve]\r\npendenza",
       treno_vuoto, nessuno, {}, false, true},
      {"lunghezza_ultimo_campo", "[generale]\r\nlunghezza percorso", treno_vuoto, guasto_lettura, {},
       false, false},
      {"indicatore_tronco", "[generale]\r\nlunghezza percorso, 47000\r\n[curve]\r\nindicatori_vmax, 1000, 1",
       treno_vuoto, guasto_lettura, {}, false, true},
      {"cartello_senza_testo", "[generale]\r\nlunghezza percorso, 47000\r\n[curve]\r\ncartello_indicatore, 800",
       treno_vuoto, guasto_lettura, {}, false, true},
      {"un_milione_di_metri_con_voci_in_fondo",
       linea_di("pendenza, 1006900, 1\r\ncurvas6, 999000, 900\r\nmontagna, 1006000, 1007000, 12\r\n"
                "indicatori_vmax, 1006900, 1,1,1,0, 1,1,1,0\r\ncartello_indicatore, 1006850, (A)\r\n",
                "1000000"),
       treno_vuoto, nessuno, {}, false, true},
      {"un_milione_di_metri_voce_oltre_la_griglia", linea_di("pendenza, 1006901, 1\r\n", "1000000"),
       treno_vuoto, oltre_griglia, 1006901, false, true},
      {"un_milione_di_metri_curva_oltre", linea_di("curvad4, 1006900, 10\r\n", "1000000"), treno_vuoto,
       curva_errata, {}, true, true},
      {"ottantuno_montagne", linea_di(ripetuta("montagna, 100, 50, 1", 81)), treno_vuoto, guasto_lettura,
       {}, false, true},
      {"curva_oltre_la_fine_del_tracciato", linea_di("curvad4, 53000, 2000\r\n"), treno_vuoto,
       guasto_lettura, {}, false, true},

      // The train description, after a line of 47000 m with nothing on it.
      {"treno_mancante", linea_vuota, std::nullopt, guasto_lettura, {}, false, true},
      {"treno_vuoto", linea_vuota, "", nessuno, {}, false, true},
      {"treno_di_sole_virgole", linea_vuota, std::string(1000, ','), nessuno, {}, false, true},
      {"treno_di_soli_trattini", linea_vuota, ripetuta("--------", 100), nessuno, {}, false, true},
      {"treno_senza_voci", linea_vuota, treno_di(""), nessuno, {}, false, true},
      {"treno_con_una_riga_di_100000_caratteri", linea_vuota, treno_di(lunga + "\r\n"), nessuno, {},
       false, true},
      {"stazione_di_100000_caratteri", linea_vuota, treno_di(stazione("1000", lunga)), guasto_lettura,
       {}, false, true},
      {"stazione_con_virgolette_non_chiuse", linea_vuota, treno_di(stazione("1000", "\"CORVANA")),
       nessuno, {}, false, true},
      {"treno_con_byte_nul", linea_vuota,
       treno_di("sabbia, 4" + nul + "2\r\n" + stazione("1000", "A" + nul + "B") + "pen" + nul +
                "dolino\r\n"),
       nessuno, {}, false, true},
      {"stazione_non_windows1252", linea_vuota, treno_di(stazione("1000", "\x81\x8D\x8F\x90\x9D\xC3\x28")),
       nessuno, {}, false, true},
      {"vetture_oltre_32_bit", linea_vuota, treno_di("numero vetture, 4294967296\r\n"), guasto_lettura,
       {}, false, true},
      {"sabbia_oltre_16_bit", linea_vuota, treno_di("sabbia, 40000\r\n"), guasto_lettura, {}, false,
       true},
      {"orologio_oltre_16_bit", linea_vuota, treno_di("orologio, 12 3 99999\r\n"), guasto_lettura, {},
       false, true},
      {"tipo_di_stazione_oltre_8_bit", linea_vuota,
       treno_di("stazione, 1000, 256, 100, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, A\r\n"), guasto_lettura, {},
       false, true},
      {"orario_oltre_32_bit", linea_vuota,
       treno_di("stazione, 1000, 12, 100, 0,0,0, 0,0,0, 0,0,0, 0, 1000000,0,0, A\r\n"), guasto_lettura,
       {}, false, true},
      {"velocita_oltre_8_bit", linea_vuota, treno_di("velocita, 0, 1280\r\n"), guasto_lettura, {}, false,
       true},
      {"velocita_a_metri_negativi", linea_vuota, treno_di("velocita, -100, 60\r\n"), nessuno, {}, false,
       true},
      {"aderenza_a_metri_negativi", linea_vuota, treno_di("aderenza, -100, 60\r\n"), nessuno, {}, false,
       true},
      {"segnale_a_metri_negativi", linea_vuota, treno_di("segnale, -100, 1,3,4,0,0, 0,0,0,0, 0\r\n"),
       guasto_lettura, {}, false, true},
      {"rallentamento_a_metri_negativi", linea_vuota, treno_di("rallentamento, -100, 60, 500, 0, 0, 0\r\n"),
       guasto_lettura, {}, false, true},
      {"abbattimento_a_metri_negativi", linea_vuota, treno_di("abbattimento, -100, 5\r\n"),
       guasto_lettura, {}, false, true},
      // A platform ending before metre 100: the format's own code.
      {"stazione_a_metri_negativi", linea_vuota, treno_di(stazione("-100", "A")),
       marciapiede_troppo_vicino_inizio, {}, false, true},
      {"segnale_tronco", linea_vuota, "[generale]\r\nsegnale, 1000, 1", guasto_lettura, {}, false, true},
      {"rallentamento_tronco", linea_vuota, "[generale]\r\nrallentamento, 5000\r\n", guasto_lettura, {},
       false, true},
      {"stazione_tronca", linea_vuota, "[generale]\r\nstazione, 1000, 12, 100, 0", guasto_lettura, {},
       false, true},
      {"un_milione_di_metri_con_treno_in_fondo", linea_di("", "1000000"),
       treno_di("velocita, 0, 100\r\nvelocita, 1006900, 60\r\naderenza, 1006900, 90\r\n" +
                stazione("1006200", "FONDO") +
                "rallentamento, 1005000, 60, 500, 1, 1, 0\r\n"
                "segnale, 1006900, 1,3,4,0,0, 0,0,0,0, 0\r\nabbattimento, 1006850, 5\r\n"),
       nessuno, {}, false, true},
      {"un_milione_di_metri_stazione_oltre_la_griglia", linea_di("", "1000000"),
       treno_di(stazione("1006250", "OLTRE")), oltre_griglia, 1006250, false, true},
      {"cento_stazioni", linea_vuota, treno_di(cento_stazioni()), troppe_stazioni, {}, false, true},
      {"segnale_al_metro_0", linea_vuota, treno_di("segnale, 0, 1,0,0,0,0, 0,0,0,0, 0\r\n"),
       guasto_lettura, {}, false, true},
      {"segnale_a_300_metri", linea_vuota, treno_di("segnale, 300, 1,3,4,0,0, 0,0,0,0, 0\r\n"),
       guasto_lettura, {}, false, true},
      {"segnale_a_350_metri", linea_vuota, treno_di("segnale, 350, 1,3,4,0,0, 0,0,0,0, 0\r\n"), nessuno,
       {}, false, true},
      {"rallentamento_che_finisce_oltre_la_griglia", linea_vuota,
       treno_di("rallentamento, 53000, 60, 5000, 0, 0, 0\r\n"), guasto_lettura, {}, false, true},
      // A slowdown whose end cell, or one of whose numbered cells, a signal
      // already holds.
      {"rallentamento_che_finisce_su_un_segnale", linea_vuota,
       treno_di("segnale, 39000, 1,0,0,0,0, 0,0,0,0, 0\r\nrallentamento, 38000, 80, 1000, 1, 1, 0\r\n"),
       fine_rallentamento_occupato, 38000, false, true},
      {"rallentamento_numerate_su_un_segnale", linea_vuota,
       treno_di("segnale, 36750, 1,0,0,0,0, 0,0,0,0, 0\r\nrallentamento, 38000, 80, 1000, 1, 1, 0\r\n"),
       numerate_rallentamento_occupate, 38000, false, true},
  };
  return t;
}

}  // namespace

const std::vector<ingresso_ostile>& ingressi_ostili() {
  static const std::vector<ingresso_ostile> tabella = crea_tabella();
  return tabella;
}

}  // namespace gara::prova
