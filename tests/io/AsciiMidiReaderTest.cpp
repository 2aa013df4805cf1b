// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "io/AsciiMidiReader.h"
#include "io/FieldReader.h"
#include "model/NumberReading.h"
#include "support/TempDir.h"
#include "support/TestDataFiles.h"

namespace rp {
namespace {

using test::DataFile;
using test::TempFile;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

std::vector<std::string> Fields(const std::string& path, std::size_t chunk = FieldReader::kDefaultChunk) {
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
  EXPECT_TRUE(f) << path;
  if (!f) return {};
  FieldReader reader(f.get(), chunk);
  std::vector<std::string> out;
  std::string_view field;
  while (reader.Next(field)) out.emplace_back(field);
  EXPECT_EQ(reader.Error(), 0);
  return out;
}

TEST(FindInLine, FindsTheFirstOccurrenceOnlyInLongerLines) {
  EXPECT_EQ(FindInLine("/*", "/*"), 0u);
  EXPECT_EQ(FindInLine("ab+", "+"), 3u);
  EXPECT_EQ(FindInLine("a/*b/*", "/*"), 2u);
  EXPECT_EQ(FindInLine("abc", "x"), 0u);
  EXPECT_EQ(FindInLine("", "+"), 0u);
  EXPECT_EQ(FindInLine("MS */ms */", "ms */"), 6u);  // case matters
}

TEST(AsciiMidiReader, ReadsTheFieldsOfANoteLine) {
  const NoteEvent on = ReadNoteLine("1234; /* 500 ms */+60100;").note;
  EXPECT_EQ(on.leadValue, 1234.0);
  EXPECT_EQ(on.timeMs, 500.0);
  EXPECT_EQ(on.noteKey, 60);
  EXPECT_EQ(on.noteVelocity, 100);
  EXPECT_TRUE(on.isNoteOn);
  EXPECT_EQ(on.opensEvent, -1);

  const NoteEvent off = ReadNoteLine("1234; /* 500 ms */-60100;").note;
  EXPECT_FALSE(off.isNoteOn);
  EXPECT_EQ(off.noteKey, 60);
  EXPECT_EQ(off.timeMs, 500.0);

  // The sign is the first "+" or "-" after "ms */", whatever the lead or the
  // time hold: a negative or exponent lead, a negative time.
  for (const char* line : {"-2; /* 100 ms */-60 64;", "1e-3; /* 100 ms */-60 64;", "1; /* -20 ms */ -60 64;"}) {
    const NoteLineReading r = ReadNoteLine(line);
    ASSERT_TRUE(r.Ok()) << line;
    EXPECT_FALSE(r.note.isNoteOn) << line;
    EXPECT_EQ(r.note.noteKey, 60) << line;
  }
  EXPECT_EQ(ReadNoteLine("-2; /* 100 ms */-60 64;").note.leadValue, -2.0);
  EXPECT_EQ(ReadNoteLine("1; /* -20 ms */ -60 64;").note.timeMs, -20.0);
  EXPECT_FALSE(ReadNoteLine("1; /* 0 ms */-60+64;").note.isNoteOn);  // a later "+" is the velocity's
  // No "; /*": the lead value stays 0.
  EXPECT_EQ(ReadNoteLine("8 /* 400 ms */+62 92;").note.leadValue, 0.0);
}

TEST(AsciiMidiReader, SkipsNoteLinesWhoseTimeSignKeyOrVelocityCannotBeRead) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"9; /* 500 */+63 93;", "no \"ms */\" after \"/*\""},
      {"5; ms */ /* 7 +60 90;", "no \"ms */\" after \"/*\""},
      {"3; /* abc ms */+64 64;", "a time that is not a number"},
      {"3; /*  ms */+64 64;", "a time that is not a number"},
      {"3; /* 1e999 ms */+64 64;", "a time that is not a number"},
      {"-9; /* 800 ms */ 66 64;", "no + or - after \"ms */\""},
      {"4; /* 300 ms */+300 64;", "a key that is not a number from 0 to 255"},
      {"4; /* 300 ms */+ab 64;", "a key that is not a number from 0 to 255"},
      {"4; /* 300 ms */-   64;", "a key that is not a number from 0 to 255"},
      {"5; /* 400 ms */+64300;", "a velocity that is not a number from 0 to 255"},
      {"6; /* 500 ms */+65abc;", "a velocity that is not a number from 0 to 255"},
      {"6; /* 500 ms */+65256;", "a velocity that is not a number from 0 to 255"},
  };
  for (const auto& [line, problem] : cases) {
    ASSERT_TRUE(IsNoteLine(line)) << line;
    EXPECT_EQ(ReadNoteLine(line).problem, problem) << line;
  }
  // Lenient numbers still read: blanks inside, text after the number, 255.
  EXPECT_EQ(ReadNoteLine("1; /* 1 2 ms */+6 0 64x;").note.timeMs, 12.0);
  EXPECT_EQ(ReadNoteLine("1; /* 5 ms */+60255;").note.noteVelocity, 255);
  EXPECT_EQ(ReadNoteLine("1; /* 5 ms */+60 7x;").note.noteVelocity, 7);
}

