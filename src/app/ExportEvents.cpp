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
  for (std::int32_t k = 1; k <= performance.PlotEventCount; ++k) {
    const PlotEvent& p = performance.PlotEvents[static_cast<std::size_t>(k)];
    csv.Integer(k).Number(p.OnsetMs).Number(p.Interval0).Number(p.Interval1).Number(p.Interval2);
    csv.Integer(p.Velocity0).Integer(p.Velocity1).Integer(p.Velocity2).Integer(p.FirstNote).EndRow();
  }
  csv.Flush();
  return 0;
}

}  // namespace rp
