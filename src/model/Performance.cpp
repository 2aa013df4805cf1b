// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Performance.h"

#include <sys/mman.h>

#include <cstdint>

namespace rp {

Performance Performance::Empty(AnalysisSettings settings) {
  Performance p;
  p.settings = settings;
  return p;
}

void AskForLargePages(void* block, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  constexpr std::uintptr_t kLarge = std::uintptr_t{2} << 20;
  if (bytes < 2 * kLarge) return;
  // Only whole large pages inside the block; the advice is a wish, so a
  // refusal changes nothing.
  const auto begin = (reinterpret_cast<std::uintptr_t>(block) + kLarge - 1) & ~(kLarge - 1);
  const auto end = (reinterpret_cast<std::uintptr_t>(block) + bytes) & ~(kLarge - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)block;
  (void)bytes;
#endif
}

}  // namespace rp
