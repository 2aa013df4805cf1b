// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/PerformanceFileKind.h"

#include <string_view>

#include "io/AsciiMidiWriter.h"
#include "io/MatchFileReader.h"
#include "io/RecordingSignature.h"
#include "io/StandardMidiFileReader.h"
#include "io/TextLike.h"
#include "io/TimesListReader.h"

namespace rp {

RecognisedFile RecognisePerformanceFile(std::span<const std::uint8_t> head) {
  RecognisedFile found;
  if (LooksLikeStandardMidiFile(head)) {
    found.kind = PerformanceFileKind::MidiFile;
    return found;
  }
  if (LooksLikeRecording(head)) {
    found.kind = PerformanceFileKind::Recording;
    return found;
  }
  found.text = LooksLikeText(head);
  const std::string_view text(reinterpret_cast<const char*>(head.data()), head.size());
  if (LooksLikeMatchFile(text)) {
    found.kind = PerformanceFileKind::MatchFile;
  } else if (LooksLikeTimesList(text)) {
    found.kind = PerformanceFileKind::TimesList;
  } else {
    found.ownListing = IsOwnListing(text);
  }
  return found;
}

}  // namespace rp
