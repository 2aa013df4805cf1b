// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/CommandLine.h"
#include "app/ExportPoints.h"
#include "support/ChildProcess.h"

namespace rp {
namespace {

TEST(ExportPoints, PrintsTitlesAndScaledPoints) {
  std::ostringstream out, err;
  const std::string file = RP_TEST_DATA_DIR "/scatter_cube.csv";
  const LaunchPlan plan = ParseCommandLine({"--export-points", file}, out, err);
  EXPECT_TRUE(plan.exitNow);
  EXPECT_EQ(plan.exitStatus, 0);
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(out.str(),
            "# XAxisName=\n# VerticalAxisName=\n# DepthAxisName=\n# SizeName=\n"
            "position,name,datax,datay,dataz,size_value,x,y,z,size,color,data\n"
            "1,low,-2,10,-8,1,-4,0,-4,1,FF5E4D38,\n"
            "2,mid,0,14,0,0.5,0,4,0,0.5,FF664D3D,\n"
            "3,high,2,18,8,2,4,8,4,2,FF6F4D42,\n");
}

TEST(ExportPoints, MessagesGoToStderrAndSetTheStatus) {
  std::ostringstream out, err;
  const std::string shortLine = RP_TEST_DATA_DIR "/scatter_four_columns.csv";
  EXPECT_EQ(RunExportPoints({shortLine}, out, err), kExitCannotOpen);
  EXPECT_EQ(err.str(),
            "returnplot: Comma delimited file must have at least 5 columns (name,x,y,z,size); line 4 has 4.\n");
  EXPECT_EQ(out.str(), "");  // a failed load prints nothing, not even the header

  // Skipped rows are told on stderr and leave the status; with --strict
  // they fail the command and nothing is printed.
  const std::string emptyX = RP_TEST_DATA_DIR "/bad/scatter_empty_x.csv";
  out.str("");
  err.str("");
  EXPECT_EQ(RunExportPoints({emptyX}, out, err), 0);
  EXPECT_EQ(err.str(), "returnplot: In \"" + emptyX +
                           "\", 2 lines that look like data rows were skipped; the first at line 2: an x that is not "
                           "a number (\"a,,2,3,1\").\n");
  EXPECT_NE(out.str().find("# XAxisName=x\n"), std::string::npos);
  EXPECT_NE(out.str().find("\n1,b,1,2,3,1,"), std::string::npos);
  out.str("");
  err.str("");
  EXPECT_EQ(RunExportPoints({"--strict", emptyX}, out, err), kExitCannotOpen);
  EXPECT_EQ(out.str(), "");
  EXPECT_NE(err.str().find("2 lines that look like data rows were skipped"), std::string::npos);

  out.str("");
  err.str("");
  EXPECT_EQ(RunExportPoints({"/no/such/file.csv"}, out, err), kExitCannotOpen);
  EXPECT_EQ(err.str(), "returnplot: Unable to find /no/such/file.csv\n");
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(RunExportPoints({}, out, err), 64);
}

TEST(ExportPoints, ProgramRunsOnTheBundledExample) {
  const std::string program = RP_PROGRAM;
  if (program.empty()) GTEST_SKIP() << "program not built";
  const test::ProgramRun run =
      test::RunCapturing({program, "--export-points", RP_BUILD_DATA_DIR "/ScatterData.csv"}, test::StdErr::IntoOut);
  const int status = run.status;
  const std::string& output = run.out;
  EXPECT_EQ(status, 0) << output;
  EXPECT_EQ(output.rfind("# XAxisName=tempo (bpm)\n", 0), 0u) << output;
  EXPECT_NE(output.find("\n24,P3 bar7b,41.3,45.7,18.9,1.27,"), std::string::npos) << output;
}

}  // namespace
}  // namespace rp
