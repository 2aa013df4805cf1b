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
  request.filter = std::string(QT_TRANSLATE_NOOP("returnplot", "All performances")) +
                   "|*.txt;*.mid;*.midi;*.match;*.csv;*.wav;*.flac;*.ogg;*.mp3|" +
                   QT_TRANSLATE_NOOP("returnplot", "(*.txt) ASCII MIDI files") + "|*.txt|" +
                   QT_TRANSLATE_NOOP("returnplot", "(*.mid;*.midi) MIDI files") + "|*.mid;*.midi|" +
                   QT_TRANSLATE_NOOP("returnplot", "(*.match) Match files") + "|*.match|" +
                   QT_TRANSLATE_NOOP("returnplot", "(*.txt;*.csv) Lists of times") + "|*.txt;*.csv|" +
                   QT_TRANSLATE_NOOP("returnplot", "(*.wav;*.flac;*.ogg;*.mp3) Recordings") +
                   "|*.wav;*.flac;*.ogg;*.mp3|" + QT_TRANSLATE_NOOP("returnplot", "(*) All files") + "|*|";
  request.defaultExtension = "txt";
  return request;
}

}  // namespace rp
