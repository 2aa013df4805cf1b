// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/RenderWav.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <ostream>

#include "app/BatchLoad.h"
#include "app/RemovedOnSignal.h"
#include "app/RenderWavOptions.h"
#include "audio/GeneralMidiSynth.h"
#include "audio/OfflineRender.h"
#include "io/DataFolder.h"
#include "io/FileReplacement.h"
#include "model/Performance.h"
#include "model/VelocityScale.h"
#include "replay/ReplayMessages.h"
#include "replay/TempoMapping.h"

namespace rp {

int RenderWav(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<RenderWavOptions> parsed = ParseRenderWavOptions(args, err);
  if (!parsed) return kExitUsage;
  int status = 0;
  Performance performance;
  if (!LoadFileForBatch(parsed->file, performance, err, status)) return status;
  int skipped = 0;
  const std::vector<MidiMessage> messages =
      ReplayFromFirstEvent(performance, VelocityScaleInUse(performance, parsed->velocityScale), &skipped);
  if (skipped > 0) err << "returnplot: " << SkippedNotesText(skipped) << '\n';

  MidiFailure failure;
  auto synth = GeneralMidiSynth::Create(SoundFontCandidates(ProgramDataFolder()), &failure);
  if (!synth) {
    err << "returnplot: " << failure.text << '\n';
    return 1;
  }
  // Written beside OUT.wav and renamed into place once complete: a failed or
  // killed render leaves an earlier OUT.wav as it was.
  FileReplacement file(parsed->output);
  std::string error = file.Begin();
  OfflineRenderResult result;
  if (error.empty()) {
    // An interrupted render leaves no OUT.wav.PID.part behind.
    const RemovedOnSignal interruptible(file.TemporaryPath());
    result = RenderToWav(*synth, messages, parsed->tempoFactor, file.TemporaryPath());
    error = result.error.empty() ? file.Commit() : file.AsFinal(result.error);
  }
  if (!error.empty()) {
    err << "returnplot: " << error << '\n';
    return 1;
  }
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.2f", static_cast<double>(result.frames) / kSynthSampleRate);
  out << "Wrote " << parsed->output << ": " << messages.size() << " messages at "
      << TempoFactorLabel(parsed->tempoFactor) << ", " << seconds << " s of sound.\n";
  return 0;
}

std::vector<MidiMessage> ReplayFromFirstEvent(const Performance& performance, double velocityScale, int* skippedNotes) {
  // Play pressed with the first event current: from its first note to the
  // end of the file, as the replay queues them.
  std::vector<MidiMessage> messages;
  const auto& notes = performance.notes;
  const std::size_t from =
      performance.events.empty() || notes.empty()
          ? 0
          : std::min<std::size_t>(static_cast<std::size_t>(performance.events.front().firstNote), notes.size() - 1);
  const int skipped = notes.empty() ? 0
                                    : ForEachReplayMessage(performance, from, notes.size() - 1, velocityScale,
                                                           [&messages](const MidiMessage& m) {
                                                             if (m.status != kTagOnlyStatus) messages.push_back(m);
                                                           });
  if (skippedNotes != nullptr) *skippedNotes = skipped;
  return messages;
}

}  // namespace rp
