#include "strings/format.h"

#include <cstdint>
#include <string_view>
#include <type_traits>

namespace handset::strings {
namespace {

// The output window: every write past its capacity is dropped.
class Output {
 public:
  Output(char16_t* out, std::size_t capacity) : out_(out), capacity_(capacity) {}

  void Put(char16_t c) {
    if (count_ < capacity_) out_[count_++] = c;
  }
  void Repeat(char16_t c, std::size_t n) {
    for (; n && count_ < capacity_; --n) out_[count_++] = c;
  }
  std::size_t Count() const { return count_; }

 private:
  char16_t* out_;
  std::size_t capacity_;
  std::size_t count_ = 0;
};

enum class Size { Default, Short, Long, Int64, Pointer };

struct Spec {
  bool left = false;
  bool alternate = false;
  bool zero = false;
  std::size_t width = 0;
  std::size_t precision = 0;  // 0 when absent or given as 0
  Size size = Size::Default;
  char16_t type = 0;
};

// Reads an unsigned decimal number, saturating far above any width the output can hold.
std::size_t ReadNumber(const char16_t*& p) {
  std::size_t n = 0;
  for (; *p >= u'0' && *p <= u'9'; ++p) n = n > 1'000'000 ? n : n * 10 + static_cast<std::size_t>(*p - u'0');
  return n;
}

// Parses what follows a '%'; leaves p on the type character (or the terminator).
Spec ParseSpec(const char16_t*& p) {
  Spec spec;
  for (;; ++p) {
    if (*p == u'-') spec.left = true;
    else if (*p == u'#') spec.alternate = true;
    else if (*p == u'0') spec.zero = true;
    else break;
  }
  spec.width = ReadNumber(p);
  if (*p == u'.') {
    ++p;
    spec.precision = ReadNumber(p);
  }
  if (*p == u'h') {
    spec.size = Size::Short;
    ++p;
  } else if (*p == u'l' || *p == u'w') {
    spec.size = Size::Long;
    ++p;
  } else if (*p == u'I') {
    ++p;
    if (p[0] == u'6' && p[1] == u'4') {
      spec.size = Size::Int64;
      p += 2;
    } else if (p[0] == u'3' && p[1] == u'2') {
      spec.size = Size::Long;
      p += 2;
    } else {
      spec.size = Size::Pointer;
    }
  }
  spec.type = *p;
  return spec;
}

void Pad(Output& out, const Spec& spec, std::size_t length, bool leftSide) {
  if (spec.width > length && spec.left != leftSide) out.Repeat(u' ', spec.width - length);
}

template <class Char>
void PutText(Output& out, const Spec& spec, const Char* text) {
  static constexpr char16_t kNull[] = u"(null)";
  if (!text) return PutText(out, spec, kNull);
  // Only as much of the text as will be written is read: a precision may bound an unterminated one.
  std::size_t length = 0;
  while ((spec.precision == 0 || length < spec.precision) && text[length]) ++length;
  Pad(out, spec, length, true);
  for (std::size_t i = 0; i < length; ++i)
    out.Put(static_cast<char16_t>(static_cast<std::make_unsigned_t<Char>>(text[i])));
  Pad(out, spec, length, false);
}

void PutCharacter(Output& out, const Spec& spec, char16_t c) {
  const char16_t text[] = {c, 0};
  PutText(out, spec, text);
}

void PutNumber(Output& out, const Spec& spec, std::uint64_t magnitude, bool negative, unsigned base, bool upper) {
  char16_t digits[24];
  std::size_t count = 0;
  const char* alphabet = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  do {
    digits[count++] = static_cast<char16_t>(alphabet[magnitude % base]);
    magnitude /= base;
  } while (magnitude);

  std::u16string_view prefix = negative ? u"-" : base == 16 && spec.alternate ? (upper ? u"0X" : u"0x") : u"";
  std::size_t precision = spec.precision == 0 ? 1 : spec.precision;
  std::size_t zeros = precision > count ? precision - count : 0;
  std::size_t length = prefix.size() + zeros + count;
  if (spec.zero && !spec.left && spec.width > length) {
    zeros += spec.width - length;
    length = spec.width;
  }
  Pad(out, spec, length, true);
  for (char16_t c : prefix) out.Put(c);
  out.Repeat(u'0', zeros);
  while (count) out.Put(digits[--count]);
  Pad(out, spec, length, false);
}

// Integer arguments arrive promoted to int unless the size says 64 bits (or pointer-sized).
std::int64_t SignedArgument(const Spec& spec, va_list* args) {
  switch (spec.size) {
    case Size::Int64:
    case Size::Pointer:
      return va_arg(*args, long long);
    case Size::Short:
      return static_cast<short>(va_arg(*args, int));
    default:
      return va_arg(*args, int);
  }
}

std::uint64_t UnsignedArgument(const Spec& spec, va_list* args) {
  switch (spec.size) {
    case Size::Int64:
    case Size::Pointer:
      return va_arg(*args, unsigned long long);
    case Size::Short:
      return static_cast<unsigned short>(va_arg(*args, unsigned int));
    default:
      return va_arg(*args, unsigned int);
  }
}

void Convert(Output& out, Spec spec, va_list* args) {
  // 'C' and 'S' take the other width of character from the lower-case types unless a size says.
  bool narrow = spec.size == Size::Short;
  switch (spec.type) {
    case u'C':
    case u'S':
      narrow = spec.size != Size::Long;
      spec.type = spec.type == u'C' ? u'c' : u's';
      break;
    default:
      break;
  }
  switch (spec.type) {
    case u'c': {
      int c = va_arg(*args, int);
      return PutCharacter(out, spec, narrow ? static_cast<unsigned char>(c) : static_cast<char16_t>(c));
    }
    case u's':
      if (narrow) return PutText(out, spec, va_arg(*args, const char*));
      return PutText(out, spec, va_arg(*args, const char16_t*));
    case u'd':
    case u'i': {
      std::int64_t value = SignedArgument(spec, args);
      std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
      return PutNumber(out, spec, magnitude, value < 0, 10, false);
    }
    case u'u':
      return PutNumber(out, spec, UnsignedArgument(spec, args), false, 10, false);
    case u'x':
    case u'X':
      return PutNumber(out, spec, UnsignedArgument(spec, args), false, 16, spec.type == u'X');
    case u'p':
      spec.precision = 2 * sizeof(void*);
      return PutNumber(out, spec, reinterpret_cast<std::uintptr_t>(va_arg(*args, void*)), false, 16, true);
    default:
      // Not a conversion: the character itself is written, without the fields before it.
      return out.Put(spec.type);
  }
}

}  // namespace

std::size_t Format(char16_t* out, std::size_t capacity, const char16_t* format, va_list args) {
  Output output(out, capacity);
  va_list ap;
  va_copy(ap, args);
  for (const char16_t* p = format; *p && output.Count() < capacity; ++p) {
    if (*p != u'%') {
      output.Put(*p);
      continue;
    }
    ++p;
    Spec spec = ParseSpec(p);
    if (!spec.type) break;  // the format ended inside a conversion
    Convert(output, spec, &ap);
  }
  va_end(ap);
  return output.Count();
}

}  // namespace handset::strings
