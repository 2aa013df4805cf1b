// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "io/FieldReader.h"
#include "io/SplitNoteRead.h"
#include "support/TempDir.h"

namespace rp {
namespace {

using test::TempFile;

struct Read {
  std::vector<std::tuple<double, double, int, int, bool>> notes;
  std::int64_t fields = 0;
  std::int64_t noteLines = 0;
  std::int64_t noteOns = 0;
  std::int64_t skipped = 0, firstSkippedAt = -1, earlier = 0, firstEarlierAt = -1;
  int error = 0;
  bool operator==(const Read&) const = default;
};

Read Collect(const std::vector<NoteEvent>& notes, const FieldCounts& counts, int error) {
  Read r;
  for (const NoteEvent& n : notes) r.notes.emplace_back(n.timeMs, n.leadValue, n.noteKey, n.noteVelocity, n.isNoteOn);
  r.fields = counts.fields;
  r.noteLines = counts.noteLines;
  r.noteOns = counts.noteOns;
  r.skipped = counts.found.skipped;
  r.firstSkippedAt = counts.found.firstSkippedAt;
  r.earlier = counts.found.earlier;
  r.firstEarlierAt = counts.found.firstEarlierAt;
  r.error = error;
  return r;
}

// One reader from the start, with small chunks so fields straddle them.
Read ReadOnce(int fd, std::int64_t limit) {
  FieldReader fields(fd, 0, 64);
  std::vector<NoteEvent> notes;
  const FieldCounts counts = ReadAllNotes(fields, notes, limit);
  return Collect(notes, counts, fields.Error());
}

Read ReadInHalves(int fd, std::int64_t size, std::int64_t limit, bool& joined) {
  std::vector<NoteEvent> notes;
  const SplitReadResult r = ReadAllNotesInHalves(fd, size, notes, limit, 1);
  joined = r.joined;
  return Collect(notes, r.counts, r.error);
}

// Note lines with every line end, commas, comments, broken lines, note
// lines to be skipped and times going back; line i starts with i, so a note
// out of place shows.
std::string Mixed(int lines, int firstTime = 0) {
  std::string text;
  for (int i = 0; i < lines; ++i) {
    const std::string sign = i % 5 == 0 ? "-" : "+";
    const int time = firstTime + (i % 11 == 10 ? i * 13 - 20 : i * 13);
    const std::string velocity = i % 9 == 8 ? "300" : " 7" + std::to_string(i % 7);
    text += std::to_string(i) + "; /* " + std::to_string(time) + " ms */" + sign + "6" + std::to_string(i % 10) +
            velocity + ";";
    text += i % 4 == 0 ? "\r\n" : i % 4 == 1 ? "\r" : i % 4 == 2 ? ",comment\n" : "\n; /* no note\n";
  }
  return text;
}

class File {
 public:
  explicit File(const std::string& bytes)
      : file_(bytes), fd_(::open(file_.Path().c_str(), O_RDONLY)), size_(bytes.size()) {}
  ~File() { ::close(fd_); }
  int Fd() const { return fd_; }
  std::int64_t size() const { return size_; }

