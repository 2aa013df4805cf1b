#include "model/Performance.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>

namespace rp {

Performance Performance::BeforeFirstFile(AnalysisSettings settings) {
  Performance p;
  p.noteEvents.assign(6, NoteEvent{});
  p.noteEventCount = 5;
  p.plotEvents.assign(6, PlotEvent{});
  p.plotEventCount = 5;
  p.settings = settings;
  return p;
}

void Performance::ZeroUpToCounts() {
  const auto noteEnd =
      std::min<std::size_t>(noteEvents.size(), static_cast<std::size_t>(std::max(noteEventCount, 0)) + 1);
  const auto plotEnd =
      std::min<std::size_t>(plotEvents.size(), static_cast<std::size_t>(std::max(plotEventCount, 0)) + 1);
  std::fill(noteEvents.begin(), noteEvents.begin() + static_cast<std::ptrdiff_t>(noteEnd), NoteEvent{});
  std::fill(plotEvents.begin(), plotEvents.begin() + static_cast<std::ptrdiff_t>(plotEnd), PlotEvent{});
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
