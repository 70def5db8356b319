// Number conversions of the device's C runtime. `long` is 32 bits on the device, so the results
// saturate at the 32-bit limits whatever the host's `long` is.
#include <cerrno>
#include <cstdint>

#include <wcstr.h>

namespace {

constexpr std::uint64_t kLongMax = 0x7FFFFFFF;
constexpr std::uint64_t kULongMax = 0xFFFFFFFF;

int DigitValue(WCHAR c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'z') return c - u'a' + 10;
  if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
  return 99;
}

struct ParsedNumber {
  std::uint64_t magnitude = 0;  // saturates just above any 32-bit limit
  bool negative = false;
  const WCHAR* end = nullptr;   // after the last digit, or the start when there was no number
};

// The C rules: leading white space, an optional sign, a "0x" prefix for base 16 and base 0, an
// octal leading 0 for base 0.
ParsedNumber ParseNumber(const WCHAR* s, int base) {
  ParsedNumber result;
  result.end = s;
  if (base != 0 && (base < 2 || base > 36)) {
    errno = EINVAL;
    return result;
  }
  const WCHAR* p = s;
  while (iswspace(*p)) ++p;
  if (*p == u'-' || *p == u'+') result.negative = *p++ == u'-';
  if ((base == 0 || base == 16) && p[0] == u'0' && (p[1] == u'x' || p[1] == u'X') && DigitValue(p[2]) < 16) {
    p += 2;
    base = 16;
  } else if (base == 0) {
    base = *p == u'0' ? 8 : 10;
  }
  const WCHAR* digits = p;
  for (; DigitValue(*p) < base; ++p) {
    result.magnitude = result.magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(DigitValue(*p));
    if (result.magnitude > kULongMax + 1) result.magnitude = kULongMax + 1;
  }
  if (p != digits) result.end = p;
  return result;
}

}  // namespace

long wcstol(const WCHAR* s, WCHAR** end, int base) {
  ParsedNumber n = ParseNumber(s, base);
  if (end) *end = const_cast<WCHAR*>(n.end);
  std::uint64_t limit = n.negative ? kLongMax + 1 : kLongMax;
  if (n.magnitude > limit) {
    errno = ERANGE;
    n.magnitude = limit;
  }
  return n.negative ? -static_cast<long>(n.magnitude) : static_cast<long>(n.magnitude);
}

// A negative number is negated in unsigned 32-bit arithmetic, as the C rules say.
unsigned long wcstoul(const WCHAR* s, WCHAR** end, int base) {
  ParsedNumber n = ParseNumber(s, base);
  if (end) *end = const_cast<WCHAR*>(n.end);
  if (n.magnitude > kULongMax) {
    errno = ERANGE;
    return kULongMax;
  }
  auto value = static_cast<std::uint32_t>(n.magnitude);
  return n.negative ? static_cast<std::uint32_t>(0u - value) : value;
}

int _wtoi(const WCHAR* s) { return s ? static_cast<int>(wcstol(s, nullptr, 10)) : 0; }

// A minus sign only in base 10; in other bases the value's 32 bits are written as unsigned.
WCHAR* _itow(int value, WCHAR* buffer, int radix) {
  WCHAR* p = buffer;
  if (radix < 2 || radix > 36) {
    *p = 0;
    return buffer;
  }
  bool negative = radix == 10 && value < 0;
  std::uint32_t magnitude = negative ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  if (negative) *p++ = u'-';
  WCHAR digits[32];
  int count = 0;
  do {
    std::uint32_t digit = magnitude % static_cast<std::uint32_t>(radix);
    digits[count++] = static_cast<WCHAR>(digit < 10 ? u'0' + digit : u'a' + digit - 10);
    magnitude /= static_cast<std::uint32_t>(radix);
  } while (magnitude);
  while (count) *p++ = digits[--count];
  *p = 0;
  return buffer;
}