TEST(AsciiMidiReader, KeysReadWholeUpToTheVelocityAndTwoDigitKeysAsBefore) {
  EXPECT_EQ(ReadNoteLine("1; /* 0 ms */+108 90;").note.noteKey, 108);
  EXPECT_EQ(ReadNoteLine("1; /* 0 ms */+100127;").note.noteKey, 100);
  EXPECT_EQ(ReadNoteLine("1; /* 0 ms */+100127;").note.noteVelocity, 127);
  EXPECT_EQ(ReadNoteLine("1; /* 0 ms */-105 64;").note.noteKey, 105);
  // One character between the sign and the velocity: the two after the sign.
  EXPECT_EQ(ReadNoteLine("1; /* 0 ms */+9 70;").note.noteKey, 9);
  EXPECT_EQ(ReadNoteLine("1; /* 0 ms */+9 70;").note.noteVelocity, 70);
  // Every two-character key reads as the two characters after the sign.
  char line[64];
  for (int key = 0; key <= 99; ++key) {
    for (int velocity : {0, 1, 9, 64, 99, 100, 127, 255}) {
      for (const char* format : {"%d; /* %d ms */+%02d%3d;", "%d; /* %d ms */-%02d%03d;", "%d; /* %d ms */+%2d%3d;"}) {
        std::snprintf(line, sizeof line, format, key, key * 10, key, velocity);
        const NoteEvent e = ReadNoteLine(line).note;
        ASSERT_EQ(e.noteKey, key) << line;
        ASSERT_EQ(e.noteVelocity, velocity) << line;
      }
    }
  }
}

TEST(AsciiMidiReader, AcceptsOnlyNoteLines) {
  EXPECT_TRUE(IsNoteLine("1; /* 0 ms */+60 90;"));
  EXPECT_TRUE(IsNoteLine("/*-;"));
  for (const char* field :
       {"", "no comment marker +60 90;", "1; /* 0 ms */+60 90", "1; /* 0 ms */ 60 90;", "/*", "/*;", "+;"}) {
    EXPECT_FALSE(IsNoteLine(field)) << field;
  }
  // The file's odd lines: six look like note lines, five of them are read.
  std::vector<NoteEvent> notes;
  int noteLines = 0;
  for (const std::string& f : Fields(DataFile("malformed.txt"))) {
    if (!IsNoteLine(f)) continue;
    ++noteLines;
    if (const NoteLineReading r = ReadNoteLine(f); r.Ok()) notes.push_back(r.note);
  }
  EXPECT_EQ(noteLines, 6);
  ASSERT_EQ(notes.size(), 5u);
  EXPECT_EQ(notes[0].leadValue, 7.0);
  EXPECT_EQ(notes[1].leadValue, 0.0);  // "; /*" at the very start
  EXPECT_EQ(notes[1].timeMs, 300.0);
  EXPECT_EQ(notes[2].leadValue, 0.0);  // no "; /*"
  EXPECT_EQ(notes[3].timeMs, 1500.0);
  EXPECT_FALSE(notes[4].isNoteOn);  // a negative lead: the key is read after the sign
  EXPECT_EQ(notes[4].leadValue, -11.0);
  EXPECT_EQ(notes[4].noteKey, 65);
}

