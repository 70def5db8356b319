#include "strings/collation.h"

#include <cstdint>
#include <utility>
#include <vector>

#include <wcstr.h>

namespace handset::strings {
namespace {

// Base letters of U+00C0..U+00FF; '*' marks a character that is its own letter or a symbol.
constexpr char kLatin1Base[] = "AAAAAAACEEEEIIIIDNOOOOO*OUUUUY**aaaaaaaceeeeiiiidnooooo*ouuuuy*y";

enum Group : std::uint32_t { kSymbol = 1, kDigit = 2, kLetter = 3 };

bool IsLetter(char16_t c) {
  if (c < 0x80) return (c | 0x20) >= u'a' && (c | 0x20) <= u'z';
  if (c < 0xC0) return c == 0xAA || c == 0xB5 || c == 0xBA;
  if (c <= 0xFF) return c != 0xD7 && c != 0xF7;
  // Above Latin-1 everything outside the punctuation and symbol blocks is taken for a letter.
  return !(c >= 0x2000 && c <= 0x2BFF) && !(c >= 0x3000 && c <= 0x303F) && !(c >= 0xFF00 && c <= 0xFF20);
}

struct Weights {
  std::uint32_t primary;
  char16_t accent;  // 0 for an unaccented letter, else the lower-case accented letter
  bool upper;
};

Weights WeightsOf(char16_t c) {
  char16_t base = c;
  if (c >= 0xC0 && c <= 0xFF && kLatin1Base[c - 0xC0] != '*') base = static_cast<char16_t>(kLatin1Base[c - 0xC0]);
  bool upper = towlower(c) != c;
  if (c >= u'0' && c <= u'9') return {(kDigit << 16) | c, 0, false};
  if (!IsLetter(c)) return {(kSymbol << 16) | c, 0, false};
  return {(kLetter << 16) | towlower(base), base == c ? char16_t{0} : towlower(c), upper};
}

bool IsWordSortSpecial(char16_t c) { return c == u'-' || c == u'\''; }

struct SortKey {
  std::vector<std::uint32_t> primary;
  std::vector<char16_t> accents;
  std::vector<bool> cases;
  std::vector<std::pair<std::size_t, char16_t>> specials;  // position and character
};

SortKey KeyOf(const char16_t* s) {
  SortKey key;
  for (std::size_t i = 0; s[i]; ++i) {
    if (IsWordSortSpecial(s[i])) {
      key.specials.emplace_back(i, s[i]);
      continue;
    }
    Weights w = WeightsOf(s[i]);
    key.primary.push_back(w.primary);
    key.accents.push_back(w.accent);
    key.cases.push_back(w.upper);
  }
  return key;
}

template <class T>
int Compare(const T& a, const T& b) {
  return a < b ? -1 : b < a ? 1 : 0;
}

}  // namespace

int CompareWordSort(const char16_t* a, const char16_t* b, bool ignoreCase) {
  SortKey ka = KeyOf(a);
  SortKey kb = KeyOf(b);
  if (int r = Compare(ka.primary, kb.primary)) return r;
  if (int r = Compare(ka.accents, kb.accents)) return r;
  if (!ignoreCase)
    if (int r = Compare(ka.cases, kb.cases)) return r;
  return Compare(ka.specials, kb.specials);
}

}  // namespace handset::strings
