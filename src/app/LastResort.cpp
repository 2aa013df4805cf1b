// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LastResort.h"

#include <unistd.h>

#include <exception>
#include <ostream>
#include <string_view>

#include "app/CommandLine.h"

namespace rp {

namespace {

constexpr std::string_view kInternalError =
    "returnplot: an internal error stopped the program; please report it with the command that led to it\n";

[[noreturn]] void EndOnInternalError() {
  // Only what is safe wherever std::terminate is called from.
  (void)!::write(STDERR_FILENO, kInternalError.data(), kInternalError.size());
  ::_exit(kExitInternalError);
}

}  // namespace

int RunGuarded(const std::function<int()>& body, std::ostream& err) {
  std::set_terminate(&EndOnInternalError);
  try {
    return body();
  } catch (...) {
    err << kInternalError;
    err.flush();
    return kExitInternalError;
  }
}

}  // namespace rp
