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
  for (std::int32_t j = 1; j <= performance.noteEventCount; ++j) {
    const NoteEvent& n = performance.noteEvents[static_cast<std::size_t>(j)];
    csv.Integer(j).Integer(n.isNoteOn ? 1 : 0).Number(n.timeMs).Number(n.leadValue);
    csv.Integer(n.noteKey).Integer(n.noteVelocity).Integer(n.clusterIndex).EndRow();
  }
  csv.Flush();
  return 0;
}

}  // namespace rp
