// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/StandardMidiFileReader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"

namespace rp {

namespace {

// Thrown inside the parser; becomes the result's message.
struct BadFile {
  std::string reason;
};

constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds per quarter (120 bpm)

// Where a note event falls among others at the same tick: note-offs of notes
// begun earlier first, then note-ons, then the note-offs of notes that began
// at this very tick (so a note of zero length still starts before it ends).
enum class Slot : std::uint8_t { EndsEarlierNote = 0, NoteOn = 1, EndsNoteOfThisTick = 2 };

struct TickNote {
  std::uint64_t tick;
  std::uint32_t order;  // position in the file, across tracks
  Slot slot;
  std::uint8_t key;
  std::uint8_t velocity;
};

struct TickController {
  std::uint64_t tick;
  std::uint32_t order;
  std::uint8_t controller;
  std::uint8_t value;
};

// Controllers 120 to 127 are the channel mode messages (all notes off, reset
// all controllers...), not controllers: the reader's notes already end where
// the file ends them.
constexpr std::uint8_t kFirstChannelModeMessage = 120;

struct TempoChange {
  std::uint64_t tick;
  std::uint32_t order;
  std::uint32_t microsPerQuarter;
};

// The notes of one key on one channel that sound at present in a track.
// Which note-on a note-off ends does not change the listing; only whether it
// ends a note that began at this same tick does, and for that it suffices to
// know how many of the sounding notes began at the latest start tick.
struct Sounding {
  std::uint32_t count = 0;
  std::uint32_t startedAtLatest = 0;
  std::uint64_t latestStart = 0;
};

std::string TrackName(std::size_t track) { return "track " + std::to_string(track + 1); }

class Cursor {
 public:
  Cursor(const std::uint8_t* begin, const std::uint8_t* end, std::string where)
      : p_(begin), end_(end), where_(std::move(where)) {}

  bool AtEnd() const { return p_ >= end_; }
  std::size_t Remaining() const { return static_cast<std::size_t>(end_ - p_); }
  std::uint8_t Peek() const {
    Need(1);
    return *p_;
  }
  std::uint8_t Byte() {
    Need(1);
    return *p_++;
  }
  std::uint8_t DataByte() {
    const std::uint8_t b = Byte();
    if (b & 0x80) throw BadFile{where_ + " has a status byte where data was expected"};
    return b;
  }
  std::uint32_t Big32() {
    Need(4);
    const std::uint32_t v =
        (std::uint32_t{p_[0]} << 24) | (std::uint32_t{p_[1]} << 16) | (std::uint32_t{p_[2]} << 8) | p_[3];
    p_ += 4;
    return v;
  }
  std::uint16_t Big16() {
    Need(2);
    const auto v = static_cast<std::uint16_t>((p_[0] << 8) | p_[1]);
    p_ += 2;
    return v;
  }
  // A variable-length quantity: at most four bytes, seven bits each.
  std::uint32_t Vlq() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      const std::uint8_t b = Byte();
      v = (v << 7) | (b & 0x7F);
      if (!(b & 0x80)) return v;
    }
    throw BadFile{where_ + " holds a length or time longer than four bytes"};
  }
  void Skip(std::size_t n) {
    Need(n);
    p_ += n;
  }
  const std::uint8_t* Here() const { return p_; }

 private:
  void Need(std::size_t n) const {
    if (Remaining() < n) throw BadFile{where_ + " ends in the middle of an event"};
  }
  const std::uint8_t* p_;
  const std::uint8_t* end_;
  std::string where_;
};

