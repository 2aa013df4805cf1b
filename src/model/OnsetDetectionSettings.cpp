// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/OnsetDetectionSettings.h"

#include <array>
#include <utility>

namespace rp {

namespace {

constexpr std::array<std::pair<OnsetMethod, std::string_view>, 9> kMethodNames = {{
    {OnsetMethod::Energy, "energy"},
    {OnsetMethod::Hfc, "hfc"},
    {OnsetMethod::Complex, "complex"},
    {OnsetMethod::Phase, "phase"},
    {OnsetMethod::WPhase, "wphase"},
    {OnsetMethod::SpecDiff, "specdiff"},
    {OnsetMethod::Kl, "kl"},
    {OnsetMethod::Mkl, "mkl"},
    {OnsetMethod::SpecFlux, "specflux"},
}};

}  // namespace

bool IsValidOnsetThreshold(double threshold) {
  return threshold >= kMinOnsetThreshold && threshold <= kMaxOnsetThreshold;
}

bool IsValidSilenceDb(double db) { return db >= kMinSilenceDb && db <= kMaxSilenceDb; }

bool IsValidOnsetIoi(double ms) { return ms >= kMinOnsetIoiMs && ms <= kMaxOnsetIoiMs; }

std::string_view OnsetMethodName(OnsetMethod method) {
  for (const auto& [m, name] : kMethodNames) {
    if (m == method) return name;
  }
  return "hfc";
}

std::optional<OnsetMethod> OnsetMethodNamed(std::string_view name) {
  for (const auto& [m, known] : kMethodNames) {
    if (known == name) return m;
  }
  return std::nullopt;
}

std::string OnsetMethodNames() {
  std::string names;
  for (const OnsetMethod method : kOnsetMethods) {
    if (!names.empty()) names += ", ";
    names += OnsetMethodName(method);
  }
  return names;
}

}  // namespace rp
