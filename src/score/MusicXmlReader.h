// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a MusicXML score (partwise; plain `.musicxml`/`.xml` or compressed
// `.mxl`) into its bars as notated: parts and staves, voices, chords, ties,
// grace notes, tuplets, backup and forward, changes of divisions, time and
// key signatures, tempo marks, and the repeat signs, endings and jumps that
// make the performed order. What the reader cannot place is an error that
// names the bar.

#include <string>
#include <string_view>

#include "score/NotatedScore.h"

namespace rp {

struct NotatedScoreRead {
  NotatedScore score;
  // Empty when the file was read; otherwise one sentence for the user.
  std::string error;
  bool Ok() const { return error.empty(); }
};

// Whether `path` names a score this reader takes, by its extension.
bool IsMusicXmlPath(const std::string& path);

NotatedScoreRead ReadMusicXmlFile(const std::string& path);
// The text of an uncompressed file; `fileName` only names it in messages.
NotatedScoreRead ParseMusicXml(std::string_view xml, std::string_view fileName);

}  // namespace rp
