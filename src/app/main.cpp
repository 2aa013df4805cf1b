// SPDX-License-Identifier: GPL-3.0-or-later
// returnplot: a 3D return plot of a recorded piano performance, with replay.
// This program runs the batch commands itself; for anything else (the
// windows, --snapshot, the commands that need the synthesizer) it becomes the
// desktop program, so the batch commands start without loading a toolkit.

#include <iostream>
#include <string>
#include <vector>

#include "app/CheckedOutput.h"
#include "app/CommandLine.h"
#include "app/DesktopProgram.h"
#include "app/LastResort.h"

int main(int argc, char** argv) {
  return rp::RunGuarded(
      [argc, argv] {
        const rp::CheckedStandardOutput checkedOutput;
        const std::vector<std::string> args(argv + 1, argv + argc);
        const rp::LaunchPlan plan = rp::ParseCommandLine(args, std::cout, std::cerr);
        if (plan.exitNow) return rp::StatusAfterOutput(plan.exitStatus, std::cout, std::cerr);
        std::cout.flush();
        return rp::StartDesktopProgram(argv, std::cerr);
      },
      std::cerr);
}
