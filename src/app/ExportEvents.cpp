#include "app/ExportEvents.h"

#include <ostream>

#include "app/BatchLoad.h"
#include "io/CsvWriter.h"
#include "model/Performance.h"

namespace rp {

int ExportEvents(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  int status = 0;
  Performance performance;
  if (!LoadAnalysedForBatch("--export-events", args, performance, err, status)) return status;
  CsvWriter csv(out);
  csv.Text("event,onset_ms,interval0,interval1,interval2,velocity0,velocity1,velocity2,first_note").EndRow();
  for (std::int32_t k = 1; k <= performance.plotEventCount; ++k) {
    const PlotEvent& p = performance.plotEvents[static_cast<std::size_t>(k)];
    csv.Integer(k).Number(p.onsetMs).Number(p.interval0).Number(p.interval1).Number(p.interval2);
    csv.Number(p.velocity0).Number(p.velocity1).Number(p.velocity2).Integer(p.firstNote).EndRow();
  }
  csv.Flush();
  return 0;
}

}  // namespace rp
