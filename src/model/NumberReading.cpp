// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/NumberReading.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "model/RoundHalfEven.h"

namespace rp {

namespace {

// ---- Numbers read leniently

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Collects the accepted characters without blanks, in the form from_chars
// reads: no "+", "e" for the exponent, at least one digit on each side of ".".
class NumberText {
 public:
  void Push(char c) {
    if (size_ < kInline) {
      inline_[size_++] = c;
      return;
    }
    if (size_ == kInline) long_.assign(inline_, kInline);
    long_.push_back(c);
    ++size_;
  }
  void Truncate(std::size_t size) {
    size_ = size;
    if (size_ >= kInline) long_.resize(size_);
  }
  std::size_t size() const { return size_; }
  const char* data() const { return size_ <= kInline ? inline_ : long_.data(); }

 private:
  static constexpr std::size_t kInline = 96;
  char inline_[kInline];
  std::size_t size_ = 0;
  std::string long_;  // only for numbers of absurd length
};

// Exact powers of ten: a mantissa below 2^53 times or divided by one of them
// is a single correctly rounded operation.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common case in one scan: at most 19 significant digits and an exponent
// the powers above cover. Returns false when the exact reading is needed;
// `found` says whether a digit was taken.
bool ReadSimpleNumber(const char* p, const char* end, double& value, bool& found) {
  auto skipBlanks = [&] {
    while (p != end && IsBlank(*p)) ++p;
  };
  skipBlanks();
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) {
    negative = *p++ == '-';
    skipBlanks();
  }
  std::uint64_t mantissa = 0;
  int digits = 0;       // all mantissa digits read
  int significant = 0;  // from the first non-zero one on
  int scale = 0;        // power of ten the mantissa is to be multiplied by
  auto takeDigits = [&](bool fraction) {
    while (p != end && IsDigit(*p)) {
      ++digits;
      if (mantissa != 0 || *p != '0') ++significant;
      mantissa = mantissa * 10 + static_cast<unsigned>(*p++ - '0');
      if (fraction) --scale;
      skipBlanks();
    }
  };
  takeDigits(false);
  if (p != end && *p == '.') {
    ++p;
    skipBlanks();
    takeDigits(true);
  }
  if (significant > 19) return false;
  found = digits > 0;
  if (digits == 0) {
    value = 0.0;
    return true;
  }
  if (p != end && (*p == 'E' || *p == 'e' || *p == 'D' || *p == 'd')) {
    ++p;
    skipBlanks();
    bool negativeExponent = false;
    if (p != end && (*p == '+' || *p == '-')) {
      negativeExponent = *p++ == '-';
      skipBlanks();
    }
    int exponent = 0;
    while (p != end && IsDigit(*p)) {
      if (exponent > 1000) return false;
      exponent = exponent * 10 + (*p++ - '0');
      skipBlanks();
    }
    scale += negativeExponent ? -exponent : exponent;
  }
  if (mantissa == 0) {
    value = 0.0;
    return true;
  }
  if (mantissa > (std::uint64_t{1} << 53) || scale < -22 || scale > 22) return false;
  const double m = static_cast<double>(mantissa);
  value = scale < 0 ? m / kPowersOfTen[-scale] : m * kPowersOfTen[scale];
  if (negative) value = -value;
  return true;
}

// Plain integers as most fields hold them ("1234", " 64"): blanks only around
// the digits. Returns false for anything else.
bool ReadPlainInteger(const char* p, const char* end, double& value) {
  while (p != end && *p == ' ') ++p;
  const char* const digits = p;
  std::uint64_t n = 0;
  while (p != end && IsDigit(*p) && p - digits < 15) n = n * 10 + static_cast<unsigned>(*p++ - '0');
  if (p == digits) return false;
  while (p != end && *p == ' ') ++p;
  if (p != end && (IsDigit(*p) || *p == '.' || *p == 'E' || *p == 'e' || *p == 'D' || *p == 'd' || IsBlank(*p))) {
    return false;
  }
  value = static_cast<double>(n);
  return true;
}

// Whether the number `written` ("[-]digits[.digits][e[-]digits]", as the
// reader collects it) lies beyond the doubles rather than below them: the
// power of ten of its leading significant digit plus the exponent is positive.
bool IsHuge(std::string_view written) {
  if (!written.empty() && written[0] == '-') written.remove_prefix(1);
  const std::size_t e = written.find('e');
  const std::string_view mantissa = written.substr(0, e);
  long long exponent = 0;
  if (e != std::string_view::npos) {
    std::string_view digits = written.substr(e + 1);
    const bool negative = !digits.empty() && digits[0] == '-';
    if (negative) digits.remove_prefix(1);
    for (char c : digits) {
      if (exponent < 100000000) exponent = exponent * 10 + (c - '0');  // beyond that it is all overflow
    }
    if (negative) exponent = -exponent;
  }
  const std::size_t point = mantissa.find('.');
  const std::string_view whole = mantissa.substr(0, point);
  const std::size_t firstWhole = whole.find_first_not_of('0');
  if (firstWhole != std::string_view::npos) return static_cast<long long>(whole.size() - firstWhole) + exponent > 0;
  if (point == std::string_view::npos) return exponent > 0;
  const std::string_view fraction = mantissa.substr(point + 1);
  const std::size_t firstFraction = fraction.find_first_not_of('0');
  return exponent - static_cast<long long>(firstFraction == std::string_view::npos ? 0 : firstFraction) > 0;
}

// The leading decimal number of `text`: blanks anywhere skipped, "." the
// point, "E" or "D" the exponent; 0 without a number. A number too large for
// a double is flagged, one too small reads 0.
NumberReading ReadDecimal(std::string_view text) {
  if (double plain; ReadPlainInteger(text.data(), text.data() + text.size(), plain)) return {plain, true, false};
  bool found = false;
  if (double simple; ReadSimpleNumber(text.data(), text.data() + text.size(), simple, found)) {
    return {simple, found, false};
  }
  const char* p = text.data();
  const char* const end = p + text.size();
  auto skipBlanks = [&] {
    while (p != end && IsBlank(*p)) ++p;
  };

  NumberText number;
  auto takeSign = [&] {
    if (p != end && (*p == '+' || *p == '-')) {
      if (*p == '-') number.Push('-');
      ++p;
      skipBlanks();
    }
  };
  auto takeDigits = [&] {
    std::size_t n = 0;
    for (; p != end && IsDigit(*p); ++n) {
      number.Push(*p++);
      skipBlanks();
    }
    return n;
  };

  skipBlanks();
  takeSign();
  std::size_t digits = takeDigits();
  if (p != end && *p == '.') {
    ++p;
    skipBlanks();
    if (digits == 0) number.Push('0');
    const std::size_t beforePoint = number.size();
    number.Push('.');
    const std::size_t fraction = takeDigits();
    if (fraction == 0) number.Truncate(beforePoint);
    digits += fraction;
  }
  if (digits == 0) return {};
  if (p != end && (*p == 'E' || *p == 'e' || *p == 'D' || *p == 'd')) {
    const std::size_t mantissa = number.size();
    number.Push('e');
    ++p;
    skipBlanks();
    takeSign();
    if (takeDigits() == 0) number.Truncate(mantissa);
  }

  double value = 0.0;
  const std::string_view written(number.data(), number.size());
  const auto [ptr, ec] = std::from_chars(written.data(), written.data() + written.size(), value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) return {0.0, true, IsHuge(written)};
  if (ec != std::errc() || !std::isfinite(value)) return {};
  return {value == 0.0 ? 0.0 : value, true, false};
}

bool IsExponentLetter(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

int DigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// `text` starts with "&H" or "&O" (either case).
bool IsRadixPrefix(std::string_view text) {
  return text.size() >= 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h' || text[1] == 'O' || text[1] == 'o');
}

int RadixOf(char letter) { return (letter == 'H' || letter == 'h') ? 16 : 8; }

// Digits of `radix` from the start of `text`: how many there are.
std::size_t RadixDigits(std::string_view text, int radix) {
  std::size_t n = 0;
  while (n < text.size() && DigitValue(text[n]) < radix) ++n;
  return n;
}

// "&H..." / "&O...": the leading digits as a signed 32-bit value.
NumberReading ReadRadixInteger(std::string_view text) {
  const int radix = RadixOf(text[1]);
  const std::string_view digits = text.substr(2, RadixDigits(text.substr(2), radix));
  std::uint64_t value = 0;
  for (char c : digits) {
    value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(DigitValue(c));
    if (value > 0xFFFFFFFFu) return {0.0, true, true};
  }
  return {static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value))), !digits.empty(), false};
}

