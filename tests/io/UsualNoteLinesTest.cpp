// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <tuple>
#include <vector>

#include "io/AsciiMidiReader.h"
#include "io/FieldReader.h"
#include "support/TempDir.h"

namespace rp {
namespace {

using Note = std::tuple<double, double, int, int, bool, int>;

struct Reading {
  std::vector<Note> notes;
  FieldCounts counts;
  std::int64_t end = 0;  // where the next field would start
};

void Add(std::vector<Note>& out, const NoteEvent& n) {
  out.emplace_back(n.timeMs, n.leadValue, n.noteKey, n.noteVelocity, n.isNoteOn, (n.opensEvent + 1));
}

// Field by field, as the windows' load reads: the reference for the batch
// reader and its pass over the usual lines. `starts` gets every field start.
Reading FieldByField(int fd, std::size_t chunk, std::int64_t limit, std::vector<std::int64_t>& starts) {
  Reading r;
  FieldReader fields(fd, 0, chunk);
  std::string_view field;
  starts.push_back(fields.Offset());
  while (fields.Next(field)) {
    const std::int64_t at = starts.back();
    starts.push_back(fields.Offset());
    ++r.counts.fields;
    if (!IsNoteLine(field)) continue;
    ++r.counts.noteLines;
    const NoteLineReading n = ReadNoteLine(field);
    if (!n.Ok()) {
      r.counts.found.Skip(field, at, n.problem);
      continue;
    }
    if (n.note.isNoteOn) r.counts.found.NoteOn(n.note.timeMs, at);
    if (r.counts.Read() > limit) continue;
    Add(r.notes, n.note);
    r.counts.noteOns += n.note.isNoteOn;
  }
  r.end = fields.Offset();
  return r;
}

Reading Batch(int fd, std::size_t chunk, std::int64_t limit, std::int64_t stopAt = INT64_MAX) {
  Reading r;
  FieldReader fields(fd, 0, chunk);
  std::vector<NoteEvent> notes;
  r.counts = ReadAllNotes(fields, notes, limit, stopAt);
  for (const NoteEvent& n : notes) Add(r.notes, n);
  r.end = fields.Offset();
  return r;
}

void ExpectSame(const Reading& got, const Reading& want, const std::string& what) {
  EXPECT_EQ(got.notes, want.notes) << what;
  EXPECT_EQ(got.counts.fields, want.counts.fields) << what;
  EXPECT_EQ(got.counts.noteLines, want.counts.noteLines) << what;
  EXPECT_EQ(got.counts.noteOns, want.counts.noteOns) << what;
  const NoteLineFindings& g = got.counts.found;
  const NoteLineFindings& w = want.counts.found;
  EXPECT_EQ(std::tie(g.skipped, g.firstSkippedAt, g.firstSkippedText, g.firstSkippedReason),
            std::tie(w.skipped, w.firstSkippedAt, w.firstSkippedText, w.firstSkippedReason))
      << what;
  EXPECT_EQ(std::tie(g.earlier, g.firstEarlierAt, g.lastNoteOnMs),
            std::tie(w.earlier, w.firstEarlierAt, w.lastNoteOnMs))
      << what;
  EXPECT_EQ(got.end, want.end) << what;
}

// Usual lines and every near-usual variant of them: each character changed,
// doubled or removed, long digit runs, keys and velocities past 127 and 255,
// times going back, all line ends. A variant that starts with a quote gets a
// quote on the next line.
std::string Variants() {
  const std::vector<std::string> usual = {"1; /* 26 ms */+54 89;",
                                          "123456789012345; /* 4 ms */-108127;",
                                          "77; /* 123456789012345 ms */+21  5;",
                                          "9; /* 0 ms */-300999;",
                                          "; /* 1 ms */+255256;",
                                          "5; /* 7 ms */+  9 1 2;"};
  const std::string replacements = "09 \t,\"+-;/*m\r\nx.";
  std::vector<std::string> lines = {"1234567890123456; /* 5 ms */+60 64;", "1; /* 1234567890123456 ms */+60 64;",
                                    "1; /* 5 ms */+60 64 1 2 3 4 5 6 7 8;", "1; /* 5 ms */+6064;"};
  for (const std::string& line : usual) {
    lines.push_back(line);
    for (std::size_t i = 0; i <= line.size(); ++i) {
      for (char c : replacements) {
        if (i < line.size()) lines.push_back(line.substr(0, i) + c + line.substr(i + 1));
        lines.push_back(line.substr(0, i) + c + line.substr(i));
      }
      if (i < line.size()) lines.push_back(line.substr(0, i) + line.substr(i + 1));
    }
  }
  std::string text;
  const char* const ends[] = {"\n", "\r\n", "\r", " \n", ";\n"};
  for (std::size_t k = 0; k < lines.size(); ++k) {
    text += lines[k] + (k % 7 == 0 ? ends[(k / 7) % 5] : "\n");
    if (lines[k][0] == '"') text += "\"\n";
  }
  return text + "2; /* 9 ms */+60 64;";  // the last line without a line end
}

class VariantFile {
 public:
  VariantFile() : file_(Variants()), fd_(::open(file_.Path().c_str(), O_RDONLY)) {}
  ~VariantFile() { ::close(fd_); }
  int Fd() const { return fd_; }

 private:
  test::TempFile file_;
  int fd_;
};

TEST(UsualNoteLines, BatchReadGivesWhatFieldByFieldGivesForEveryVariantAndBufferCut) {
  VariantFile file;
  ASSERT_GE(file.Fd(), 0);
  // Small chunks cut lines at the buffer's end everywhere.
  for (std::size_t chunk : {std::size_t{100}, std::size_t{173}, FieldReader::kDefaultChunk}) {
    std::vector<std::int64_t> starts;
    const Reading all = FieldByField(file.Fd(), chunk, INT64_MAX, starts);
    ASSERT_GT(all.counts.noteLines, 1000);
    ASSERT_GT(all.counts.found.skipped, 100);
    ASSERT_GT(all.counts.found.earlier, 100);
    ExpectSame(Batch(file.Fd(), chunk, INT64_MAX), all, "chunk " + std::to_string(chunk));
    const std::int64_t limit = all.counts.noteLines / 3;
    ExpectSame(Batch(file.Fd(), chunk, limit), FieldByField(file.Fd(), chunk, limit, starts),
               "limit, chunk " + std::to_string(chunk));
  }
}

TEST(UsualNoteLines, BatchReadStopsAtTheSameFieldStartsAsFieldByField) {
  // The halves of a big file join only where the first one stops exactly at
  // the cut: each field must start where field by field it starts.
  VariantFile file;
  std::vector<std::int64_t> starts;
  FieldByField(file.Fd(), FieldReader::kDefaultChunk, INT64_MAX, starts);
  for (std::size_t k = 0; k + 1 < starts.size(); k += 3) {
    std::vector<std::int64_t> ignored;
    const Reading batch = Batch(file.Fd(), 256, INT64_MAX, starts[k] + 1);
    EXPECT_EQ(batch.end, starts[k + 1]) << "field " << k;
    EXPECT_EQ(batch.counts.fields, static_cast<std::int64_t>(k + 1)) << "field " << k;
  }
}

}  // namespace
}  // namespace rp
