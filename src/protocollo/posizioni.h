#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace gara::protocollo {

// How a client counts the characters of a line: UTF-16 code units (the
// protocol's default) or UTF-8 bytes.
enum class codifica { utf16, utf8 };

// A place in a text as the protocol gives it: line and character, both from 0.
struct posizione {
  std::size_t linea = 0;
  std::size_t carattere = 0;
  bool operator==(const posizione&) const = default;
};

struct intervallo {
  posizione inizio;
  posizione fine;
};

nlohmann::json in_json(const posizione& p);
nlohmann::json in_json(const intervallo& i);
// Reads a position or a range; throws parametri_errati when it has not the
// protocol's shape.
posizione posizione_da_json(const nlohmann::json& j);
intervallo intervallo_da_json(const nlohmann::json& j);

// The units of `codifica` that the first `byte` bytes of a UTF-8 line take.
std::size_t unita_di(std::string_view riga, std::size_t byte, codifica c);
// The byte offset in a UTF-8 line of `unita` units of `codifica`; nothing
// past the line's end. A place inside a character (half of a UTF-16 pair)
// stands at that character's start.
std::optional<std::size_t> byte_di(std::string_view riga, std::size_t unita, codifica c);

// The bytes a UTF-8 sequence that starts with `primo` takes (1 for a byte
// that starts none).
std::size_t lunghezza_utf8(unsigned char primo);

}  // namespace gara::protocollo
