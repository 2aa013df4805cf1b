// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/EventsCsv.h"

#include <optional>
#include <ostream>

#include "io/CsvWriter.h"
#include "model/Performance.h"
#include "model/ScoreAlignment.h"

namespace rp {

namespace {

void OptionalNumber(CsvWriter& csv, const std::optional<double>& value) {
  if (value) {
    csv.Number(*value);
  } else {
    csv.Text({});
  }
}

// An undefined value is an empty field.
CsvWriter& Value(CsvWriter& csv, double value) { return IsDefined(value) ? csv.Number(value) : csv.Text({}); }

template <std::size_t N>
void Header(CsvWriter& csv, const std::array<std::string_view, N>& columns) {
  for (const std::string_view name : columns) csv.Text(name);
}

}  // namespace

void WriteEventsCsv(const Performance& performance, std::ostream& out) {
  CsvWriter csv(out);
  Header(csv, kEventColumns);
  // A performance aligned to its score also gives each event's place and tempo.
  if (performance.score) Header(csv, kScoreEventColumns);
  csv.EndRow();
  const bool velocities = HasVelocity(performance);
  // Events and notes numbered from 1 in the file.
  for (std::int32_t k = 0; k < performance.EventCount(); ++k) {
    const OnsetEvent& p = performance.events[static_cast<std::size_t>(k)];
    csv.Integer(k + 1).Number(p.onsetMs);
    Value(Value(Value(csv, p.interval0), p.interval1), p.interval2);
    if (velocities) {
      Value(Value(Value(csv, p.velocity0), p.velocity1), p.velocity2);
    } else {
      csv.Text({}).Text({}).Text({});
    }
    csv.Integer(p.firstNote + 1);
    if (const ScoreEvent* s = ScoreEventOf(performance, k)) {
      csv.Number(s->onsetBeats);
      OptionalNumber(csv, s->beatPeriod0);
      OptionalNumber(csv, s->beatPeriod1);
      OptionalNumber(csv, s->beatPeriod2);
      csv.Number(s->asynchronyMs);
    }
    csv.EndRow();
  }
  csv.Flush();
}

void WriteNotesCsv(const Performance& performance, std::ostream& out) {
  CsvWriter csv(out);
  Header(csv, kNoteColumns);
  csv.EndRow();
  std::int32_t number = 0;
  for (const NoteEvent& n : performance.notes) {
    csv.Integer(++number).Integer(n.isNoteOn ? 1 : 0).Number(n.timeMs).Number(n.leadValue);
    csv.Integer(n.noteKey).Integer(n.noteVelocity).Integer(n.opensEvent + 1).EndRow();
  }
  csv.Flush();
}

}  // namespace rp
