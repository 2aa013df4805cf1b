// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/RecordingAnalysis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <iterator>
#include <optional>
#include <vector>

#include "recording/AubioOnsetDetector.h"
#include "recording/MonoAudioFile.h"
#include "recording/OnsetLoudness.h"
#include "recording/OnsetRefinement.h"
#include "recording/SampleHistory.h"

namespace rp {

namespace {

struct PendingOnset {
  std::int64_t sample = 0;
  double strength = 0.0;
};

double Rounded(double value, double steps) { return std::round(value * steps) / steps; }

std::string Decibels(double db) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f dB", db);
  return text;
}

// Takes the detector's onsets as the hops stream in, refines each once the
// sound around it is in the history, and gives each its loudness once the
// sound after it is: when the next onset is known, or when no onset can be
// found any more before the end of its loudness span.
class OnsetCollector {
 public:
  OnsetCollector(const RecordingRequest& request, int sampleRate, std::int64_t settleSamples,
                 std::vector<DetectedOnset>& out)
      : sampleRate_(sampleRate),
        minIoi_(std::llround(request.minIoiMs * sampleRate / 1000.0)),
        refineAfter_(std::llround((kRefineAfterMs + 15.0) * sampleRate / 1000.0)),
        settle_(settleSamples),
        window_(std::llround(kLoudnessWindowMs * sampleRate / 1000.0)),
        out_(out) {}

  void Add(const RawOnset& raw) { detected_.push_back({raw.sample, raw.strength}); }

  // Refines the onsets the history holds enough sound after, and gives out
  // every onset whose loudness span lies well before the history's end.
  void Settle(const SampleHistory& history, bool atEnd) {
    while (!detected_.empty() && (atEnd || history.End() >= detected_.front().sample + refineAfter_)) {
      const PendingOnset raw = detected_.front();
      detected_.pop_front();
      const PendingOnset refined{std::max<std::int64_t>(0, RefineOnset(history, raw.sample, sampleRate_)),
                                 raw.strength};
      // Refining may move an onset before the one found just before it.
      auto at = pending_.end();
      while (at != pending_.begin() && std::prev(at)->sample > refined.sample) --at;
      pending_.insert(at, refined);
    }
    const std::int64_t apart = std::max<std::int64_t>(minIoi_, 1);
    while (!pending_.empty()) {
      const PendingOnset first = pending_.front();
      // Its loudness span ends at the next onset that can follow it.
      auto next = pending_.begin() + 1;
      while (next != pending_.end() && next->sample - first.sample < apart) ++next;
      const bool hasNext = next != pending_.end();
      if (!hasNext && !(atEnd && detected_.empty()) && history.End() < first.sample + settle_) return;
      const std::int64_t end = hasNext ? next->sample : history.End();
      pending_.pop_front();
      if (lastKept_ >= 0 && first.sample - lastKept_ < apart) continue;
      // Printed to a hundredth of a ms and of a dB, a thousandth of the strength.
      DetectedOnset onset;
      onset.timeMs = Rounded(static_cast<double>(first.sample) * 1000.0 / sampleRate_, 100.0);
      onset.strength = Rounded(first.strength, 1000.0);
      onset.loudnessDb = Rounded(OnsetLoudnessDb(history, first.sample, end, sampleRate_), 100.0);
      const double beforeDb = OnsetLoudnessDb(history, first.sample - window_, first.sample, sampleRate_);
      if (onset.loudnessDb < beforeDb - kMaxDropDb) continue;
      lastKept_ = first.sample;
      out_.push_back(onset);
    }
  }

 private:
  // The detection function also stirs in the tail of a dying tone, where its
  // adaptive threshold sinks with the sound. An onset brings sound: one whose
  // loudness lies more than this below the level of the 10 ms before it
  // (a tone that dies, a little slower where a soft note joins it) is none.
  static constexpr double kMaxDropDb = 1.0;

  int sampleRate_;
  std::int64_t minIoi_;
  std::int64_t refineAfter_;
  std::int64_t settle_;
  std::int64_t window_;
  std::int64_t lastKept_ = -1;
  std::deque<PendingOnset> detected_;  // as the detector found them
  std::deque<PendingOnset> pending_;   // refined, waiting for their loudness
  std::vector<DetectedOnset>& out_;
};

}  // namespace

RecordingRead AnalyseRecordingFile(const RecordingRequest& request) {
  RecordingRead result;
  MonoAudioFile file(request.path != nullptr ? request.path : "");
  if (!file.Error().empty()) {
    result.error = file.Error();
    return result;
  }
  const int rate = file.SampleRate();
  result.sampleRate = rate;
  result.channels = file.Channels();
  const DetectorShape shape = ShapeForSampleRate(rate);
  AubioOnsetDetector detector(request.method != nullptr ? request.method : "", shape, rate, request.threshold,
                              request.silenceDb);
  if (!detector.Error().empty()) {
    result.error = detector.Error();
    return result;
  }
  // An onset is reported at most a few windows after it began; its loudness
  // span must be in the history by then.
  const auto latency = static_cast<std::int64_t>(8 * shape.window);
  const std::int64_t span = std::llround(kLoudnessSpanMs * rate / 1000.0);
  SampleHistory history(static_cast<std::size_t>(2 * (latency + span) + rate));
  OnsetCollector onsets(request, rate, latency + span, result.onsets);

  const std::int64_t progressEvery = std::max<std::int64_t>(rate / 4, 1);
  std::int64_t nextProgress = progressEvery;
  std::vector<float> hop(shape.hop);
  std::int64_t read = 0;
  float peak = 0.0F;
  // After the end, a window of silence lets the detector see the last peaks.
  std::size_t tailHops = shape.window / shape.hop + 4;
  while (true) {
    std::size_t n = file.Read(hop.data(), hop.size());
    if (n == 0) {
      if (tailHops == 0) break;
      --tailHops;
    }
    std::fill(hop.begin() + static_cast<std::ptrdiff_t>(n), hop.end(), 0.0F);
    for (std::size_t i = 0; i < n; ++i) peak = std::max(peak, std::fabs(hop[i]));
    history.Append(hop.data(), n);
    read += static_cast<std::int64_t>(n);
    if (const auto raw = detector.Feed(hop.data())) {
      if (raw->sample < read) onsets.Add(*raw);
    }
    onsets.Settle(history, false);
    if (read >= nextProgress && request.progress != nullptr) {
      nextProgress = read + progressEvery;
      const double done = file.Frames() > 0 ? std::min(1.0, static_cast<double>(read) / file.Frames()) : -1.0;
      if (!request.progress(request.context, done)) {
        result.cancelled = true;
        result.onsets.clear();
        return result;
      }
    }
  }
  onsets.Settle(history, true);
  result.durationMs = static_cast<double>(read) * 1000.0 / rate;
  file.CheckComplete(read);
  if (!file.Error().empty()) {
    result.error = file.Error();
    result.onsets.clear();
    return result;
  }
  if (result.onsets.empty()) {
    const double peakDb = peak > 0.0F ? 20.0 * std::log10(peak) : -INFINITY;
    if (peak == 0.0F) {
      result.error = "it holds only silence: no onset to plot";
    } else if (peakDb < request.silenceDb) {
      result.error = "its loudest sample, at " + Decibels(peakDb) + ", lies below the silence gate of " +
                     Decibels(request.silenceDb) + ": no onset to plot";
    } else {
      result.error = "no onset was found (its loudest sample is at " + Decibels(peakDb) +
                     "); a lower onset threshold or silence gate may find some";
    }
  }
  return result;
}

}  // namespace rp
