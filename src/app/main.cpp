// returnplot: a 3D return plot of a recorded piano performance, with replay.

#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const rp::LaunchPlan plan = rp::ParseCommandLine(args, std::cout, std::cerr);
  if (plan.exitNow) return plan.exitStatus;
  std::cerr << "returnplot: the windows are not built yet; see returnplot --help\n";
  return 0;
}
