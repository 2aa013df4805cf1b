// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/WholeRecording.h"

#include <algorithm>
#include <cmath>

#include "recording/MonoAudioFile.h"

namespace rp {

RecordingSamples ReadWholeRecording(const RecordingSoundRequest& request) {
  RecordingSamples result;
  MonoAudioFile file(request.path != nullptr ? request.path : "");
  if (!file.Error().empty()) {
    result.error = file.Error();
    return result;
  }
  result.sampleRate = file.SampleRate();
  if (file.Frames() > 0) result.mono.reserve(static_cast<std::size_t>(file.Frames()));
  std::vector<float> block(static_cast<std::size_t>(file.SampleRate() / 4));
  std::int64_t read = 0;
  while (const std::size_t n = file.Read(block.data(), block.size())) {
    for (std::size_t i = 0; i < n; ++i) {
      result.mono.push_back(static_cast<std::int16_t>(std::lround(std::clamp(block[i], -1.0F, 1.0F) * 32767.0F)));
    }
    read += static_cast<std::int64_t>(n);
    if (request.keepGoing != nullptr && !request.keepGoing(request.context)) {
      result.cancelled = true;
      result.mono = {};
      return result;
    }
  }
  file.CheckComplete(read);
  if (!file.Error().empty()) {
    result.error = file.Error();
    result.mono = {};
  }
  return result;
}

}  // namespace rp
