#include "core/files/Windows1252.h"

#include <array>
#include <cstdint>

namespace velmo {

namespace {

// Code points of the bytes 0x80..0x9F; the undefined ones map to themselves.
constexpr std::array<char32_t, 32> alti = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t codice(unsigned char b) { return b >= 0x80 && b < 0xA0 ? alti[b - 0x80] : b; }

void accodaUtf8(std::string& s, char32_t c) {
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The byte of a code point, or '?' when the code page has none.
char byteDi(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < alti.size(); ++i)
    if (alti[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

// One code point from UTF-8 at `i`, moving `i` past it; -1 for a broken
// sequence, of which only the first byte is consumed.
std::int32_t leggiUtf8(std::string_view s, std::size_t& i) {
  const auto b = static_cast<unsigned char>(s[i++]);
  if (b < 0x80) return b;
  int seguono = b >= 0xF0 && b < 0xF8 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
  if (seguono < 0 || b >= 0xF8) return -1;
  std::int32_t c = b & (0x3F >> seguono);
  const std::size_t inizio = i;
  for (int k = 0; k < seguono; ++k) {
    if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      i = inizio;
      return -1;
    }
    c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
  }
  const bool troppoLunga = (seguono == 2 && c < 0x800) || (seguono == 3 && c < 0x10000);
  if (troppoLunga || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
    i = inizio;
    return -1;
  }
  return c;
}

}  // namespace

std::string daWindows1252(std::string_view byte) {
  std::string s;
  s.reserve(byte.size());
  for (char b : byte) accodaUtf8(s, codice(static_cast<unsigned char>(b)));
  return s;
}

std::string aWindows1252(std::string_view utf8) {
  std::string s;
  s.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const std::int32_t c = leggiUtf8(utf8, i);
    s += c < 0 ? '?' : byteDi(static_cast<char32_t>(c));
  }
  return s;
}

char maiuscola1252(char c) {
  const auto b = static_cast<unsigned char>(c);
  if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) return static_cast<char>(b - 0x20);
  switch (b) {
    case 0x9A: case 0x9C: case 0x9E: return static_cast<char>(b - 0x10);  // š œ ž
    case 0xFF: return static_cast<char>(0x9F);                              // ÿ
    default: return c;
  }
}

char minuscola1252(char c) {
  const auto b = static_cast<unsigned char>(c);
  if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) return static_cast<char>(b + 0x20);
  switch (b) {
    case 0x8A: case 0x8C: case 0x8E: return static_cast<char>(b + 0x10);  // Š Œ Ž
    case 0x9F: return static_cast<char>(0xFF);                              // Ÿ
    default: return c;
  }
}

}  // namespace velmo
