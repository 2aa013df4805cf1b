#include "app/RecordOptions.h"

#include <charconv>
#include <cmath>
#include <ostream>

namespace rp {

namespace {

// The whole of `text` as a number, or nothing.
template <class Number>
std::optional<Number> WholeText(const std::string& text) {
  Number value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<RecordOptions> ParseRecordOptions(const std::vector<std::string>& args, std::ostream& err) {
  RecordOptions options;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a != "--input" && a != "--seconds" && a != "--cluster-ms" && a != "--delay") {
      if (a.rfind("--", 0) == 0) {
        err << "returnplot: --record does not know " << a << "; usage: returnplot --record " << kRecordUsage << '\n';
        return std::nullopt;
      }
      positional.push_back(a);
      continue;
    }
    if (i + 1 == args.size()) {
      err << "returnplot: " << a << " needs a value; usage: returnplot --record " << kRecordUsage << '\n';
      return std::nullopt;
    }
    const std::string& value = args[++i];
    if (a == "--input") {
      options.input = value;
    } else if (a == "--seconds") {
      const auto s = WholeText<double>(value);
      if (!s || !std::isfinite(*s) || *s <= 0) {
        err << "returnplot: --seconds takes a number of seconds above 0, not \"" << value << "\"\n";
        return std::nullopt;
      }
      options.seconds = *s;
    } else if (a == "--cluster-ms") {
      const auto ms = WholeText<double>(value);
      if (!ms || !(*ms >= 0 && *ms <= 1000)) {
        err << "returnplot: --cluster-ms takes a number of ms from 0 to 1000, not \"" << value << "\"\n";
        return std::nullopt;
      }
      options.settings.ClusterWindowMs = *ms;
    } else {
      const auto d = WholeText<std::int32_t>(value);
      if (!d || *d < 1 || *d > 50) {
        err << "returnplot: --delay takes a whole number from 1 to 50, not \"" << value << "\"\n";
        return std::nullopt;
      }
      options.settings.Delay = *d;
    }
  }
  if (positional.size() != 1 || options.input.empty()) {
    err << "returnplot: usage: returnplot --record " << kRecordUsage << '\n';
    return std::nullopt;
  }
  options.output = positional.front();
  return options;
}

}  // namespace rp