 private:
  TempFile file_;
  int fd_;
  std::int64_t size_;
};

TEST(SplitNoteRead, JoinsBothHalvesInFileOrderAtEveryKindOfCut) {
  // The cut falls after LF, CR LF or a lone CR, whichever stands near the
  // middle; each must read as one reader from the start reads.
  for (int lines : {40, 41, 42, 43, 300, 301}) {
    File file(Mixed(lines));
    bool joined = false;
    const Read halves = ReadInHalves(file.Fd(), file.size(), INT64_MAX, joined);
    EXPECT_TRUE(joined) << lines;
    EXPECT_EQ(halves, ReadOnce(file.Fd(), INT64_MAX)) << lines;
  }
}

TEST(SplitNoteRead, AQuoteBeforeTheCutStopsAtItsLineEnd) {
  // Quotes that would have run across the cut end at their lines: the cut
  // still starts a field and both halves join.
  std::string text = Mixed(30);
  text += "\"99; /* 1 ms */+60 64;\n98; /* 2 ms */+61 64;\n";
  text += std::string(40, '\n') + "\"\n";
  text += Mixed(30);
  File file(text);
  ASSERT_LT(text.find('"'), static_cast<std::size_t>(file.size() / 2));
  ASSERT_GT(text.rfind('"'), static_cast<std::size_t>(file.size() / 2));
  bool joined = false;
  const Read halves = ReadInHalves(file.Fd(), file.size(), INT64_MAX, joined);
  EXPECT_TRUE(joined);
  EXPECT_EQ(halves, ReadOnce(file.Fd(), INT64_MAX));
}

TEST(SplitNoteRead, ANoteOnRightAfterTheCutThatGoesBackIsFoundAsOneReaderFindsIt) {
  // Two runs of rising note-ons of one length, the second earlier, with an
  // empty line between them in the middle: the cut falls right after it, and
  // only the join can see that the second half's first note-on goes back.
  auto rising = [](int from) {
    std::string text;
    for (int i = 0; i < 50; ++i) text += "1; /* " + std::to_string(from + 10 * i) + " ms */+60 64;\n";
    return text;
  };
  const std::string first = rising(500000);
  File file(first + "\n" + rising(100000));
  bool joined = false;
  const Read halves = ReadInHalves(file.Fd(), file.size(), INT64_MAX, joined);
  EXPECT_TRUE(joined);
  const Read once = ReadOnce(file.Fd(), INT64_MAX);
  EXPECT_EQ(halves, once);
  EXPECT_EQ(once.earlier, 1);
  EXPECT_EQ(once.firstEarlierAt, static_cast<std::int64_t>(first.size()) + 1);

  // Times that go back on every line: each half counts its own, the join one more.
  File mixed(Mixed(301, 0) + Mixed(300, -100000));
  EXPECT_EQ(ReadInHalves(mixed.Fd(), mixed.size(), INT64_MAX, joined), ReadOnce(mixed.Fd(), INT64_MAX));
  EXPECT_TRUE(joined);
}

TEST(SplitNoteRead, KeepsTheLimitAndTheCountsAcrossTheHalves) {
  File file(Mixed(200));
  const Read all = ReadOnce(file.Fd(), INT64_MAX);
  for (std::int64_t limit : {std::int64_t{0}, all.noteLines / 4, all.noteLines * 3 / 4, all.noteLines}) {
    bool joined = false;
    const Read halves = ReadInHalves(file.Fd(), file.size(), limit, joined);
    EXPECT_TRUE(joined);
    EXPECT_EQ(halves, ReadOnce(file.Fd(), limit)) << limit;
    EXPECT_EQ(halves.noteLines, all.noteLines) << limit;  // counted even when not kept
    EXPECT_EQ(halves.noteOns,
              std::count_if(halves.notes.begin(), halves.notes.end(), [](const auto& n) { return std::get<4>(n); }))
        << limit;  // only those kept
  }
}

TEST(SplitNoteRead, NoLineEndNearTheMiddleOrAnUnreadableFileLeavesOneReader) {
  File oneLine(std::string(3000, ' ') + "1; /* 5 ms */+60 64;");
  bool joined = true;
  EXPECT_EQ(ReadInHalves(oneLine.Fd(), oneLine.size(), INT64_MAX, joined), ReadOnce(oneLine.Fd(), INT64_MAX));
  EXPECT_FALSE(joined);

  const test::TempDir folder;
  const int dir = ::open(folder.Path().c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(dir, 0);
  const Read fromDir = ReadInHalves(dir, 4096, INT64_MAX, joined);
  EXPECT_FALSE(joined);
  EXPECT_EQ(fromDir.error, EISDIR);
  ::close(dir);
}

}  // namespace
}  // namespace rp