// The reading rules spelt out one search at a time, to hold the one-pass
// reader against; false when the line is skipped.
bool ReferenceRead(const std::string& line, NoteEvent& e) {
  const std::size_t n = line.size();
  if (const std::size_t lead = FindInLine(line, "; /*")) e.leadValue = ReadNumberPrefix(line.substr(0, lead - 1));
  const std::size_t afterOpen = FindInLine(line, "/*") + 1;  // 0-based
  const std::size_t close = line.find("ms */", afterOpen);
  if (close == std::string::npos) return false;
  const NumberReading time = ReadLeadingNumber(line.substr(afterOpen, close - afterOpen));
  if (!time.Ok()) return false;
  e.timeMs = time.value;
  const std::size_t sign = line.find_first_of("+-", close + 5);
  if (sign == std::string::npos) return false;
  e.isNoteOn = line[sign] == '+';
  const bool wide = n - 4 >= sign + 3;
  const int key = ReadByteNumber(line.substr(sign + 1, wide ? n - 4 - sign - 1 : 2));
  const int velocity = ReadByteNumber(line.substr(n - 4, 3));
  e.noteKey = static_cast<std::uint8_t>(key);
  e.noteVelocity = static_cast<std::uint8_t>(velocity);
  return key >= 0 && velocity >= 0;
}

// The note line test spelt out the same way.
bool ReferenceIsNoteLine(const std::string& line) {
  return !line.empty() && FindInLine(line, "/*") > 0 && line.back() == ';' &&
         (FindInLine(line, "+") > 0 || FindInLine(line, "-") > 0);
}

void ExpectReadAsTheRulesSay(const std::string& line) {
  const NoteLineReading got = ReadNoteLine(line);
  NoteEvent want;
  const bool read = ReferenceRead(line, want);
  ASSERT_EQ(got.Ok(), read) << line << ": " << got.problem;
  if (!read) return;
  ASSERT_EQ(got.note.leadValue, want.leadValue) << line;
  ASSERT_EQ(got.note.timeMs, want.timeMs) << line;
  ASSERT_EQ(got.note.noteKey, want.noteKey) << line;
  ASSERT_EQ(got.note.noteVelocity, want.noteVelocity) << line;
  ASSERT_EQ(got.note.isNoteOn, want.isNoteOn) << line;
}

TEST(AsciiMidiReader, AgreesWithTheRulesOnRandomLines) {
  const std::vector<std::string> pieces = {"; /*", "/*",  "ms */", "+",   "-",   ";",    " ",           "1",
                                           "23",   "4.5", "e2",    "m",   "s",   "*",    "/",           "x",
                                           "108",  "\t",  "ms *",  "; /", " 64", "/* 7", " ms */+60 99"};
  std::mt19937 random(7);
  int accepted = 0;
  int skipped = 0;
  for (int i = 0; i < 20000; ++i) {
    std::string line;
    const int count = static_cast<int>(random() % 40);
    for (int k = 0; k < count; ++k) line += pieces[random() % pieces.size()];
    if (random() % 2) line += random() % 2 ? ";" : " 64;";
    const bool expected = ReferenceIsNoteLine(line);
    ASSERT_EQ(IsNoteLine(line), expected) << line;
    if (!expected) continue;
    ASSERT_NO_FATAL_FAILURE(ExpectReadAsTheRulesSay(line));
    (ReadNoteLine(line).Ok() ? accepted : skipped) += 1;
  }
  // Both kinds, short and long, in numbers.
  EXPECT_GT(accepted, 100);
  EXPECT_GT(skipped, 1000);
}

// Lines of the usual shape take a shortcut; one character changed, put in or
// taken out anywhere must lead it back to the general rules.
TEST(AsciiMidiReader, UsualLinesAndTheirNearMissesAgreeWithTheRules) {
  const std::string changes = "0123456789+-;/* m.se\t";
  std::mt19937 random(11);
  for (int i = 0; i < 20000; ++i) {
    std::string line = std::to_string(random() % 100000) + "; /* " + std::to_string(random() % 10000000) + " ms */" +
                       (random() % 2 ? "+" : "-") + std::to_string(random() % 110) + " " +
                       std::to_string(random() % 128) + ";";
    const std::size_t at = random() % (line.size() + 1);
    const char c = changes[random() % changes.size()];
    switch (random() % 4) {
      case 0:
        break;  // unchanged
      case 1:
        line.insert(at, 1, c);
        break;
      case 2:
        if (at < line.size()) line[at] = c;
        break;
      default:
        if (at < line.size()) line.erase(at, 1);
        break;
    }
    const bool expected = ReferenceIsNoteLine(line);
    ASSERT_EQ(IsNoteLine(line), expected) << line;
    if (expected) {
      ASSERT_NO_FATAL_FAILURE(ExpectReadAsTheRulesSay(line));
    }
  }
  // Sixteen digits are more than the shortcut takes.
  EXPECT_EQ(ReadNoteLine("1234567890123456; /* 1234567890123457 ms */+60 64;").note.timeMs, 1234567890123457.0);
}

