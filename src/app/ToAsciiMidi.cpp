// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ToAsciiMidi.h"

#include <ostream>

#include "app/BatchLoad.h"
#include "io/AsciiMidiWriter.h"
#include "model/Performance.h"

namespace rp {

int ToAsciiMidi(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  int status = 0;
  Performance performance;
  if (!LoadForBatch("--to-ascii-midi", args, performance, err, status)) return status;
  WriteAsciiMidi(out, performance.notes);
  out.flush();
  return 0;
}

}  // namespace rp
