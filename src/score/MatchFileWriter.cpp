// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/MatchFileWriter.h"

#include <charconv>
#include <cmath>
#include <ostream>

namespace rp {

namespace {

constexpr std::uint8_t kSustainController = 64;
constexpr std::uint8_t kSoftController = 67;

// The shortest text that reads back to `value`.
std::string Number(double value) {
  if (value == 0.0) value = 0.0;  // no "-0"
  char text[32];
  const auto [end, ec] = std::to_chars(text, text + sizeof(text), value);
  return {text, end};
}

long long Ticks(double ms) { return std::llround(ms * 1000.0); }

std::string Alteration(int alter) {
  switch (alter) {
    case 1:
      return "#";
    case 2:
      return "##";
    case -1:
      return "b";
    case -2:
      return "bb";
    default:
      return "n";
  }
}

// Match files take no commas, brackets or line ends in a value.
std::string Plain(std::string text) {
  for (char& c : text) {
    if (c == ',' || c == '(' || c == ')' || c == '[' || c == ']' || c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

void ScoreNoteTerm(std::ostream& out, const Score& score, const ScoreNote& n) {
  const double onset = n.positionBeats - score.upbeatBeats;
  out << "snote(" << Plain(n.id) << ",[" << n.step << ',' << Alteration(n.alter) << "]," << n.octave << ',' << n.bar
      << ':' << n.beat << ',' << n.offsetInBeat.Text() << ',' << n.durationWhole.Text() << ',' << Number(onset) << ','
      << Number(onset + n.durationBeats) << ",[v" << n.voice << ",staff" << n.staff << (n.grace ? ",grace" : "")
      << (n.arpeggio ? ",arp" : "") << "])";
}

void PlayedNoteTerm(std::ostream& out, std::size_t id, const PlayedNote& p) {
  out << "note(" << id << ',' << static_cast<int>(p.key) << ',' << Ticks(p.onsetMs) << ',' << Ticks(p.offsetMs) << ','
      << static_cast<int>(p.velocity) << ',' << static_cast<int>(p.channel) << ",0)";
}

}  // namespace

void WriteMatchFile(std::ostream& out, const MatchFileHeader& header, const Score& score,
                    const std::vector<PlayedNote>& played, const NoteAlignment& alignment,
                    const std::vector<ControllerEvent>& controllers) {
  out << "info(matchFileVersion,1.0.0).\n";
  if (!header.piece.empty()) out << "info(piece," << Plain(header.piece) << ").\n";
  if (!header.scoreFileName.empty()) out << "info(scoreFileName," << Plain(header.scoreFileName) << ").\n";
  if (!header.midiFileName.empty()) out << "info(midiFileName," << Plain(header.midiFileName) << ").\n";
  if (!header.composer.empty()) out << "info(composer," << Plain(header.composer) << ").\n";
  if (!header.performer.empty()) out << "info(performer," << Plain(header.performer) << ").\n";
  // 500000 ticks a quarter at 500000 microseconds a quarter: a tick is a microsecond.
  out << "info(midiClockUnits,500000).\ninfo(midiClockRate,500000).\n";
  for (const TimeSignatureAt& t : score.timeSignatures) {
    out << "scoreprop(timeSignature," << t.beats << '/' << t.beatType << ',' << t.bar << ":1,0,"
        << Number(t.positionBeats - score.upbeatBeats) << ").\n";
  }
  for (const KeySignatureAt& k : score.keySignatures) {
    out << "scoreprop(keySignature," << KeyName(k) << ',' << k.bar << ":1,0,"
        << Number(k.positionBeats - score.upbeatBeats) << ").\n";
  }
  for (std::size_t s = 0; s < score.notes.size(); ++s) {
    ScoreNoteTerm(out, score, score.notes[s]);
    const std::int32_t p = alignment.playedOf[s];
    if (p < 0) {
      out << "-deletion.\n";
      continue;
    }
    out << '-';
    PlayedNoteTerm(out, static_cast<std::size_t>(p), played[static_cast<std::size_t>(p)]);
    out << ".\n";
  }
  for (std::size_t p = 0; p < played.size(); ++p) {
    if (alignment.scoreOf[p] >= 0) continue;
    out << "insertion-";
    PlayedNoteTerm(out, p, played[p]);
    out << ".\n";
  }
  for (const ControllerEvent& c : controllers) {
    if (c.controller != kSustainController && c.controller != kSoftController) continue;
    out << (c.controller == kSustainController ? "sustain(" : "soft(") << Ticks(c.timeMs) << ','
        << static_cast<int>(c.value) << ").\n";
  }
}

}  // namespace rp
