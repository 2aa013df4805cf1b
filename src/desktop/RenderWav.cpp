// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/RenderWav.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ostream>

#include "app/BatchLoad.h"
#include "audio/GeneralMidiSynth.h"
#include "audio/OfflineRender.h"
#include "io/DataFolder.h"
#include "model/Performance.h"
#include "replay/ReplayEngine.h"
#include "replay/TempoMapping.h"

namespace rp {

namespace {

constexpr const char* kUsage = "returnplot: usage: returnplot --render-wav OUT.wav [--speed S] FILE\n";

struct RenderArgs {
  std::string out;
  std::string file;
  int speed = 0;
};

bool ParseArgs(const std::vector<std::string>& args, RenderArgs& parsed, std::ostream& err) {
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--speed") {
      positional.push_back(args[i]);
      continue;
    }
    if (i + 1 == args.size()) {
      err << kUsage;
      return false;
    }
    const std::string& text = args[++i];
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed.speed);
    if (ec != std::errc() || end != text.data() + text.size() || parsed.speed < kReplaySpeedMin ||
        parsed.speed > kReplaySpeedMax) {
      err << "returnplot: --speed takes a whole number from " << kReplaySpeedMin << " to " << kReplaySpeedMax
          << " (the \"Replay speed\" slider), not \"" << text << "\"\n";
      return false;
    }
  }
  if (positional.size() != 2) {
    err << kUsage;
    return false;
  }
  parsed.out = positional[0];
  parsed.file = positional[1];
  return true;
}

}  // namespace

int RenderWav(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  RenderArgs parsed;
  if (!ParseArgs(args, parsed, err)) return kExitUsage;
  int status = 0;
  Performance performance;
  if (!LoadFileForBatch(parsed.file, performance, err, status)) return status;
  int skipped = 0;
  const std::vector<MidiMessage> messages = ReplayFromFirstEvent(performance, &skipped);
  if (skipped > 0) err << "returnplot: " << SkippedNotesText(skipped) << '\n';

  MidiFailure failure;
  auto synth = GeneralMidiSynth::Create(SoundFontCandidates(ProgramDataFolder()), &failure);
  if (!synth) {
    err << "returnplot: " << failure.text << '\n';
    return 1;
  }
  const double factor = TempoFactor(parsed.speed);
  const OfflineRenderResult result = RenderToWav(*synth, messages, factor, parsed.out);
  if (!result.error.empty()) {
    err << "returnplot: " << result.error << '\n';
    return 1;
  }
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.2f", static_cast<double>(result.frames) / kSynthSampleRate);
  out << "Wrote " << parsed.out << ": " << messages.size() << " messages at " << TempoLabel(parsed.speed) << ", "
      << seconds << " s of sound.\n";
  return 0;
}

std::vector<MidiMessage> ReplayFromFirstEvent(const Performance& performance, int* skippedNotes) {
  // Play pressed with the first event current: from its first note to the
  // end of the file, as the replay queues them.
  std::vector<MidiMessage> messages;
  if (skippedNotes != nullptr) *skippedNotes = 0;
  const auto& notes = performance.notes;
  if (notes.empty()) return messages;
  const std::size_t from = performance.events.empty()
                               ? 0
                               : std::min<std::size_t>(static_cast<std::size_t>(performance.events.front().firstNote),
                                                       notes.size() - 1);
  const double start = ReplayStartMs(notes[from]);
  for (std::size_t i = from; i < notes.size(); ++i) {
    const NoteEvent& note = notes[i];
    const auto message = ReplayMessage(note, start);
    if (message && message->status != kTagOnlyStatus) messages.push_back(*message);
    if (skippedNotes != nullptr && IsUnsendableNote(note)) ++*skippedNotes;
  }
  return messages;
}

}  // namespace rp
