// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/RecordingReader.h"

#include <cstdint>

#include "frontend/ProgressSink.h"
#include "frontend/ProgressThrottle.h"
#include "io/RecordingModule.h"
#include "io/RecordingModuleAbi.h"

namespace rp {

namespace {

struct ProgressBridge {
  ProgressSink& sink;
  ProgressThrottle& shown;
};

constexpr std::int64_t kProgressSteps = 1000;

bool ReportProgress(void* context, double done) {
  auto& bridge = *static_cast<ProgressBridge*>(context);
  if (done >= 0.0) bridge.shown.SetValue(static_cast<std::int64_t>(done * kProgressSteps));
  bridge.shown.Poll();
  return !bridge.sink.CancelRequested();
}

}  // namespace

RecordingRead ReadRecording(const std::string& path, const OnsetDetectionSettings& settings, ProgressSink* progress) {
  RecordingRead result;
  std::string why;
  const auto entry = reinterpret_cast<ReadRecordingEntry>(RecordingModuleFunction(kReadRecordingSymbol, why));
  if (entry == nullptr) {
    result.error = why;  // the callers name the recording
    return result;
  }
  const std::string method(OnsetMethodName(settings.method));
  RecordingRequest request;
  request.path = path.c_str();
  request.method = method.c_str();
  request.threshold = settings.threshold;
  request.silenceDb = settings.silenceDb;
  request.minIoiMs = settings.minIoiMs;
  NullProgressSink none;
  ProgressSink& sink = progress != nullptr ? *progress : none;
  ProgressThrottle shown(sink);
  ProgressBridge bridge{sink, shown};
  if (progress != nullptr) {
    shown.SetCaption("Finding onsets...");
    shown.SetRange(0, kProgressSteps);
    request.progress = &ReportProgress;
    request.context = &bridge;
  }
  entry(&request, &result);
  if (result.cancelled) result.onsets.clear();
  return result;
}

}  // namespace rp
