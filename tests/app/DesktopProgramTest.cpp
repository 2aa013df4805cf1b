#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/BatchLoad.h"
#include "app/CommandLine.h"
#include "app/DesktopProgram.h"
#include "support/ChildProcess.h"

namespace rp {
namespace {

struct ShellRun {
  int status = -1;
  std::string output;  // stdout and stderr
};

ShellRun Shell(const std::string& command) {
  ShellRun r;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((command + " 2>&1").c_str(), "r"), &pclose);
  if (!pipe) return r;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0) r.output.append(buffer, n);
  const int status = pclose(pipe.release());
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

TEST(DesktopProgram, TheCommandLineLoadsNoToolkitAndHandsTheRestOnUnchanged) {
  const std::string program = RP_PROGRAM;
  if (program.empty()) GTEST_SKIP() << "the program is not built";
  const ShellRun libraries = Shell("ldd '" + program + "'");
  ASSERT_EQ(libraries.status, 0) << libraries.output;
  for (const char* heavy :
       {"libQt6", "libGL", "libOpenGL", "libEGL", "libfluidsynth", "librtmidi", "libasound", "libsndfile", "libaubio"})
    EXPECT_EQ(libraries.output.find(heavy), std::string::npos) << heavy << " in\n" << libraries.output;
  EXPECT_EQ(::access(DesktopProgramPath(program).c_str(), X_OK), 0) << DesktopProgramPath(program);

  // Commands and options of the desktop program answer as before.
  const ShellRun render = Shell("'" + program + "' --render-wav");
  EXPECT_EQ(render.status, kExitUsage);
  EXPECT_NE(render.output.find("usage: returnplot --render-wav"), std::string::npos) << render.output;
  const ShellRun unknown = Shell("'" + program + "' --no-such-option");
  EXPECT_EQ(unknown.status, kExitUsage);
  EXPECT_NE(unknown.output.find("unknown option --no-such-option"), std::string::npos) << unknown.output;
}

TEST(DesktopProgram, WithoutItBatchCommandsStillRunAndTheWindowsSayWhyNot) {
  const std::string program = RP_PROGRAM;
  if (program.empty()) GTEST_SKIP() << "the program is not built";
  test::PrivateDir dir("rp_desktop_test");
  const std::string alone = dir.Path() + "/returnplot";
  std::filesystem::copy_file(program, alone);
  EXPECT_EQ(Shell("'" + alone + "' --version").status, 0);
  const ShellRun window = Shell("'" + alone + "' some.txt");
  EXPECT_EQ(window.status, kExitNoDesktop);
  EXPECT_NE(window.output.find("cannot start " + DesktopProgramPath(alone)), std::string::npos) << window.output;
}

}  // namespace
}  // namespace rp
