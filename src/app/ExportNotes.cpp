// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExportNotes.h"

#include <ostream>

#include "app/BatchLoad.h"
#include "io/CsvWriter.h"
#include "model/Performance.h"

namespace rp {

int ExportNotes(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  int status = 0;
  Performance performance;
  if (!LoadAnalysedForBatch("--export-notes", args, performance, err, status)) return status;
  CsvWriter csv(out);
  csv.Text("index,is_note_on,time_ms,lead_value,key,velocity,cluster_index").EndRow();
  // Notes and the events they open numbered from 1; 0 opens none.
  std::int32_t number = 0;
  for (const NoteEvent& n : performance.notes) {
    csv.Integer(++number).Integer(n.isNoteOn ? 1 : 0).Number(n.timeMs).Number(n.leadValue);
    csv.Integer(n.noteKey).Integer(n.noteVelocity).Integer(n.opensEvent + 1).EndRow();
  }
  csv.Flush();
  return 0;
}

}  // namespace rp
