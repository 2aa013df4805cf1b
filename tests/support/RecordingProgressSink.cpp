// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/RecordingProgressSink.h"

namespace rp {

void RecordingProgressSink::ShowWindow() {
  visible = true;
  ++showCount;
}

void RecordingProgressSink::HideWindow() { visible = false; }

void RecordingProgressSink::SetCaption(std::string_view caption) { captions.emplace_back(caption); }

// A bar cannot have an empty range; like the real control, it keeps the old
// end when a new one would make it empty.
void RecordingProgressSink::SetMinimum(std::int64_t v) {
  if (v < maximum) minimum = v;
  ++updates;
}

void RecordingProgressSink::SetMaximum(std::int64_t v) {
  if (v > minimum) maximum = v;
  ++updates;
}

void RecordingProgressSink::SetValue(std::int64_t v) {
  value = v;
  ++updates;
}

}  // namespace rp
