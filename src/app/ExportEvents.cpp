#include "app/ExportEvents.h"

#include <ostream>

#include "app/BatchLoad.h"
#include "performance/global.h"

namespace rp {

int ExportEvents(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  int status = 0;
  if (!LoadForBatch("--export-events", args, err, status)) return status;
  out << "event,onset_ms,interval0,interval1,interval2,velocity0,velocity1,velocity2,first_note\n";
  for (std::int32_t k = 1; k <= global::PlotEventCount; ++k) {
    const PlotEvent& p = global::PlotEvents[static_cast<std::size_t>(k)];
    out << k << ',' << ShortestNumber(p.OnsetMs) << ',' << ShortestNumber(p.Interval0) << ','
        << ShortestNumber(p.Interval1) << ',' << ShortestNumber(p.Interval2) << ',' << int{p.Velocity0} << ','
        << int{p.Velocity1} << ',' << int{p.Velocity2} << ',' << p.FirstNote << '\n';
  }
  out.flush();
  return 0;
}

}  // namespace rp