// The decimal number at the start of `text` (no blanks inside): how many
// characters it takes, 0 when there is none. The exponent counts only with at
// least one digit.
struct DecimalSpan {
  std::size_t length = 0;
  bool negative = false;
};

DecimalSpan ScanDecimal(std::string_view text) {
  DecimalSpan span;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    span.negative = text[i] == '-';
    ++i;
  }
  bool anyDigit = false;
  bool point = false;
  while (i < text.size()) {
    if (IsDigit(text[i])) {
      anyDigit = true;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
    ++i;
  }
  if (!anyDigit) return DecimalSpan{};
  if (i < text.size() && IsExponentLetter(text[i])) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  span.length = i;
  return span;
}

}  // namespace

NumberReading ReadLeadingNumber(std::string_view text) { return ReadDecimal(text); }

double ReadNumberPrefix(std::string_view text) {
  const NumberReading reading = ReadDecimal(text);
  return reading.tooLarge ? 0.0 : reading.value;
}

int RoundedByteNumber(std::string_view text) {
  const NumberReading reading = ReadDecimal(text);
  const double rounded = RoundHalfEven(reading.value);
  if (!reading.Ok() || !(rounded >= 0.0 && rounded <= 255.0)) return -1;
  return static_cast<int>(rounded);
}

NumberReading ReadFieldNumber(std::string_view field) {
  std::string text;
  text.reserve(field.size());
  for (char c : field) {
    if (c != ' ' && c != '\t' && c != '\n') text.push_back(c);
  }
  if (IsRadixPrefix(text)) return ReadRadixInteger(text);
  return ReadDecimal(text);
}

bool IsWholeNumber(std::string_view field) {
  const std::size_t first = field.find_first_not_of(" \t");
  if (first == std::string_view::npos) return false;
  const std::size_t last = field.find_last_not_of(" \t");
  const std::string_view text = field.substr(first, last - first + 1);
  if (IsRadixPrefix(text)) {
    const std::size_t digits = RadixDigits(text.substr(2), RadixOf(text[1]));
    return digits > 0 && digits + 2 == text.size();
  }
  const DecimalSpan span = ScanDecimal(text);
  return span.length > 0 && span.length == text.size();
}

}  // namespace rp