TEST(FieldReader, SplitsAtCommasAndEveryKindOfLineEnd) {
  const std::vector<std::string> lf = Fields(DataFile("lf.txt"));
  ASSERT_EQ(lf.size(), 8u);
  EXPECT_EQ(lf[0], "1; /* 0 ms */+60 80;");
  EXPECT_EQ(Fields(DataFile("crlf.txt")), lf);
  EXPECT_EQ(Fields(DataFile("cr.txt")), lf);

  const std::vector<std::string> expected = {
      "1; /* 0 ms */+60 80;",
      "2; /* 30 ms */+64 81;",
      "comment",
      "with a comma; /* 10 ms */+61 50;",
      "3; /* 100 ms */+67 82;",  // what follows the closing quote is dropped
      "4; /* 120 ms */-60 64;",  // trailing blanks go
      "5; /* 200 ms */+62, 7 0;",
      "",
      "",
      "6; /* 250 ms */-64 64;",
  };
  EXPECT_EQ(Fields(DataFile("commas_quotes.txt")), expected);
  EXPECT_TRUE(Fields(DataFile("empty.txt")).empty());
  EXPECT_EQ(Fields(DataFile("blank_lines_commas.txt")), std::vector<std::string>(7, ""));

  // A quote never runs past its line's end: without its closing quote
  // there, the field is the rest of the line.
  TempFile noFinalLineEnd("a\r\n\"b\nc\"\r\nd,");
  EXPECT_EQ(Fields(noFinalLineEnd.Path()), (std::vector<std::string>{"a", "b", "c\"", "d"}));
  TempFile unterminatedQuote("x,\"y,z \n\"\r\nw");
  EXPECT_EQ(Fields(unterminatedQuote.Path()), (std::vector<std::string>{"x", "y,z", "", "w"}));
}

TEST(FieldReader, GivesTheSameFieldsWhateverTheChunkSize) {
  // Chunks of 16 bytes cut fields, CR LF pairs and quotes at every place.
  std::string mixed;
  for (int i = 0; i < 200; ++i) {
    mixed += std::to_string(i) + "; /* " + std::to_string(i * 7) + " ms */+60 64;";
    mixed += (i % 3 == 0) ? "\r\n" : (i % 3 == 1) ? "\r" : ",\"q\r\n\"tail\n";
  }
  mixed += std::string(100000, 'x') + "; /* 1 ms */+60 64;\n";  // longer than the buffer
  mixed += std::string(1, '\0') + "\x01\xff/*+;\n";             // binary bytes pass through
  TempFile file(mixed);
  const auto reference = Fields(file.Path());
  EXPECT_EQ(reference.size(), 200u + 2 * 66u + 2u);  // no quote runs past its line
  EXPECT_EQ(reference[reference.size() - 2].size(), 100000u + 19u);
  for (std::size_t chunk : {16u, 17u, 64u, 4096u}) EXPECT_EQ(Fields(file.Path(), chunk), reference) << chunk;
  for (const char* name : {"lf.txt", "cr.txt", "crlf.txt", "commas_quotes.txt", "blank_lines_commas.txt"}) {
    EXPECT_EQ(Fields(DataFile(name), 16), Fields(DataFile(name))) << name;
  }
}

TEST(FieldReader, ReportsAReadErrorInsteadOfLoopingAndCanRewind) {
  const test::TempDir folder;
  std::unique_ptr<std::FILE, FileCloser> dir(std::fopen(folder.Path().c_str(), "rb"));
  ASSERT_TRUE(dir);
  FieldReader fromDir(dir.get());
  std::string_view field;
  EXPECT_FALSE(fromDir.Next(field));
  EXPECT_NE(fromDir.Error(), 0);

  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(DataFile("lf.txt").c_str(), "rb"));
  FieldReader reader(f.get(), 16);
  EXPECT_EQ(CountFields(reader).fields, 8);
  ASSERT_TRUE(reader.Rewind());
  const FieldCounts again = CountFields(reader);
  EXPECT_EQ(again.fields, 8);
  EXPECT_EQ(again.noteLines, 8);
}

}  // namespace
}  // namespace rp
