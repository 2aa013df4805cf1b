#include "io/NumberPrefix.h"

#include <charconv>
#include <cmath>
#include <string>

namespace rp {

namespace {

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
// the powers above cover. Returns false when the exact reading is needed.
bool ReadSimpleNumber(const char* p, const char* end, double& value) {
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

}  // namespace

// Plain integers as most fields hold them ("1234", " 64"): blanks only around
// the digits. Returns false for anything else.
inline bool ReadPlainInteger(const char* p, const char* end, double& value) {
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

double ReadNumberPrefix(std::string_view text) {
  if (double plain; ReadPlainInteger(text.data(), text.data() + text.size(), plain)) return plain;
  if (double simple; ReadSimpleNumber(text.data(), text.data() + text.size(), simple)) return simple;
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
  if (digits == 0) return 0.0;
  if (p != end && (*p == 'E' || *p == 'e' || *p == 'D' || *p == 'd')) {
    const std::size_t mantissa = number.size();
    number.Push('e');
    ++p;
    skipBlanks();
    takeSign();
    if (takeDigits() == 0) number.Truncate(mantissa);
  }

  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)ptr;
  if (ec != std::errc() || !std::isfinite(value) || value == 0.0) return 0.0;
  return value;
}

std::uint8_t RoundedBytePrefix(std::string_view text) {
  const double rounded = std::nearbyint(ReadNumberPrefix(text));
  if (!(rounded >= 0.0 && rounded <= 255.0)) return 0;
  return static_cast<std::uint8_t>(rounded);
}

}  // namespace rp
