// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/HoverLabel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "model/ComparedPerformances.h"
#include "model/NumberPattern.h"
#include "model/Performance.h"
#include "model/ScoreAlignment.h"
#include "plot/DataEntry.h"
#include "plot/PlotPoints.h"

namespace rp {

namespace {

constexpr const char* kNoValue = "\u2013";  // an en dash: no value
// A chord of more keys names only its first ones.
constexpr int kMostKeys = 12;

std::string ValueLine(const std::string& title, double value, const std::string& format, std::string_view separator) {
  return " " + title + "=" + FormatNumber(value, format, separator);
}

// Nearest whole pixel (halves to even); values beyond 32 bits are clamped.
std::int32_t RoundPixel(double v) {
  const double r = std::nearbyint(v);
  if (!(r >= std::numeric_limits<std::int32_t>::min())) return std::numeric_limits<std::int32_t>::min();
  if (r > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(r);
}

std::int32_t NotNegative(std::int32_t v) { return v < 0 ? 1 : v; }

// The event's note-ons: from its first one up to the next event's first one.
std::string KeysOf(const Performance& performance, std::int32_t event) {
  const auto index = static_cast<std::size_t>(event);
  const auto first = static_cast<std::size_t>(performance.events[index].firstNote);
  std::size_t end = first + 1;
  if (index + 1 < performance.events.size()) {
    end = std::max(end, static_cast<std::size_t>(performance.events[index + 1].firstNote));
  } else {
    end = performance.notes.size();
  }
  end = std::min(end, performance.notes.size());
  std::string keys;
  int count = 0;
  for (std::size_t j = first; j < end && count < kMostKeys; ++j) {
    const NoteEvent& note = performance.notes[j];
    if (!note.isNoteOn || note.noteVelocity == 0) continue;
    if (!keys.empty()) keys += ' ';
    keys += NoteName(note.noteKey);
    ++count;
  }
  return keys;
}

// Whether the keys of its notes mean anything: a list of times plays
// clicks, a recording has no keys.
bool HasKeys(const Performance& performance) {
  return (performance.source == PerformanceSource::Notes && performance.velocityKind == VelocityKind::Midi) ||
         performance.source == PerformanceSource::ScoreAligned;
}

// "m:ss.sss" from the start of the performance, to the nearest ms.
std::string OnsetText(double ms, std::string_view decimalSeparator) {
  if (!IsDefined(ms)) return kNoValue;
  const double wholeMs = std::round(std::max(ms, 0.0));
  const double minutes = std::floor(wholeMs / 60000.0);
  const double seconds = (wholeMs - minutes * 60000.0) / 1000.0;
  return FormatNumber(minutes, "0", decimalSeparator) + ":" + FormatNumber(seconds, "00.000", decimalSeparator);
}

// A tempo value with the beat and unit it is counted in: "1580.000 ms per quarter".
std::string TempoText(const std::string& number, const Performance& performance, const TempoMeasure& tempo) {
  const std::optional<Beat> beat = TempoBeatOf(performance, tempo);
  if (tempo.unit == TempoUnit::Bpm) {
    return beat ? FormatText(QT_TRANSLATE_NOOP("returnplot", "%1 BPM (%2)"), {number, BeatName(*beat)})
                : FormatText(QT_TRANSLATE_NOOP("returnplot", "%1 BPM"), {number});
  }
  return beat ? FormatText(QT_TRANSLATE_NOOP("returnplot", "%1 ms per %2"), {number, BeatName(*beat)})
              : FormatText(QT_TRANSLATE_NOOP("returnplot", "%1 ms per beat"), {number});
}

std::string ValueText(double value, ValueKind kind, const Performance& performance, const TempoMeasure& tempo,
                      std::string_view format, std::string_view decimalSeparator) {
  if (!IsDefined(value)) return kNoValue;
  const VelocityKind velocity = performance.velocityKind;
  if (kind == ValueKind::Velocity && velocity == VelocityKind::Midi) {
    return FormatText(QT_TRANSLATE_NOOP("returnplot", "velocity %1"), {FormatNumber(value, "0", decimalSeparator)});
  }
  if (kind == ValueKind::Velocity) {
    return FormatText(QT_TRANSLATE_NOOP("returnplot", "%1 dB"), {FormatNumber(value, "0.0", decimalSeparator)});
  }
  const std::string number = FormatNumber(value, format, decimalSeparator);
  if (kind == ValueKind::Tempo) return TempoText(number, performance, tempo);
  return FormatText(QT_TRANSLATE_NOOP("returnplot", "%1 ms"), {number});
}

}  // namespace

std::vector<std::string> HoverLabelText(const PlotPoints& titles, const DataEntry& point,
                                        std::string_view decimalSeparator) {
  return {point.dataName, ValueLine(titles.xAxisName, point.dataX, titles.xValueFormat, decimalSeparator),
          ValueLine(titles.verticalAxisName, point.dataY, titles.yValueFormat, decimalSeparator),
          ValueLine(titles.depthAxisName, point.dataZ, titles.zValueFormat, decimalSeparator),
          ValueLine(titles.sizeName, point.dataSize, titles.sizeValueFormat, decimalSeparator)};
}

std::string NoteName(int key) {
  static constexpr std::array<const char*, 12> kNames = {"C",  "C#", "D",  "D#", "E",  "F",
                                                         "F#", "G",  "G#", "A",  "A#", "B"};
  const int k = std::clamp(key, 0, 127);
  return std::string(kNames[static_cast<std::size_t>(k % 12)]) + std::to_string(k / 12 - 1);
}

std::vector<std::string> PerformancePointText(const PlotPoints& titles, const DataEntry& point,
                                              const Performance& performance, std::int32_t event, ValueKind kind,
                                              std::string_view decimalSeparator, const TempoMeasure& tempo) {
  std::vector<std::string> text{PerformanceDisplayName(performance)};
  if (event < 0 || event >= performance.EventCount()) return text;
  const OnsetEvent& e = performance.events[static_cast<std::size_t>(event)];
  const auto line = [&text](std::string item) { text.push_back(std::move(item)); };
  line(FormatText(QT_TRANSLATE_NOOP("returnplot", "event %1 at %2"),
                  {std::to_string(event + 1), OnsetText(e.onsetMs, decimalSeparator)}));
  if (HasKeys(performance)) {
    if (const std::string keys = KeysOf(performance, event); !keys.empty()) {
      line(FormatText(QT_TRANSLATE_NOOP("returnplot", "keys %1"), {keys}));
    }
  }
  if (const ScoreEvent* at = ScoreEventOf(performance, event); at != nullptr && !at->barBeat.empty()) {
    line(FormatText(QT_TRANSLATE_NOOP("returnplot", "bar %1"), {at->barBeat}));
  }
  const auto value = [&](const std::string& name, double v, const std::string& format) {
    line(FormatText(QT_TRANSLATE_NOOP("returnplot", "%1 = %2"),
                    {name, ValueText(v, kind, performance, tempo, format, decimalSeparator)}));
  };
  value(titles.xAxisName, point.dataX, titles.xValueFormat);
  value(titles.verticalAxisName, point.dataY, titles.yValueFormat);
  value(titles.depthAxisName, point.dataZ, titles.zValueFormat);
  return text;
}

Rect HoverLabelRect(float x, float y) {
  return Rect{NotNegative(RoundPixel(static_cast<double>(x) - 20.0)),
              NotNegative(RoundPixel(static_cast<double>(y) - 70.0)), 0, 0};
}

}  // namespace rp
