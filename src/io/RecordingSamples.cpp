// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/RecordingSamples.h"

#include "io/RecordingModule.h"
#include "io/RecordingModuleAbi.h"

namespace rp {

namespace {

bool AskKeepGoing(void* context) { return (*static_cast<std::function<bool()>*>(context))(); }

}  // namespace

RecordingSamples ReadRecordingSamples(const std::string& path, const std::function<bool()>& keepGoing) {
  RecordingSamples result;
  const auto entry =
      reinterpret_cast<ReadRecordingSoundEntry>(RecordingModuleFunction(kReadRecordingSoundSymbol, result.error));
  if (entry == nullptr) return result;
  RecordingSoundRequest request;
  request.path = path.c_str();
  std::function<bool()> ask = keepGoing;
  if (ask) {
    request.keepGoing = &AskKeepGoing;
    request.context = &ask;
  }
  entry(&request, &result);
  return result;
}

}  // namespace rp
