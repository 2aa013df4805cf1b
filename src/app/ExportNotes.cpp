// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExportNotes.h"

#include <ostream>

#include "app/BatchLoad.h"
#include "io/EventsCsv.h"
#include "model/Performance.h"

namespace rp {

int ExportNotes(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  int status = 0;
  Performance performance;
  if (!LoadAnalysedForBatch("--export-notes", args, performance, err, status)) return status;
  WriteNotesCsv(performance, out);
  return 0;
}

}  // namespace rp
