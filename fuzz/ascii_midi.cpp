// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the load of an ASCII MIDI performance: the field splitting, both
// passes of the reader and the onset analysis, in the order the loader runs
// them.
//
// The first input byte picks a tiny read chunk (16 to 79 bytes), so fields
// straddle chunk ends all the time; the fields must come out exactly as when
// the whole file fits one chunk. Every field must pass the note-line test
// exactly when the plain marker search says so, both passes must agree on
// the note lines (each read or skipped), and the performance left behind
// keeps the rules every reader of a performance relies on.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzInputFile.h"
#include "PerformanceRules.h"
#include "analysis/OnsetAnalysis.h"
#include "frontend/ProgressSink.h"
#include "frontend/ProgressThrottle.h"
#include "io/AsciiMidiReader.h"
#include "io/FieldReader.h"
#include "model/Performance.h"

namespace {

using namespace rp;

// The acceptance test written out with the plain search.
bool IsNoteLineByDefinition(std::string_view f) {
  return !f.empty() && FindInLine(f, "/*") > 0 && f.back() == ';' && (FindInLine(f, "+") > 0 || FindInLine(f, "-") > 0);
}

std::vector<std::string> AllFields(std::FILE* file, std::size_t chunk) {
  std::rewind(file);
  FieldReader reader(file, chunk);
  std::vector<std::string> fields;
  std::string_view field;
  while (reader.Next(field)) fields.emplace_back(field);
  RP_FUZZ_CHECK(reader.Error() == 0);
  return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::FuzzInputFile input(".txt");
  const std::size_t chunk = size > 0 ? 16 + data[0] % 64 : 16;
  input.Write(data, size);
  std::FILE* file = std::fopen(input.path().c_str(), "rb");
  RP_FUZZ_CHECK(file != nullptr);

  const std::vector<std::string> whole = AllFields(file, size + 16);
  RP_FUZZ_CHECK(AllFields(file, chunk) == whole);
  std::int64_t noteLines = 0;
  for (const std::string& f : whole) {
    const bool note = IsNoteLine(f);
    RP_FUZZ_CHECK(note == IsNoteLineByDefinition(f));
    if (note) ++noteLines;
  }

  // The load itself, pass by pass.
  std::rewind(file);
  FieldReader fields(file, chunk);
  const FieldCounts counts = CountFields(fields);
  RP_FUZZ_CHECK(counts.fields == static_cast<std::int64_t>(whole.size()));
  RP_FUZZ_CHECK(counts.noteLines == noteLines);
  Performance performance;
  StartRecords(performance.notes, static_cast<std::size_t>(counts.noteLines));
  NullProgressSink none;
  ProgressThrottle progress(none);
  RP_FUZZ_CHECK(fields.Rewind());
  const FieldCounts read = ReadNotes(fields, performance.notes, static_cast<std::size_t>(counts.noteLines), progress);
  RP_FUZZ_CHECK(read.noteLines == counts.noteLines && performance.NoteCount() == read.Read());
  RP_FUZZ_CHECK((read.found.skipped > 0) == (read.found.firstSkippedAt >= 0));
  RP_FUZZ_CHECK((read.found.earlier > 0) == (read.found.firstEarlierAt >= 0));
  AnalyseOnsets(performance, &progress);
  std::fclose(file);

  fuzz::CheckPerformanceRules(performance);
  return 0;
}
