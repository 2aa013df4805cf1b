// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/PerformanceFileDialog.h"

#include "base/TranslatableText.h"

namespace rp {

OpenFileRequest PerformanceFileRequest(std::string title) {
  OpenFileRequest request;
  request.title = std::move(title);
  // Every kind the loader reads, together first, so that a folder of any
  // of them never looks empty.
  // Each label is marked on its own: the windows translate the labels.
  request.fileTypes = {
      {QT_TRANSLATE_NOOP("returnplot", "All performances"),
       {"*.txt", "*.mid", "*.midi", "*.match", "*.csv", "*.wav", "*.flac", "*.ogg", "*.mp3"}},
      {QT_TRANSLATE_NOOP("returnplot", "ASCII MIDI files"), {"*.txt"}},
      {QT_TRANSLATE_NOOP("returnplot", "MIDI files"), {"*.mid", "*.midi"}},
      {QT_TRANSLATE_NOOP("returnplot", "Match files"), {"*.match"}},
      {QT_TRANSLATE_NOOP("returnplot", "Lists of times"), {"*.txt", "*.csv"}},
      {QT_TRANSLATE_NOOP("returnplot", "Recordings"), {"*.wav", "*.flac", "*.ogg", "*.mp3"}},
      {QT_TRANSLATE_NOOP("returnplot", "All files"), {"*"}},
  };
  request.defaultExtension = "txt";
  return request;
}

}  // namespace rp
