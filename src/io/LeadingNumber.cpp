#include "io/LeadingNumber.h"

#include <charconv>
#include <cstdint>
#include <string>

namespace rp {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
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
std::optional<double> ReadRadixInteger(std::string_view text) {
  const int radix = RadixOf(text[1]);
  const std::string_view digits = text.substr(2, RadixDigits(text.substr(2), radix));
  std::uint64_t value = 0;
  for (char c : digits) {
    value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(DigitValue(c));
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

// The decimal number at the start of `text` (no blanks inside): how many
// characters it takes, 0 when there is none. The exponent counts only with at
// least one digit.
struct DecimalSpan {
  std::size_t length = 0;
  std::size_t mantissaEnd = 0;  // end of the digits and point
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
  span.mantissaEnd = i;
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

// Decimal exponent of the mantissa's leading significant digit, plus the
// written exponent: positive means "huge", used only to tell an overflow from
// an underflow when conversion reports the value out of range.
long long Magnitude(std::string_view mantissa, long long exponent) {
  const std::size_t point = mantissa.find('.');
  const std::string_view whole = mantissa.substr(0, point);
  const std::size_t firstWhole = whole.find_first_not_of('0');
  if (firstWhole != std::string_view::npos) return static_cast<long long>(whole.size() - firstWhole) + exponent;
  if (point == std::string_view::npos) return exponent;
  const std::string_view fraction = mantissa.substr(point + 1);
  const std::size_t firstFraction = fraction.find_first_not_of('0');
  return exponent - static_cast<long long>(firstFraction == std::string_view::npos ? 0 : firstFraction);
}

std::optional<double> ConvertDecimal(std::string_view text, const DecimalSpan& span) {
  const std::size_t signLength = (text[0] == '+' || text[0] == '-') ? 1 : 0;
  const std::string_view mantissa = text.substr(signLength, span.mantissaEnd - signLength);
  long long exponent = 0;
  if (span.length > span.mantissaEnd) {
    std::string_view e = text.substr(span.mantissaEnd + 1, span.length - span.mantissaEnd - 1);
    bool negative = false;
    if (e[0] == '+' || e[0] == '-') {
      negative = e[0] == '-';
      e.remove_prefix(1);
    }
    for (char c : e) {
      if (exponent < 100000000) exponent = exponent * 10 + (c - '0');  // beyond that it is all overflow
    }
    if (negative) exponent = -exponent;
  }
  std::string normal(mantissa);
  normal += 'e';
  normal += std::to_string(exponent);
  double value = 0.0;
  const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    if (Magnitude(mantissa, exponent) > 0) return std::nullopt;
    value = 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  if (value == 0.0) return 0.0;  // no negative zero
  return span.negative ? -value : value;
}

}  // namespace

std::optional<double> ReadLeadingNumber(std::string_view field) {
  std::string text;
  text.reserve(field.size());
  for (char c : field) {
    if (c != ' ' && c != '\t' && c != '\n') text.push_back(c);
  }
  if (IsRadixPrefix(text)) return ReadRadixInteger(text);
  const DecimalSpan span = ScanDecimal(text);
  if (span.length == 0) return 0.0;
  return ConvertDecimal(text, span);
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
