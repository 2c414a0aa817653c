#include "impronta.h"

#include <cstdint>

#include "aiuti_prove.h"

namespace gara::prova {

namespace {

constexpr std::array<uint32_t, 64> k{
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr uint32_t ruota(uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

void blocco(std::array<uint32_t, 8>& h, const unsigned char* p) {
  std::array<uint32_t, 64> w{};
  for (std::size_t i = 0; i < 16; ++i)
    w[i] = uint32_t{p[4 * i]} << 24 | uint32_t{p[4 * i + 1]} << 16 | uint32_t{p[4 * i + 2]} << 8 |
           uint32_t{p[4 * i + 3]};
  for (std::size_t i = 16; i < 64; ++i) {
    const uint32_t s0 = ruota(w[i - 15], 7) ^ ruota(w[i - 15], 18) ^ (w[i - 15] >> 3);
    const uint32_t s1 = ruota(w[i - 2], 17) ^ ruota(w[i - 2], 19) ^ (w[i - 2] >> 10);
    w[i] = w[i - 16] + s0 + w[i - 7] + s1;
  }
  auto [a, b, c, d, e, f, g, hh] = h;
  for (std::size_t i = 0; i < 64; ++i) {
    const uint32_t t1 = hh + (ruota(e, 6) ^ ruota(e, 11) ^ ruota(e, 25)) + ((e & f) ^ (~e & g)) + k[i] + w[i];
    const uint32_t t2 = (ruota(a, 2) ^ ruota(a, 13) ^ ruota(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
    hh = g;
    g = f;
    f = e;
    e = d + t1;
    d = c;
    c = b;
    b = a;
    a = t1 + t2;
  }
  const std::array<uint32_t, 8> somma{a, b, c, d, e, f, g, hh};
  for (std::size_t i = 0; i < 8; ++i) h[i] += somma[i];
}

}  // namespace

std::string sha256(std::string_view byte) {
  std::array<uint32_t, 8> h{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                            0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  const auto* p = reinterpret_cast<const unsigned char*>(byte.data());
  std::size_t n = byte.size();
  for (; n >= 64; n -= 64, p += 64) blocco(h, p);
  // The tail, the bit 1, zeros, and the length in bits over the last 8 bytes.
  std::array<unsigned char, 128> coda{};
  for (std::size_t i = 0; i < n; ++i) coda[i] = p[i];
  coda[n] = 0x80;
  const std::size_t fine = n + 1 + 8 <= 64 ? 64 : 128;
  const uint64_t bit = static_cast<uint64_t>(byte.size()) * 8;
  for (std::size_t i = 0; i < 8; ++i) coda[fine - 1 - i] = static_cast<unsigned char>(bit >> (8 * i));
  blocco(h, coda.data());
  if (fine == 128) blocco(h, coda.data() + 64);

  static constexpr char cifre[] = "0123456789abcdef";
  std::string r;
  for (const uint32_t x : h)
    for (int s = 28; s >= 0; s -= 4) r += cifre[(x >> s) & 0xF];
  return r;
}

std::vector<std::string> diversi_dagli_spediti(const std::filesystem::path& cartella, std::size_t primo) {
  std::vector<std::string> r;
  for (std::size_t i = primo; i < impronte_spedite.size(); ++i) {
    const impronta_file& f = impronte_spedite[i];
    const auto file = cartella / std::string(f.nome);
    if (!std::filesystem::exists(file)) {
      r.push_back(std::string(f.nome) + ": mancante");
      continue;
    }
    const std::string trovata = sha256(leggi_tutto(file));
    if (trovata != f.sha256) r.push_back(std::string(f.nome) + ": " + trovata);
  }
  return r;
}

}  // namespace gara::prova
