// SPDX-License-Identifier: GPL-3.0-or-later
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
  // Events and notes numbered from 1.
  std::int32_t number = 0;
  for (const OnsetEvent& p : performance.events) {
    csv.Integer(++number).Number(p.onsetMs).Number(p.interval0).Number(p.interval1).Number(p.interval2);
    csv.Integer(p.velocity0).Integer(p.velocity1).Integer(p.velocity2).Integer(p.firstNote + 1).EndRow();
  }
  csv.Flush();
  return 0;
}

}  // namespace rp
