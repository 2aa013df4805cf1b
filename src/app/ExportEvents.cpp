// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExportEvents.h"

#include <ostream>

#include "app/BatchLoad.h"
#include "io/EventsCsv.h"
#include "model/Performance.h"

namespace rp {

int ExportEvents(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  int status = 0;
  Performance performance;
  if (!LoadAnalysedForBatch("--export-events", args, performance, err, status)) return status;
  WriteEventsCsv(performance, out);
  return 0;
}

}  // namespace rp
