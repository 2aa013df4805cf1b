// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/BatchLoad.h"
#include "app/CommandLine.h"
#include "app/DesktopProgram.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace rp {
namespace {

// Runs a program to its end; `out` holds its standard output and error.
test::ProgramRun RunProgram(const std::vector<std::string>& argv) {
  return test::RunCapturing(argv, test::StdErr::IntoOut);
}

TEST(DesktopProgram, TheCommandLineLoadsNoToolkitAndHandsTheRestOnUnchanged) {
  const std::string program = RP_PROGRAM;
  if (program.empty()) GTEST_SKIP() << "the program is not built";
  const test::ProgramRun libraries = RunProgram({"ldd", program});
  ASSERT_EQ(libraries.status, 0) << libraries.out;
  for (const char* heavy :
       {"libQt6", "libGL", "libOpenGL", "libEGL", "libfluidsynth", "librtmidi", "libasound", "libsndfile", "libaubio"})
    EXPECT_EQ(libraries.out.find(heavy), std::string::npos) << heavy << " in\n" << libraries.out;
  EXPECT_EQ(::access(DesktopProgramPath(program).c_str(), X_OK), 0) << DesktopProgramPath(program);

  // Commands and options of the desktop program answer as before.
  const test::ProgramRun render = RunProgram({program, "--render-wav"});
  EXPECT_EQ(render.status, kExitUsage);
  EXPECT_NE(render.out.find("usage: returnplot --render-wav"), std::string::npos) << render.out;
  const test::ProgramRun unknown = RunProgram({program, "--no-such-option"});
  EXPECT_EQ(unknown.status, kExitUsage);
  EXPECT_NE(unknown.out.find("unknown option --no-such-option"), std::string::npos) << unknown.out;
}

TEST(DesktopProgram, WithoutItBatchCommandsStillRunAndTheWindowsSayWhyNot) {
  const std::string program = RP_PROGRAM;
  if (program.empty()) GTEST_SKIP() << "the program is not built";
  test::TempDir dir("rp_desktop_test");
  const std::string alone = dir.Path() + "/returnplot";
  std::filesystem::copy_file(program, alone);
  EXPECT_EQ(RunProgram({alone, "--version"}).status, 0);
  const test::ProgramRun window = RunProgram({alone, "some.txt"});
  EXPECT_EQ(window.status, kExitNoDesktop);
  EXPECT_NE(window.out.find("cannot start " + DesktopProgramPath(alone)), std::string::npos) << window.out;
}

}  // namespace
}  // namespace rp
