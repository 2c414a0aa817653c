#include "lettura/lettore_campi.h"

#include "lettura/righe.h"
#include "modello/guasto.h"

namespace gara {

namespace {

bool spazio(char c) { return c == ' ' || c == '\t'; }
bool cifra(char c) { return c >= '0' && c <= '9'; }

// Beyond this many significant digits a number fits no field of the formats;
// the value is kept just above every field's range.
constexpr int64_t troppo_grande = int64_t{1} << 40;

}  // namespace

lettore_campi::lettore_campi(std::string_view contenuto, std::string nome_file) : testo_(contenuto) {
  campo_.file = std::move(nome_file);
  campo_.linea = 1;
  campo_.colonna = 1;
}

void lettore_campi::inizia_campo() {
  inizio_campo_ = pos_;
  campo_.linea = linea_;
  campo_.colonna = static_cast<int>(pos_ - inizio_riga_) + 1;
  campo_.lunghezza = 0;
}

void lettore_campi::chiudi_campo(std::size_t fine) {
  campo_.lunghezza = static_cast<int>(fine - inizio_campo_);
}

void lettore_campi::controlla_non_finito() const {
  if (a_fine()) throw guasto("lettura oltre la fine del file");
}

void lettore_campi::salta_spazi() {
  while (pos_ < testo_.size() && spazio(testo_[pos_])) ++pos_;
}

bool lettore_campi::fine_riga() const { return fine_riga_in(testo_, pos_) != 0; }

void lettore_campi::consuma_fine_riga() {
  pos_ += fine_riga_in(testo_, pos_);
  ++linea_;
  inizio_riga_ = pos_;
}

void lettore_campi::consuma_delimitatore() {
  if (pos_ >= testo_.size()) return;
  if (testo_[pos_] == ',')
    ++pos_;
  else if (fine_riga())
    consuma_fine_riga();
}

void lettore_campi::salta_resto_della_riga() {
  if (pos_ == inizio_riga_) return;
  while (pos_ < testo_.size() && !fine_riga()) ++pos_;
  if (pos_ < testo_.size()) consuma_fine_riga();
}

std::string_view lettore_campi::dopo_il_campo() const {
  const std::size_t inizio = std::min(testo_.size(), inizio_campo_ + static_cast<std::size_t>(campo_.lunghezza));
  std::size_t fine = inizio;
  while (fine < testo_.size() && fine_riga_in(testo_, fine) == 0) ++fine;
  return testo_.substr(inizio, fine - inizio);
}

std::string lettore_campi::leggi_testo() {
  controlla_non_finito();
  salta_spazi();
  inizia_campo();
  std::string campo;
  if (pos_ < testo_.size() && testo_[pos_] == '"') {
    ++pos_;
    while (pos_ < testo_.size() && testo_[pos_] != '"') {
      // A line end inside the quotes counts as one, whatever its bytes.
      if (const std::size_t n = fine_riga_in(testo_, pos_)) {
        campo.append(testo_.substr(pos_, n));
        pos_ += n;
        ++linea_;
        inizio_riga_ = pos_;
        continue;
      }
      campo += testo_[pos_++];
    }
    if (pos_ < testo_.size()) ++pos_;  // the closing quote
    chiudi_campo(pos_);
    while (pos_ < testo_.size() && testo_[pos_] != ',' && !fine_riga()) ++pos_;
  } else {
    while (pos_ < testo_.size() && testo_[pos_] != ',' && !fine_riga()) campo += testo_[pos_++];
    while (!campo.empty() && spazio(campo.back())) campo.pop_back();
    chiudi_campo(inizio_campo_ + campo.size());
  }
  consuma_delimitatore();
  return campo;
}

int64_t lettore_campi::leggi_intero() {
  controlla_non_finito();
  salta_spazi();
  inizia_campo();
  const std::size_t inizio = pos_;
  while (pos_ < testo_.size() && !spazio(testo_[pos_]) && testo_[pos_] != ',' && !fine_riga())
    ++pos_;
  chiudi_campo(pos_);
  const std::string_view campo(testo_.data() + inizio, pos_ - inizio);
  salta_spazi();
  consuma_delimitatore();

  // The number at the start of the field: sign, whole digits, decimals.
  std::size_t i = 0;
  bool negativo = false;
  if (i < campo.size() && (campo[i] == '+' || campo[i] == '-')) negativo = campo[i++] == '-';
  int64_t intero = 0;
  bool visto = false;
  for (; i < campo.size() && cifra(campo[i]); ++i) {
    visto = true;
    if (intero < troppo_grande) intero = intero * 10 + (campo[i] - '0');
  }
  if (i < campo.size() && campo[i] == '.') {
    ++i;
    const std::size_t decimali = i;
    while (i < campo.size() && cifra(campo[i])) ++i;
    const std::string_view frazione = campo.substr(decimali, i - decimali);
    if (!frazione.empty()) {
      visto = true;
      // Half to even, decided on the decimal digits themselves.
      const bool oltre_meta =
          frazione[0] > '5' ||
          (frazione[0] == '5' && frazione.find_first_not_of('0', 1) != std::string_view::npos);
      const bool meta = frazione[0] == '5' && !oltre_meta;
      if (oltre_meta || (meta && intero % 2 == 1)) ++intero;
    }
  }
  if (!visto) return 0;
  return negativo ? -intero : intero;
}

}  // namespace gara
