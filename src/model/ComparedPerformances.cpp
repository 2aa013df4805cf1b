// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ComparedPerformances.h"

#include <filesystem>

namespace rp {

namespace {

std::string BaseName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

std::string PerformanceDisplayName(const Performance& performance) { return BaseName(performance.sourcePath); }

}  // namespace rp
