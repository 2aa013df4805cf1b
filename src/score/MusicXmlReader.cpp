// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/MusicXmlReader.h"

#include <zip.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <map>
#include <memory>
#include <pugixml.hpp>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "io/WholeFile.h"
#include "model/NumberReading.h"

namespace rp {

namespace {

constexpr const char* kCannotRead = QT_TRANSLATE_NOOP("returnplot", "Cannot read the score \"%1\": %2.");
constexpr const char* kInBar = QT_TRANSLATE_NOOP("returnplot", "Cannot read the score \"%1\": bar %2: %3.");

// Larger scores are refused before they are read (an orchestral MusicXML
// file is a few dozen MB).
constexpr std::uintmax_t kMaxScoreBytes = 512u << 20;
// Notation programs divide a quarter into a few thousand parts at most.
constexpr long long kMaxDivisions = 1'000'000'000;

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The leading whole number of `text` ("12", "12a"); `fallback` when it has
// none or one beyond any score's bars.
int LeadingNumber(const char* text, int fallback) {
  constexpr long kMaxBarNumber = 1'000'000;
  const std::optional<long> value = LeadingWholeNumber<long>(text);
  return !value || *value > kMaxBarNumber || *value < -kMaxBarNumber ? fallback : static_cast<int>(*value);
}

// One part read bar by bar; the parts are merged afterwards.
class PartReader {
 public:
  PartReader(std::string partId, int& noteCount) : partId_(std::move(partId)), noteCount_(noteCount) {}

  // Reads one <measure> into `bar`; "" or why it cannot.
  std::string Measure(const pugi::xml_node& measure, NotatedBar& bar);

 private:
  std::string Note(const pugi::xml_node& note, NotatedBar& bar);
  std::string Attributes(const pugi::xml_node& attributes);
  void Sound(const pugi::xml_node& sound, NotatedBar& bar) const;
  void Barline(const pugi::xml_node& barline, NotatedBar& bar) const;
  Rational Whole(long long divisionsCount) const { return {divisionsCount, 4LL * divisions_}; }

