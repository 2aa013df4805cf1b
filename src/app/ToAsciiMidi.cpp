#include "app/ToAsciiMidi.h"

#include <ostream>

#include "app/BatchLoad.h"
#include "performance/AsciiMidiWriter.h"
#include "performance/global.h"

namespace rp {

int ToAsciiMidi(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  int status = 0;
  if (!LoadForBatch("--to-ascii-midi", args, err, status)) return status;
  WriteAsciiMidi(out, global::NoteEvents, global::NoteEventCount);
  out.flush();
  return 0;
}

}  // namespace rp
