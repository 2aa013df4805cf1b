// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/RecordingReader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>

#include "base/ProgressSink.h"
#include "base/ProgressThrottle.h"
#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "io/RecordingModuleAbi.h"

namespace rp {

namespace {

struct RecordingModule {
  ReadRecordingEntry entry = nullptr;
  std::string error;  // why there is no entry
};

// The folder of the running program's own file.
std::string OwnFolder() {
  char self[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return ".";
  const std::string path(self, static_cast<std::size_t>(n));
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

// The module beside the desktop program: in the program's own folder when it
// is the desktop program, else where the command-line program finds the
// desktop program. Loaded once, on first use.
RecordingModule LoadModule() {
  RecordingModule module;
  const std::string folder = OwnFolder();
  std::string why;
  for (const std::string& path : {folder + "/" + kRecordingModuleName, folder + "/" + RP_RECORDING_MODULE_FROM_BIN}) {
    if (::access(path.c_str(), R_OK) != 0) continue;
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      const char* text = ::dlerror();
      why = text != nullptr ? text : path;
      continue;
    }
    void* symbol = ::dlsym(handle, kReadRecordingSymbol);
    if (symbol == nullptr) {
      why = path + " is of another version of returnplot";
      ::dlclose(handle);
      continue;
    }
    module.entry = reinterpret_cast<ReadRecordingEntry>(symbol);
    return module;
  }
  module.error = why.empty()
                     ? FormatText(QT_TRANSLATE_NOOP(
                                      "returnplot",
                                      "the recording module (%1) is not installed beside returnplot's desktop program"),
                                  {kRecordingModuleName})
                     : FormatText(QT_TRANSLATE_NOOP("returnplot", "the recording module cannot be loaded: %1"), {why});
  return module;
}

const RecordingModule& Module() {
  static const RecordingModule kModule = LoadModule();
  return kModule;
}

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
  const RecordingModule& module = Module();
  if (module.entry == nullptr) {
    result.error = module.error;  // the callers name the recording
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
  module.entry(&request, &result);
  if (result.cancelled) result.onsets.clear();
  return result;
}

}  // namespace rp