  std::string partId_;
  int& noteCount_;
  long long divisions_ = 1;
  int beats_ = 4;
  int beatType_ = 4;
  int fifths_ = 0;
  bool minor_ = false;
  Rational cursor_;
  Rational lastOnset_;
  Rational reach_;
};

std::string PartReader::Attributes(const pugi::xml_node& attributes) {
  if (const pugi::xml_node d = attributes.child("divisions")) {
    const long long divisions = d.text().as_llong(0);
    if (divisions <= 0 || divisions > kMaxDivisions)
      return QT_TRANSLATE_NOOP("returnplot", "the divisions of a quarter note are not a count the program can hold");
    divisions_ = divisions;
  }
  if (const pugi::xml_node time = attributes.child("time")) {
    // "3+2" beats are added up; a time without numbers (senza misura) keeps the last.
    const std::string beatsText = time.child_value("beats");
    int beats = 0;
    for (std::size_t start = 0; start < beatsText.size();) {
      const std::size_t plus = std::min(beatsText.find('+', start), beatsText.size());
      beats += static_cast<int>(
          std::clamp(LeadingWholeNumber<long>(std::string_view(beatsText).substr(start)).value_or(0), 0L, 1000L));
      start = plus + 1;
    }
    const int beatType = time.child("beat-type").text().as_int(0);
    if (beats > 0 && beatType > 0 && beatType <= 1024) {
      beats_ = beats;
      beatType_ = beatType;
    }
  }
  if (const pugi::xml_node key = attributes.child("key")) {
    if (key.child("fifths")) {
      fifths_ = key.child("fifths").text().as_int(0);
      minor_ = std::string_view(key.child_value("mode")) == "minor";
    }
  }
  return {};
}

void PartReader::Sound(const pugi::xml_node& sound, NotatedBar& bar) const {
  if (const pugi::xml_attribute tempo = sound.attribute("tempo")) {
    const double qpm = tempo.as_double(0.0);
    if (qpm > 0 && std::isfinite(qpm)) bar.tempos.push_back({cursor_, qpm});
  }
  bar.daCapo = bar.daCapo || sound.attribute("dacapo").as_bool(false);
  bar.dalSegno = bar.dalSegno || sound.attribute("dalsegno");
  bar.fine = bar.fine || sound.attribute("fine");
  bar.toCoda = bar.toCoda || sound.attribute("tocoda");
  bar.segno = bar.segno || sound.attribute("segno");
  bar.coda = bar.coda || sound.attribute("coda");
}

void PartReader::Barline(const pugi::xml_node& barline, NotatedBar& bar) const {
  if (const pugi::xml_node repeat = barline.child("repeat")) {
    const std::string_view direction = repeat.attribute("direction").value();
    if (direction == "forward") bar.repeatForward = true;
    if (direction == "backward") {
      bar.repeatBackward = true;
      bar.repeatTimes = std::max(2, repeat.attribute("times").as_int(2));
    }
  }
  if (const pugi::xml_node ending = barline.child("ending")) {
    const std::string_view type = ending.attribute("type").value();
    if (type == "start") {
      // "1", "1, 2", "1,2"
      const std::string numbers = ending.attribute("number").value();
      bar.endingNumbers.clear();
      for (std::size_t i = 0; i < numbers.size();) {
        if (std::isdigit(static_cast<unsigned char>(numbers[i])) != 0) {
          std::size_t taken = 0;
          if (const std::optional<int> number = LeadingWholeNumber<int>(std::string_view(numbers).substr(i), &taken)) {
            bar.endingNumbers.push_back(*number);
            i += taken;
          } else {  // digits beyond any ending's number: passed over
            while (i < numbers.size() && std::isdigit(static_cast<unsigned char>(numbers[i])) != 0) ++i;
          }
        } else {
          ++i;
        }
      }
    } else if (type == "stop" || type == "discontinue") {
      bar.endingStop = true;
    }
  }
  if (barline.child("segno")) bar.segno = true;
  if (barline.child("coda")) bar.coda = true;
}

std::string PartReader::Note(const pugi::xml_node& note, NotatedBar& bar) {
  const bool grace = static_cast<bool>(note.child("grace"));
  const bool chord = static_cast<bool>(note.child("chord"));
  const pugi::xml_node durationNode = note.child("duration");
  if (!grace && !durationNode) return QT_TRANSLATE_NOOP("returnplot", "a note without a duration");
  const long long divisionsCount = durationNode.text().as_llong(0);
  if (divisionsCount < 0) return QT_TRANSLATE_NOOP("returnplot", "a note of negative duration");
  const Rational duration = grace ? Rational(0) : Whole(divisionsCount);
  Rational onset = cursor_;
  if (chord) {
    onset = lastOnset_;
  } else {
    lastOnset_ = cursor_;
    cursor_ += duration;
    reach_ = std::max(reach_, cursor_);
  }
  const pugi::xml_node pitch = note.child("pitch");
  if (!pitch || note.child("cue")) return {};  // a rest, an unpitched or a cue note: nothing sounds
  const std::string step = pitch.child_value("step");
  static constexpr std::array<int, 7> kSemitones = {9, 11, 0, 2, 4, 5, 7};  // A to G
  if (step.size() != 1 || step[0] < 'A' || step[0] > 'G')
    return QT_TRANSLATE_NOOP("returnplot", "a pitch without a step A to G");
  const double alterText = pitch.child("alter").text().as_double(0.0);
  const int octave = pitch.child("octave").text().as_int(-100);
  if (!(std::abs(alterText) <= 12.0) || octave < -2 || octave > 10)
    return QT_TRANSLATE_NOOP("returnplot", "a pitch outside the MIDI keys");
  const int alter = static_cast<int>(std::lround(alterText));
  const int key = 12 * (octave + 1) + kSemitones[static_cast<std::size_t>(step[0] - 'A')] + alter;
  if (key < 0 || key > 127) return QT_TRANSLATE_NOOP("returnplot", "a pitch outside the MIDI keys");
  NotatedNote n;
  ++noteCount_;
  const char* id = note.attribute("id").value();
  n.id = *id != '\0' ? std::string(id) : "n" + std::to_string(noteCount_);
  n.part = partId_;
  n.staff = note.child("staff").text().as_int(1);
  n.voice = note.child("voice").text().as_int(1);
  n.onset = onset;
  n.duration = duration;
  n.pitch = static_cast<std::uint8_t>(key);
  n.step = step[0];
  n.alter = alter;
  n.octave = octave;
  n.grace = grace;
  for (const pugi::xml_node notations : note.children("notations"))
    n.arpeggio = n.arpeggio || static_cast<bool>(notations.child("arpeggiate"));
  for (const pugi::xml_node tie : note.children("tie")) {
    const std::string_view type = tie.attribute("type").value();
    n.tieStart = n.tieStart || type == "start";
    n.tieStop = n.tieStop || type == "stop";
  }
  bar.notes.push_back(std::move(n));
  return {};
}

std::string PartReader::Measure(const pugi::xml_node& measure, NotatedBar& bar) {
  cursor_ = 0;
  lastOnset_ = 0;
  reach_ = 0;
  for (const pugi::xml_node child : measure.children()) {
    const std::string_view name = child.name();
    std::string why;
    if (name == "attributes") {
      why = Attributes(child);
    } else if (name == "note") {
      why = Note(child, bar);
    } else if (name == "backup" || name == "forward") {
      const long long count = child.child("duration").text().as_llong(-1);
      if (count < 0) return QT_TRANSLATE_NOOP("returnplot", "a backup or forward without a duration");
      cursor_ += name == "backup" ? Whole(-count) : Whole(count);
      if (cursor_ < Rational(0)) return QT_TRANSLATE_NOOP("returnplot", "a backup to before the bar's start");
      reach_ = std::max(reach_, cursor_);
    } else if (name == "direction") {
      for (const pugi::xml_node type : child.children("direction-type")) {
        if (type.child("segno")) bar.segno = true;
        if (type.child("coda")) bar.coda = true;
      }
      if (const pugi::xml_node sound = child.child("sound")) Sound(sound, bar);
    } else if (name == "sound") {
      Sound(child, bar);
    } else if (name == "barline") {
      Barline(child, bar);
    }
    if (!why.empty()) return why;
  }
  bar.length = std::max(bar.length, reach_);
  bar.beats = beats_;
  bar.beatType = beatType_;
  bar.nominal = Rational(beats_, beatType_);
  bar.fifths = fifths_;
  bar.minor = minor_;
  return {};
}

std::string Text(const pugi::xml_node& node) {
  std::string text = node.text().as_string();
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())) != 0) text.pop_back();
  return text;
}

