#include "app/ExportNotes.h"

#include <ostream>

#include "app/BatchLoad.h"
#include "performance/Performance.h"

namespace rp {

int ExportNotes(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  int status = 0;
  Performance performance;
  if (!LoadAnalysedForBatch("--export-notes", args, performance, err, status)) return status;
  out << "index,is_note_on,time_ms,lead_value,key,velocity,cluster_index\n";
  for (std::int32_t j = 1; j <= performance.NoteEventCount; ++j) {
    const NoteEvent& n = performance.NoteEvents[static_cast<std::size_t>(j)];
    out << j << ',' << (n.IsNoteOn ? 1 : 0) << ',' << ShortestNumber(n.TimeMs) << ','
        << ShortestNumber(n.LeadValue) << ',' << int{n.NoteKey} << ',' << int{n.NoteVelocity} << ','
        << n.ClusterIndex << '\n';
  }
  out.flush();
  return 0;
}

}  // namespace rp
