#include "app/ExportEvents.h"

#include <ostream>

#include "app/BatchLoad.h"
#include "performance/Performance.h"

namespace rp {

int ExportEvents(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  int status = 0;
  Performance performance;
  if (!LoadAnalysedForBatch("--export-events", args, performance, err, status)) return status;
  out << "event,onset_ms,interval0,interval1,interval2,velocity0,velocity1,velocity2,first_note\n";
  for (std::int32_t k = 1; k <= performance.PlotEventCount; ++k) {
    const PlotEvent& p = performance.PlotEvents[static_cast<std::size_t>(k)];
    out << k << ',' << ShortestNumber(p.OnsetMs) << ',' << ShortestNumber(p.Interval0) << ','
        << ShortestNumber(p.Interval1) << ',' << ShortestNumber(p.Interval2) << ',' << int{p.Velocity0} << ','
        << int{p.Velocity1} << ',' << int{p.Velocity2} << ',' << p.FirstNote << '\n';
  }
  out.flush();
  return 0;
}

}  // namespace rp
