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
  EXPECT_EQ(RunExportPoints({shortLine}, out, err), 1);
  EXPECT_EQ(err.str(), "Comma delimited file must have at least 4 columns (name,x,y,z)\n");
  EXPECT_NE(out.str().find("# XAxisName=tempo\n"), std::string::npos);
  EXPECT_NE(out.str().find("\n2,kept 2,4,5,6,1,4,8,4,1,"), std::string::npos);
  EXPECT_EQ(out.str().find("dropped"), std::string::npos);

  out.str("");
  err.str("");
  EXPECT_EQ(RunExportPoints({"/no/such/file.csv"}, out, err), 1);
  EXPECT_EQ(err.str(), "Unable to find /no/such/file.csv\n");
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