// Turns ticks into milliseconds from the start of the file.
class Clock {
 public:
  Clock(std::uint16_t division, std::vector<TempoChange> tempi) : tempi_(std::move(tempi)) {
    if (division & 0x8000) {
      // SMPTE: the high byte is minus the frames per second (29 stands for
      // 29.97 drop-frame), the low byte the ticks per frame. Tempo changes do
      // not apply.
      const int fps = -static_cast<int>(static_cast<std::int8_t>(division >> 8));
      const int ticksPerFrame = division & 0xFF;
      if ((fps != 24 && fps != 25 && fps != 29 && fps != 30) || ticksPerFrame == 0) {
        throw BadFile{"its time division (SMPTE " + std::to_string(fps) + " frames per second, " +
                      std::to_string(ticksPerFrame) + " ticks per frame) is not valid"};
      }
      const double framesPerSecond = fps == 29 ? 30000.0 / 1001.0 : fps;
      smpteMsPerTick_ = 1000.0 / (framesPerSecond * ticksPerFrame);
      return;
    }
    if (division == 0) throw BadFile{"its time division is 0 ticks per quarter note"};
    ticksPerQuarter_ = division;
    std::stable_sort(tempi_.begin(), tempi_.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
  }

  // Ticks must be asked for in non-decreasing order.
  double Ms(std::uint64_t tick) {
    if (smpteMsPerTick_ > 0) return static_cast<double>(tick) * smpteMsPerTick_;
    while (next_ < tempi_.size() && tempi_[next_].tick <= tick) {
      segmentStartMs_ = SegmentMs(tempi_[next_].tick);
      segmentStartTick_ = tempi_[next_].tick;
      tempo_ = tempi_[next_].microsPerQuarter;
      ++next_;
    }
    return SegmentMs(tick);
  }

 private:
  double SegmentMs(std::uint64_t tick) const {
    return segmentStartMs_ +
           static_cast<double>(tick - segmentStartTick_) * tempo_ / (static_cast<double>(ticksPerQuarter_) * 1000.0);
  }

  std::vector<TempoChange> tempi_;
  std::size_t next_ = 0;
  double smpteMsPerTick_ = 0;
  std::uint32_t ticksPerQuarter_ = 0;
  std::uint32_t tempo_ = kDefaultTempo;
  std::uint64_t segmentStartTick_ = 0;
  double segmentStartMs_ = 0;
};

class Parser {
 public:
  explicit Parser(std::size_t fileBytes) {
    // A note event takes at least three bytes of the file.
    notes_.reserve(std::min<std::size_t>(fileBytes / 3, std::size_t{1} << 22));
  }

  void Track(std::span<const std::uint8_t> chunk, std::size_t index) {
    trackStarts_.push_back(notes_.size());
    Cursor in(chunk.data(), chunk.data() + chunk.size(), TrackName(index));
    std::vector<Sounding> sounding(16 * 128);
    std::uint64_t tick = 0;
    std::uint8_t running = 0;
    while (!in.AtEnd()) {
      tick += in.Vlq();
      std::uint8_t status = in.Peek();
      if (status & 0x80) {
        in.Byte();
      } else if (running) {
        status = running;  // running status: the data follows directly
      } else {
        throw BadFile{TrackName(index) + " has data without a status byte"};
      }
      if (status < 0xF0) {
        running = status;
        const std::uint8_t type = status & 0xF0;
        const std::uint8_t first = in.DataByte();
        if (type == 0xC0 || type == 0xD0) continue;  // one data byte
        const std::uint8_t second = in.DataByte();
        if (type == 0xB0 && first < kFirstChannelModeMessage) {
          controllers_.push_back({tick, order_++, first, second});
        } else if (type == 0x90 && second > 0) {
          NoteOn(sounding[(status & 0x0F) * 128 + first], tick, first, second);
        } else if (type == 0x80 || type == 0x90) {
          NoteOff(sounding[(status & 0x0F) * 128 + first], tick, first, type == 0x80 ? second : 0);
        }
      } else if (status == 0xFF) {
        const std::uint8_t type = in.Byte();
        const std::uint32_t length = in.Vlq();
        if (length > in.Remaining()) throw BadFile{TrackName(index) + " ends in the middle of an event"};
        if (type == 0x2F) break;  // end of track
        if (type == 0x51 && length >= 3) {
          const std::uint8_t* t = in.Here();
          tempi_.push_back({tick, order_++, (std::uint32_t{t[0]} << 16) | (std::uint32_t{t[1]} << 8) | t[2]});
        }
        in.Skip(length);
      } else if (status == 0xF0 || status == 0xF7) {
        in.Skip(in.Vlq());  // system exclusive
      } else {
        static constexpr char kHex[] = "0123456789ABCDEF";
        throw BadFile{TrackName(index) + " holds the status byte 0x" + kHex[status >> 4] + kHex[status & 0xF] +
                      ", which has no place in a MIDI file"};
      }
    }
    // Notes still sounding when the track ends stop there.
    for (std::size_t i = 0; i < sounding.size(); ++i) {
      while (sounding[i].count > 0) NoteOff(sounding[i], tick, static_cast<std::uint8_t>(i % 128), 0);
    }
    SortTicksOfTrack(trackStarts_.back());
  }