// The text of one entry of a zip archive; false when it is missing or too large.
bool ZipEntry(zip_t* archive, const std::string& name, std::string& bytes) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat(archive, name.c_str(), 0, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0 || stat.size > kMaxScoreBytes)
    return false;
  const std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(zip_fopen(archive, name.c_str(), 0), &zip_fclose);
  if (!file) return false;
  bytes.resize(stat.size);
  return zip_fread(file.get(), bytes.data(), stat.size) == static_cast<zip_int64_t>(stat.size);
}

// The score inside a compressed MusicXML file: the first rootfile that
// META-INF/container.xml names, or else the archive's one MusicXML entry.
bool ReadCompressed(const std::string& path, std::string& xml, std::string& why) {
  int error = 0;
  const std::unique_ptr<zip_t, decltype(&zip_discard)> archive(zip_open(path.c_str(), ZIP_RDONLY, &error),
                                                               &zip_discard);
  if (!archive) {
    why = QT_TRANSLATE_NOOP("returnplot", "it is not a compressed MusicXML file (a zip archive)");
    return false;
  }
  std::string container;
  std::string root;
  if (ZipEntry(archive.get(), "META-INF/container.xml", container)) {
    pugi::xml_document doc;
    if (doc.load_buffer(container.data(), container.size())) {
      root = doc.child("container").child("rootfiles").child("rootfile").attribute("full-path").value();
    }
  }
  if (root.empty()) {
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count && root.empty(); ++i) {
      const std::string name = zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), 0);
      const std::string lower = Lower(name);
      if (lower.rfind("meta-inf/", 0) != 0 && (EndsWith(lower, ".xml") || EndsWith(lower, ".musicxml"))) root = name;
    }
  }
  if (root.empty() || !ZipEntry(archive.get(), root, xml)) {
    why = QT_TRANSLATE_NOOP("returnplot", "the archive holds no readable MusicXML score");
    return false;
  }
  return true;
}

}  // namespace

