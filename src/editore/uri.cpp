#include "editore/uri.h"

#include <cstdio>

#include "modello/windows1252.h"

namespace gara::editore {

namespace {

constexpr std::string_view schema = "file://";

int cifra_esadecimale(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool lettera(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Valid UTF-8: a round trip through Windows-1252 is too narrow (a path may
// hold any character), so the sequences are checked here.
bool utf8_valido(std::string_view t) {
  for (std::size_t i = 0; i < t.size();) {
    const auto c = static_cast<unsigned char>(t[i]);
    std::size_t n = c < 0x80 ? 1 : (c >= 0xC2 && c <= 0xDF) ? 2 : (c >= 0xE0 && c <= 0xEF) ? 3 : (c >= 0xF0 && c <= 0xF4) ? 4 : 0;
    if (n == 0 || i + n > t.size()) return false;
    for (std::size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(t[i + k]) & 0xC0) != 0x80) return false;
    i += n;
  }
  return true;
}

}  // namespace

std::optional<std::string> percorso_da_uri(std::string_view uri) {
  if (uri.size() < schema.size() || minuscolo_ascii(uri.substr(0, schema.size())) != schema) return std::nullopt;
  uri.remove_prefix(schema.size());
  // The authority: empty or "localhost".
  const auto barra = uri.find('/');
  if (barra == std::string_view::npos) return std::nullopt;
  const std::string ospite = minuscolo_ascii(uri.substr(0, barra));
  if (!ospite.empty() && ospite != "localhost") return std::nullopt;
  uri.remove_prefix(barra);
  uri = uri.substr(0, uri.find_first_of("?#"));
  std::string p;
  for (std::size_t i = 0; i < uri.size(); ++i) {
    if (uri[i] != '%') {
      p += uri[i];
      continue;
    }
    if (i + 2 >= uri.size()) return std::nullopt;
    const int alta = cifra_esadecimale(uri[i + 1]);
    const int bassa = cifra_esadecimale(uri[i + 2]);
    if (alta < 0 || bassa < 0) return std::nullopt;
    p += static_cast<char>(alta * 16 + bassa);
    i += 2;
  }
  if (!utf8_valido(p) || p.find('\0') != std::string::npos) return std::nullopt;
  // "/C:/..." is a Windows drive; its letter in upper case, as one file has one path.
  if (p.size() >= 3 && p[0] == '/' && lettera(p[1]) && p[2] == ':') {
    p.erase(0, 1);
    if (p[0] >= 'a') p[0] = static_cast<char>(p[0] - 'a' + 'A');
  }
  return p;
}

std::string uri_da_percorso(const std::string& percorso) {
  std::string u(schema);
  if (percorso.empty() || percorso[0] != '/') u += '/';
  for (std::size_t i = 0; i < percorso.size(); ++i) {
    const auto c = static_cast<unsigned char>(percorso[i]);
    const bool libero = lettera(static_cast<char>(c)) || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
                        c == '_' || c == '~' || c == '/' || (c == ':' && i == 1);
    if (libero) {
      u += static_cast<char>(c);
    } else if (c == '\\') {
      u += '/';
    } else {
      char x[4];
      std::snprintf(x, sizeof x, "%%%02X", c);
      u += x;
    }
  }
  return u;
}

std::string cartella_di(const std::string& percorso) {
  const auto barra = percorso.find_last_of("/\\");
  return barra == std::string::npos ? std::string() : percorso.substr(0, barra + 1);
}

std::string nome_di(const std::string& percorso) {
  const auto barra = percorso.find_last_of("/\\");
  return barra == std::string::npos ? percorso : percorso.substr(barra + 1);
}

}  // namespace gara::editore
