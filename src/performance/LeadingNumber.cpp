#include "performance/LeadingNumber.h"

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

}  // namespace

double ReadLeadingNumber(std::string_view text) {
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
  if (ec != std::errc() || !std::isfinite(value)) return 0.0;
  return value;
}

std::uint8_t ReadLeadingByte(std::string_view text) {
  const double rounded = std::nearbyint(ReadLeadingNumber(text));
  if (!(rounded >= 0.0 && rounded <= 255.0)) return 0;
  return static_cast<std::uint8_t>(rounded);
}

}  // namespace rp
