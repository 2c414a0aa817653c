// A mutator that knows the descriptions' format, for the targets that read
// a pair of them (memorizza_dati, verifica). Random bytes mostly stop at the
// first entries; these mutations keep the entries whole and move them,
// copy them, bend their numbers to the values where the rules change, and
// cut a file inside an entry. A quarter of the time libFuzzer's own byte
// mutations run instead, so that nothing the format does not foresee is
// left out.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cctype>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "bersagli_fuzz.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* dati, size_t dimensione, size_t massimo);

namespace {

using righe = std::vector<std::string>;

righe dividi_righe(std::string_view testo) {
  righe r;
  std::size_t inizio = 0;
  while (inizio <= testo.size()) {
    const std::size_t fine = testo.find("\r\n", inizio);
    if (fine == std::string_view::npos) {
      r.emplace_back(testo.substr(inizio));
      break;
    }
    r.emplace_back(testo.substr(inizio, fine - inizio));
    inizio = fine + 2;
  }
  return r;
}

std::string unisci_righe(const righe& r) {
  std::string t;
  for (std::size_t i = 0; i < r.size(); ++i) {
    if (i > 0) t += "\r\n";
    t += r[i];
  }
  return t;
}

// The values where the rules of the format change: cell and step
// boundaries, the ends of the fields' ranges, and the route's own length
// and the end of its grid, read from the input.
std::vector<std::string> valori_limite(const righe& linea) {
  std::vector<std::string> v = {"0",      "49",    "50",         "51",          "100",      "-1",
                                "-50",    "255",   "256",        "32767",       "32768",    "65535",
                                "65536",  "99999", "1000000",    "1000001",     "2147483647",
                                "-2147483648", "1.5", "0.5",     "8x0",         ""};
  for (const std::string& r : linea) {
    if (r.find("lunghezza") == std::string::npos) continue;
    const auto p = r.find_first_of("0123456789");
    if (p == std::string::npos) continue;
    // At most nine digits: the sums below stay far inside the type.
    long long l = 0;
    for (std::size_t k = p; k < r.size() && k < p + 9 && r[k] >= '0' && r[k] <= '9'; ++k) l = l * 10 + (r[k] - '0');
    for (long long x : {l, l - 50, l + 50, l + 6900, l + 7000, l + 7100})
      v.push_back(std::to_string(x));
  }
  return v;
}

class mutatore {
 public:
  explicit mutatore(unsigned seme) : caso_(seme) {}

  std::size_t numero(std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(caso_); }

  // One mutation of the pair; false when it found nothing to work on.
  bool muta(righe& linea, righe& treno) {
    righe& r = numero(3) == 0 || treno.empty() ? linea : treno;
    righe& altra = &r == &linea ? treno : linea;
    if (r.empty()) return false;
    const std::size_t i = numero(r.size());
    switch (numero(9)) {
      case 0:  // an entry copied from either file, anywhere
        if (altra.empty() && r.size() < 2) return false;
        r.insert(r.begin() + static_cast<std::ptrdiff_t>(numero(r.size() + 1)),
                 numero(2) == 0 || altra.empty() ? r[numero(r.size())] : altra[numero(altra.size())]);
        return true;
      case 1:  // an entry removed
        r.erase(r.begin() + static_cast<std::ptrdiff_t>(i));
        return true;
      case 2:  // an entry twice
        r.insert(r.begin() + static_cast<std::ptrdiff_t>(i), r[i]);
        return true;
      case 3:  // two entries swapped
        std::swap(r[i], r[numero(r.size())]);
        return true;
      case 4: {  // an entry moved to another block
        std::string voce = std::move(r[i]);
        r.erase(r.begin() + static_cast<std::ptrdiff_t>(i));
        r.insert(r.begin() + static_cast<std::ptrdiff_t>(numero(r.size() + 1)), std::move(voce));
        return true;
      }
      case 5:
      case 6:
        return numero_al_limite(r[i], valori_limite(linea));
      case 7:
        return parola_cambiata(r[i]);
      default: {  // the file cut inside an entry
        std::string testo = unisci_righe(r);
        if (testo.empty()) return false;
        testo.resize(numero(testo.size()));
        r = dividi_righe(testo);
        return true;
      }
    }
  }

 private:
  // A number of the entry replaced by a boundary value.
  bool numero_al_limite(std::string& riga, const std::vector<std::string>& valori) {
    std::vector<std::pair<std::size_t, std::size_t>> numeri;
    for (std::size_t p = 0; p < riga.size();) {
      if ((riga[p] >= '0' && riga[p] <= '9') || riga[p] == '-') {
        std::size_t q = p + 1;
        while (q < riga.size() && ((riga[q] >= '0' && riga[q] <= '9') || riga[q] == '.')) ++q;
        numeri.emplace_back(p, q - p);
        p = q;
      } else {
        ++p;
      }
    }
    if (numeri.empty()) return false;
    const auto [inizio, lunghezza] = numeri[numero(numeri.size())];
    riga.replace(inizio, lunghezza, valori[numero(valori.size())]);
    return true;
  }

  // The keyword changed by one letter, or in its case.
  bool parola_cambiata(std::string& riga) {
    const std::size_t fine = std::min(riga.find(','), riga.size());
    if (fine == 0) return false;
    switch (numero(3)) {
      case 0:
        for (std::size_t k = 0; k < fine; ++k)
          riga[k] = static_cast<char>(std::toupper(static_cast<unsigned char>(riga[k])));
        return true;
      case 1:
        riga[numero(fine)] = static_cast<char>('a' + numero(26));
        return true;
      default:
        riga.erase(numero(fine), 1);
        return true;
    }
  }

  std::minstd_rand caso_;
};

}  // namespace

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* dati, size_t dimensione, size_t massimo, unsigned seme) {
  mutatore m(seme);
  if (m.numero(4) == 0) return LLVMFuzzerMutate(dati, dimensione, massimo);

  const auto coppia = gara::fuzz::dividi_descrizioni(std::string_view(reinterpret_cast<const char*>(dati), dimensione));
  righe linea = dividi_righe(coppia.linea);
  righe treno = coppia.treno ? dividi_righe(*coppia.treno) : righe{};
  bool mutato = false;
  for (std::size_t volte = 1 + m.numero(3); volte > 0; --volte) mutato |= m.muta(linea, treno);
  if (!mutato) return LLVMFuzzerMutate(dati, dimensione, massimo);

  const std::string nuovo = coppia.treno || !treno.empty()
                                ? gara::fuzz::unisci_descrizioni(unisci_righe(linea), unisci_righe(treno))
                                : unisci_righe(linea);
  if (nuovo.size() > massimo) return LLVMFuzzerMutate(dati, dimensione, massimo);
  std::memcpy(dati, nuovo.data(), nuovo.size());
  return nuovo.size();
}