  // The controllers of every track in time order (at equal ticks in file
  // order), all on the channel the notes are replayed on, as the notes of
  // every channel are one performance.
  std::vector<ControllerEvent> Controllers(std::uint16_t division) {
    Clock clock(division, tempi_);
    std::stable_sort(controllers_.begin(), controllers_.end(), [](const TickController& a, const TickController& b) {
      return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<ControllerEvent> controllers;
    controllers.reserve(controllers_.size());
    for (const TickController& c : controllers_) controllers.push_back({clock.Ms(c.tick), 0, c.controller, c.value});
    return controllers;
  }

  std::vector<NoteEvent> Finish(std::uint16_t division) {
    Clock clock(division, std::move(tempi_));
    // Track() leaves each track's notes in order; merge neighbouring tracks
    // pairwise until one list remains.
    for (std::size_t width = 1; width < trackStarts_.size(); width *= 2) {
      for (std::size_t i = 0; i + width < trackStarts_.size(); i += 2 * width) {
        const std::size_t end = i + 2 * width < trackStarts_.size() ? trackStarts_[i + 2 * width] : notes_.size();
        std::inplace_merge(notes_.begin() + static_cast<std::ptrdiff_t>(trackStarts_[i]),
                           notes_.begin() + static_cast<std::ptrdiff_t>(trackStarts_[i + width]),
                           notes_.begin() + static_cast<std::ptrdiff_t>(end), Before);
      }
    }
    std::vector<NoteEvent> events(notes_.size());
    for (std::size_t i = 0; i < notes_.size(); ++i) {
      NoteEvent& e = events[i];
      e.isNoteOn = notes_[i].slot == Slot::NoteOn;
      e.timeMs = clock.Ms(notes_[i].tick);
      e.leadValue = static_cast<double>(i + 1);
      e.noteKey = notes_[i].key;
      e.noteVelocity = notes_[i].velocity;
    }
    return events;
  }

  std::size_t NoteCount() const { return notes_.size(); }

 private:
  void NoteOn(Sounding& s, std::uint64_t tick, std::uint8_t key, std::uint8_t velocity) {
    if (s.count == 0 || s.latestStart != tick) {
      s.latestStart = tick;
      s.startedAtLatest = 0;
    }
    ++s.count;
    ++s.startedAtLatest;
    notes_.push_back({tick, order_++, Slot::NoteOn, key, velocity});
  }

  // Ends the earliest sounding note of the key; nothing when none sounds.
  void NoteOff(Sounding& s, std::uint64_t tick, std::uint8_t key, std::uint8_t velocity) {
    if (s.count == 0) return;
    const bool allStartedNow = s.latestStart == tick && s.startedAtLatest == s.count;
    --s.count;
    if (allStartedNow) --s.startedAtLatest;
    notes_.push_back({tick, order_++, allStartedNow ? Slot::EndsNoteOfThisTick : Slot::EndsEarlierNote, key, velocity});
  }

  static bool Before(const TickNote& a, const TickNote& b) {
    if (a.tick != b.tick) return a.tick < b.tick;
    if (a.slot != b.slot) return a.slot < b.slot;
    return a.order < b.order;
  }

  // A track's notes come in tick order; only the notes of one tick may need
  // reordering (note-offs before note-ons).
  void SortTicksOfTrack(std::size_t first) {
    const auto end = notes_.end();
    for (auto group = notes_.begin() + static_cast<std::ptrdiff_t>(first); group != end;) {
      auto next = group + 1;
      while (next != end && next->tick == group->tick) ++next;
      if (!std::is_sorted(group, next, Before)) std::sort(group, next, Before);
      group = next;
    }
  }

  std::vector<TickNote> notes_;
  std::vector<TickController> controllers_;
  std::vector<std::size_t> trackStarts_;
  std::vector<TempoChange> tempi_;
  std::uint32_t order_ = 0;
};

MidiFileReadResult Failure(std::string_view fileName, const std::string& reason) {
  MidiFileReadResult r;
  r.error = FormatText(QT_TRANSLATE_NOOP("returnplot", "Cannot read the MIDI file \"%1\": %2."), {fileName, reason});
  return r;
}

}  // namespace

bool LooksLikeStandardMidiFile(std::span<const std::uint8_t> firstBytes) {
  return firstBytes.size() >= 4 && std::memcmp(firstBytes.data(), "MThd", 4) == 0;
}

bool IsStandardMidiFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::array<char, 4> head{};
  if (!in.read(head.data(), head.size())) return false;
  return std::memcmp(head.data(), "MThd", 4) == 0;
}

MidiFileReadResult ParseStandardMidiFile(std::span<const std::uint8_t> bytes, std::string_view fileName) {
  try {
    if (!LooksLikeStandardMidiFile(bytes)) throw BadFile{"it does not begin with a MIDI header (\"MThd\")"};
    Cursor file(bytes.data() + 4, bytes.data() + bytes.size(), "the file");
    if (file.Remaining() < 4) throw BadFile{"the file ends inside its header"};
    const std::uint32_t headerLength = file.Big32();
    if (headerLength < 6) {
      throw BadFile{"its header claims " + std::to_string(headerLength) + " bytes, fewer than the 6 it needs"};
    }
    if (headerLength > file.Remaining()) {
      throw BadFile{"its header claims " + std::to_string(headerLength) + " bytes, but only " +
                    std::to_string(file.Remaining()) + " follow"};
    }
    const std::uint8_t* headerEnd = file.Here() + headerLength;
    const std::uint16_t format = file.Big16();
    const std::uint16_t trackCount = file.Big16();
    const std::uint16_t division = file.Big16();
    if (format == 2) throw BadFile{"it is of format 2 (independent sequences), which is not one performance"};
    if (format > 2) throw BadFile{"its format " + std::to_string(format) + " is unknown"};
    file.Skip(static_cast<std::size_t>(headerEnd - file.Here()));  // a longer header's extra bytes

    Parser parser(bytes.size());
    std::size_t tracksRead = 0;
    while (tracksRead < trackCount) {
      if (file.Remaining() < 8) {
        throw BadFile{"its header announces " + std::to_string(trackCount) + " tracks, but the file ends after " +
                      std::to_string(tracksRead)};
      }
      const std::uint8_t* id = file.Here();
      file.Skip(4);
      const std::uint32_t length = file.Big32();
      const bool isTrack = std::memcmp(id, "MTrk", 4) == 0;
      if (length > file.Remaining()) {
        throw BadFile{(isTrack ? TrackName(tracksRead) : std::string("a chunk")) + " claims " + std::to_string(length) +
                      " bytes, but only " + std::to_string(file.Remaining()) + " follow: the file is cut short"};
      }
      if (isTrack) parser.Track({file.Here(), length}, tracksRead++);
      file.Skip(length);  // chunks of other kinds are skipped
    }
    if (parser.NoteCount() == 0) throw BadFile{"it contains no notes"};
    MidiFileReadResult result;
    result.controllers = parser.Controllers(division);
    result.events = parser.Finish(division);
    return result;
  } catch (const BadFile& bad) {
    return Failure(fileName, bad.reason);
  }
}

MidiFileReadResult ReadStandardMidiFile(const std::string& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) return Failure(path, "the file cannot be opened");
  if (size > kMaxMidiFileBytes) {
    return Failure(path, "the file is " + std::to_string(size >> 20) + " MB, more than the " +
                             std::to_string(kMaxMidiFileBytes >> 20) + " MB a MIDI performance may have");
  }
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> bytes(size);
  if (!in || !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
    return Failure(path, "the file cannot be read");
  }
  return ParseStandardMidiFile(bytes, path);
}

}  // namespace rp
