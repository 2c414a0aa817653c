#include "editore/testo.h"

#include <algorithm>

#include "lettura/righe.h"
#include "modello/catalogo.h"
#include "modello/windows1252.h"
#include "protocollo/jsonrpc.h"

namespace gara::editore {

using protocollo::codifica;
using protocollo::intervallo;
using protocollo::posizione;

namespace {
constexpr std::string_view carattere_sostitutivo = "\xEF\xBF\xBD";  // U+FFFD
constexpr char segnaposto = '?';

// The byte of a C1 control character (U+0080 to U+009F) in UTF-8.
std::optional<unsigned char> controllo_c1(std::string_view carattere) {
  if (carattere.size() != 2 || static_cast<unsigned char>(carattere[0]) != 0xC2) return std::nullopt;
  const auto secondo = static_cast<unsigned char>(carattere[1]);
  if (secondo < 0x80 || secondo > 0x9F) return std::nullopt;
  return secondo;
}
}  // namespace

righe::righe(std::string_view testo) : testo_(testo) {
  inizi_.push_back(0);
  for (std::size_t i = 0; i < testo.size();) {
    if (const std::size_t n = fine_riga_in(testo, i); n > 0) {
      fini_.push_back(i);
      i += n;
      inizi_.push_back(i);
    } else {
      ++i;
    }
  }
  fini_.push_back(testo.size());
}

std::string_view righe::riga(std::size_t i) const {
  if (i >= inizi_.size()) return {};
  return testo_.substr(inizi_[i], fini_[i] - inizi_[i]);
}

std::optional<std::size_t> righe::offset(const protocollo::posizione& p, codifica c) const {
  if (p.linea >= inizi_.size()) return std::nullopt;
  const auto b = protocollo::byte_di(riga(p.linea), p.carattere, c);
  if (!b) return std::nullopt;
  return inizi_[p.linea] + *b;
}

posizione righe::posizione_di(std::size_t offset, codifica c) const {
  offset = std::min(offset, testo_.size());
  const auto dopo = std::upper_bound(inizi_.begin(), inizi_.end(), offset);
  const auto linea = static_cast<std::size_t>(dopo - inizi_.begin()) - 1;
  const std::size_t dentro = std::min(offset, fini_[linea]) - inizi_[linea];
  return {linea, protocollo::unita_di(riga(linea), dentro, c)};
}

intervallo righe::intervallo_di(const luogo& l, codifica c) const {
  if (l.linea < 1) return {};
  const auto n = static_cast<std::size_t>(l.linea - 1);
  const std::string_view r = riga(n);
  if (l.colonna < 1) return {{n, 0}, {n, protocollo::unita_di(r, r.size(), c)}};
  const auto primo = static_cast<std::size_t>(l.colonna - 1);
  const std::size_t da = byte_del_carattere(r, primo);
  const std::size_t a = byte_del_carattere(r, primo + static_cast<std::size_t>(std::max(l.lunghezza, 1)));
  return {{n, protocollo::unita_di(r, da, c)}, {n, protocollo::unita_di(r, a, c)}};
}

intervallo righe::tutto(codifica c) const { return {{0, 0}, posizione_di(testo_.size(), c)}; }

std::string_view senza_vuoti(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

std::size_t caratteri(std::string_view t) {
  return static_cast<std::size_t>(
      std::count_if(t.begin(), t.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::size_t byte_del_carattere(std::string_view riga, std::size_t n) {
  std::size_t i = 0;
  for (std::size_t k = 0; k < n && i < riga.size(); ++k)
    i += std::min(protocollo::lunghezza_utf8(static_cast<unsigned char>(riga[i])), riga.size() - i);
  return i;
}

void applica_modifica(std::string& testo, const intervallo& i, std::string_view nuovo, codifica c) {
  const righe r(testo);
  const auto da = r.offset(i.inizio, c);
  const auto a = r.offset(i.fine, c);
  if (!da || !a) throw protocollo::parametri_errati{"intervallo fuori dal documento"};
  if (*a < *da) throw protocollo::parametri_errati{"intervallo che finisce prima di cominciare"};
  testo.replace(*da, *a - *da, nuovo);
}

testo_in_byte in_byte(std::string_view utf8, const std::string& nome_file) {
  testo_in_byte r;
  r.byte.reserve(utf8.size());
  int linea = 1;
  int colonna = 1;
  bool segnalato_utf8 = false;
  bool segnalato_latino = false;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto primo = static_cast<unsigned char>(utf8[i]);
    if (primo < 0x80) {
      r.byte += utf8[i];
      if (const std::size_t f = fine_riga_in(utf8, i); f > 0) {
        if (f == 2) r.byte += utf8[i + 1];
        i += f;
        ++linea;
        colonna = 1;
      } else {
        ++i;
        ++colonna;
      }
      continue;
    }
    const std::size_t n = std::min(protocollo::lunghezza_utf8(primo), utf8.size() - i);
    const std::string_view carattere = utf8.substr(i, n);
    const auto convertito = in_windows1252(carattere);
    if (convertito && convertito->size() == 1) {
      r.byte += *convertito;
    } else if (const auto byte = controllo_c1(carattere)) {
      // A byte of Windows-1252's signs (€, ’, “, –...) read as ISO-8859-1:
      // the editor shows a control character and saves the byte unchanged.
      r.byte += static_cast<char>(*byte);
      if (!segnalato_latino) {
        r.problemi.push_back(diagnostica_di(problema::aperto_come_utf8, luogo{nome_file, linea, colonna, 1},
                                            "il file è aperto come ISO-8859-1 (Latin-1) ma è scritto in "
                                            "Windows-1252: qui c'era un segno (€, ’, “, – e simili) che "
                                            "l'editor mostra come un carattere di controllo"));
        segnalato_latino = true;
      }
    } else {
      r.byte += segnaposto;
      const luogo dove{nome_file, linea, colonna, 1};
      if (carattere == carattere_sostitutivo) {
        if (!segnalato_utf8) {
          r.problemi.push_back(diagnostica_di(problema::aperto_come_utf8, dove,
                                              "il file è aperto come UTF-8 ma è scritto in Windows-1252: qui "
                                              "c'era una lettera che l'editor non ha saputo leggere"));
          segnalato_utf8 = true;
        }
      } else {
        r.problemi.push_back(diagnostica_di(problema::carattere_non_windows1252, dove,
                                            "il carattere \"" + std::string(carattere) +
                                                "\" non esiste in Windows-1252: nel file salvato non ci sarebbe"));
      }
    }
    i += n;
    ++colonna;
  }
  return r;
}

}  // namespace gara::editore