bool IsMusicXmlPath(const std::string& path) {
  const std::string lower = Lower(path);
  return EndsWith(lower, ".musicxml") || EndsWith(lower, ".xml") || EndsWith(lower, ".mxl");
}

NotatedScoreRead ParseMusicXml(std::string_view xml, std::string_view fileName) {
  NotatedScoreRead read;
  pugi::xml_document doc;
  const pugi::xml_parse_result parsed = doc.load_buffer(xml.data(), xml.size());
  if (!parsed) {
    read.error = FormatText(kCannotRead, {fileName, parsed.description()});
    return read;
  }
  const pugi::xml_node root = doc.child("score-partwise");
  if (!root) {
    const char* why = doc.child("score-timewise")
                          ? QT_TRANSLATE_NOOP("returnplot", "it is a timewise score; only partwise ones are read")
                          : QT_TRANSLATE_NOOP("returnplot", "it is not a MusicXML score");
    read.error = FormatText(kCannotRead, {fileName, why});
    return read;
  }
  NotatedScore& score = read.score;
  score.title = Text(root.child("work").child("work-title"));
  if (score.title.empty()) score.title = Text(root.child("movement-title"));
  for (const pugi::xml_node creator : root.child("identification").children("creator")) {
    if (std::string_view(creator.attribute("type").value()) == "composer") score.composer = Text(creator);
  }
  int noteCount = 0;
  bool firstPart = true;
  std::string firstPartId;
  for (const pugi::xml_node part : root.children("part")) {
    const std::string partId = part.attribute("id").value();
    PartReader reader(partId, noteCount);
    std::size_t index = 0;
    for (const pugi::xml_node measure : part.children("measure")) {
      const int number = LeadingNumber(measure.attribute("number").value(),
                                       index == 0 ? 1 : std::min(score.bars[index - 1].number, 1'000'000) + 1);
      if (firstPart) {
        score.bars.emplace_back();
        score.bars.back().number = number;
        score.bars.back().implicit = measure.attribute("implicit").as_bool(false);
      } else if (index >= score.bars.size()) {
        read.error = FormatText(
            kInBar,
            {fileName, std::to_string(number),
             FormatText(QT_TRANSLATE_NOOP("returnplot", "part %1 has more bars than part %2"), {partId, firstPartId})});
        return read;
      }
      NotatedBar& bar = score.bars[index];
      // The performed order and the time signature are the first part's.
      NotatedBar own;
      NotatedBar& target = firstPart ? bar : own;
      if (const std::string why = reader.Measure(measure, target); !why.empty()) {
        read.error = FormatText(kInBar, {fileName, std::to_string(bar.number), why});
        return read;
      }
      if (!firstPart) {
        bar.length = std::max(bar.length, own.length);
        for (NotatedNote& n : own.notes) bar.notes.push_back(std::move(n));
      }
      ++index;
    }
    if (!firstPart && index != score.bars.size()) {
      read.error = FormatText(
          kInBar,
          {fileName, std::to_string(index < score.bars.size() ? score.bars[index].number : 0),
           FormatText(QT_TRANSLATE_NOOP("returnplot", "part %1 ends here, part %2 goes on"), {partId, firstPartId})});
      return read;
    }
    if (firstPart) firstPartId = partId;
    firstPart = false;
  }
  if (score.bars.empty())
    read.error = FormatText(kCannotRead, {fileName, QT_TRANSLATE_NOOP("returnplot", "it has no bars")});
  return read;
}

NotatedScoreRead ReadMusicXmlFile(const std::string& path) {
  std::string bytes;
  std::string why;
  const bool compressed = EndsWith(Lower(path), ".mxl");
  if (compressed ? !ReadCompressed(path, bytes, why) : !ReadWholeFile(path, kMaxScoreBytes, bytes, why)) {
    NotatedScoreRead read;
    read.error = FormatText(kCannotRead, {path, why});
    return read;
  }
  return ParseMusicXml(bytes, path);
}

}  // namespace rp
