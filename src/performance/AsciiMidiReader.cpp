#include "performance/AsciiMidiReader.h"

#include "performance/FieldReader.h"
#include "performance/LeadingNumber.h"
#include "platform/ProgressThrottle.h"

namespace rp {

std::size_t SucheInZeile(std::string_view Zeile, std::string_view Suchstring) {
  if (Suchstring.size() >= Zeile.size()) return 0;
  const std::size_t at = Zeile.find(Suchstring);
  return at == std::string_view::npos ? 0 : at + 1;
}

bool IsNoteLine(std::string_view field) {
  return !field.empty() && SucheInZeile(field, "/*") > 0 && field.back() == ';' &&
         (SucheInZeile(field, "+") > 0 || SucheInZeile(field, "-") > 0);
}

NoteEvent ReadNoteLine(std::string_view line) {
  NoteEvent e;
  const std::size_t length = line.size();

  // Everything before the first "; /*".
  if (const std::size_t lead = SucheInZeile(line, "; /*"); lead > 0) {
    e.LeadValue = ReadLeadingNumber(line.substr(0, lead - 1));
  }

  // Between the first "/*" and the first "ms */"; nothing when they stand the
  // wrong way round.
  const std::size_t open = SucheInZeile(line, "/*");
  const std::size_t close = SucheInZeile(line, "ms */");
  if (open > 0 && close >= open + 2) {
    e.TimeMs = ReadLeadingNumber(line.substr(open + 1, close - open - 2));
  }

  // The three characters before the final ";".
  if (length >= 4) e.NoteVelocity = ReadLeadingByte(line.substr(length - 4, 3));

  // The first "+" makes a note-on whatever else the line holds.
  const std::size_t plus = SucheInZeile(line, "+");
  const std::size_t sign = plus > 0 ? plus : SucheInZeile(line, "-");
  if (sign > 0) {
    // 0-based, the key starts right after the sign and runs up to the
    // velocity characters; when fewer than two characters stand there, the
    // two after the sign are read.
    const std::size_t keyBegin = sign;
    const std::size_t keyEnd = length >= 4 ? length - 4 : 0;
    const std::size_t keyLength = keyEnd >= keyBegin + 2 ? keyEnd - keyBegin : 2;
    e.NoteKey = ReadLeadingByte(line.substr(keyBegin, keyLength));
  }
  e.IsNoteOn = plus > 0 ? kTrue : kFalse;
  return e;
}

FieldCounts CountFields(FieldReader& fields) {
  FieldCounts counts;
  std::string_view field;
  while (fields.Next(field)) {
    ++counts.fields;
    if (IsNoteLine(field)) ++counts.noteLines;
  }
  return counts;
}

std::int32_t ReadNotes(FieldReader& fields, std::vector<NoteEvent>& notes, ProgressThrottle& progress) {
  constexpr std::int64_t kReportEvery = 4096;
  const std::size_t capacity = notes.empty() ? 0 : notes.size() - 1;
  std::size_t count = 0;
  std::int64_t sinceReport = 0;
  std::string_view field;
  while (count < capacity && fields.Next(field)) {
    if (IsNoteLine(field)) notes[++count] = ReadNoteLine(field);
    if (++sinceReport == kReportEvery) {
      sinceReport = 0;
      progress.ShowNumberEvents(static_cast<std::int64_t>(count));
      progress.SetValue(static_cast<std::int64_t>(count));
      progress.Poll();
    }
  }
  progress.ShowNumberEvents(static_cast<std::int64_t>(count));
  progress.SetValue(static_cast<std::int64_t>(count));
  return static_cast<std::int32_t>(count);
}

}  // namespace rp
