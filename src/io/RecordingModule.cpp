// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/RecordingModule.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <utility>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "io/RecordingModuleAbi.h"

namespace rp {

namespace {

struct LoadedModule {
  void* handle = nullptr;
  std::string error;  // why there is no handle
};

// The module's place as given to UseRecordingModuleAt; empty: none given.
std::string& GivenModulePath() {
  static std::string path;
  return path;
}

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
// desktop program; a place given first. A module without both functions is of
// another version.
LoadedModule LoadModule() {
  LoadedModule module;
  const std::string folder = OwnFolder();
  std::string why;
  for (const std::string& path :
       {GivenModulePath(), folder + "/" + kRecordingModuleName, folder + "/" + RP_RECORDING_MODULE_FROM_BIN}) {
    if (path.empty() || ::access(path.c_str(), R_OK) != 0) continue;
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      const char* text = ::dlerror();
      why = text != nullptr ? text : path;
      continue;
    }
    if (::dlsym(handle, kReadRecordingSymbol) == nullptr || ::dlsym(handle, kReadRecordingSoundSymbol) == nullptr) {
      why = path + " is of another version of returnplot";
      ::dlclose(handle);
      continue;
    }
    module.handle = handle;
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

}  // namespace

void UseRecordingModuleAt(std::string path) { GivenModulePath() = std::move(path); }

void* RecordingModuleFunction(const char* symbol, std::string& error) {
  static const LoadedModule kModule = LoadModule();
  if (kModule.handle == nullptr) {
    error = kModule.error;
    return nullptr;
  }
  return ::dlsym(kModule.handle, symbol);
}

}  // namespace rp
