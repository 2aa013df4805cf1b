// returnplot: a 3D return plot of a recorded piano performance, with replay.

#include <iostream>
#include <string>
#include <vector>

#include "app/AnalysisReport.h"
#include "app/BundledExample.h"
#include "app/CommandLine.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const rp::LaunchPlan plan = rp::ParseCommandLine(args, std::cout, std::cerr);
  if (plan.exitNow) return plan.exitStatus;
  // Until the windows exist, the program reports the analysis of the file it
  // would open first.
  const std::string file = plan.startFile ? *plan.startFile : rp::BundledExamplePath();
  return rp::PrintAnalysisReport(file, std::cout, std::cerr);
}
