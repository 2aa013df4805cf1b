// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a list of times: the beats a tracker found or the taps of a tapping
// study, one time a line, in one of three shapes (the first time decides):
//
//   start<TAB>end<TAB>label   an Audacity label track, in seconds; its lines
//                             starting with "\" (frequency ranges) are skipped
//   time[,label]              time instants exported by Sonic Visualiser (CSV), in seconds
//   time                      a plain list, in seconds or ms as the settings say
//
// Blank lines and lines starting with "#" are skipped everywhere. Times out
// of order are sorted, and the caller told so once.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/AnalysisSettings.h"

namespace rp {

enum class TimesListForm { LabelTrack, TimeInstants, Plain };

struct TimesList {
  TimesListForm form = TimesListForm::Plain;
  std::vector<double> timesMs;  // in order
  bool wasUnsorted = false;     // the file had them out of order
  // Empty when the file was read; otherwise one sentence for the user naming
  // the file and the line.
  std::string error;

  bool Ok() const { return error.empty(); }
};

inline constexpr std::uintmax_t kMaxTimesListBytes = 256u << 20;

// True when the first line that is neither blank nor a comment (in the first
// bytes of a file) begins with a time in one of the three shapes.
bool LooksLikeTimesList(std::string_view head);

TimesList ReadTimesList(const std::string& path, TimesUnit plainUnit);
// `fileName` only names the file in messages.
TimesList ParseTimesList(std::string_view bytes, TimesUnit plainUnit, std::string_view fileName);

}  // namespace rp
