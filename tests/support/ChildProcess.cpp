// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "support/TempDir.h"
#include "support/WaitFor.h"

extern char** environ;

namespace rp::test {

bool ChildProcess::Start(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
                         const std::string& stdoutPath, const std::string& logPath) {
  Stop();
  std::map<std::string, std::string> merged;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    const auto eq = entry.find('=');
    if (eq != std::string::npos) merged[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  for (const auto& [name, value] : env) {
    if (value.empty())
      merged.erase(name);
    else
      merged[name] = value;
  }
  std::vector<std::string> envStrings;
  for (const auto& [name, value] : merged) envStrings.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (auto& s : envStrings) envp.push_back(s.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = argv;
  std::vector<char*> argp;
  for (auto& s : args) argp.push_back(s.data());
  argp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, stdoutPath.empty() ? "/dev/null" : stdoutPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (!stdoutPath.empty() && logPath == stdoutPath) {
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, logPath.empty() ? "/dev/null" : logPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
  }
  pid_t pid = -1;
  const int rc = posix_spawnp(&pid, argp[0], &actions, nullptr, argp.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;
  pid_ = pid;
  exitStatus_ = -1;
  return true;
}

bool ChildProcess::Reap(bool block) {
  if (pid_ <= 0) return true;
  int status = 0;
  if (::waitpid(pid_, &status, block ? 0 : WNOHANG) != pid_) return false;
  exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  pid_ = -1;
  return true;
}

bool ChildProcess::Running() { return pid_ > 0 && !Reap(false); }

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds deadline) {
  if (!WaitFor([this] { return !Running(); }, deadline, std::chrono::milliseconds(1))) return std::nullopt;
  return exitStatus_;
}

void ChildProcess::Stop(std::chrono::milliseconds grace) {
  if (!Running()) return;
  ::kill(pid_, SIGTERM);
  if (Wait(grace)) return;
  ::kill(pid_, SIGKILL);
  Reap(true);
}

int RunToEnd(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
             std::chrono::milliseconds timeout, const std::string& stdoutPath) {
  ChildProcess child;
  if (!child.Start(argv, env, stdoutPath, "")) return -1;
  return child.Wait(timeout).value_or(-1);  // the child object stops it when it ran out of time
}

ProgramRun RunCapturing(const std::vector<std::string>& argv, StdErr stdErr,
                        const std::map<std::string, std::string>& env, std::chrono::milliseconds timeout) {
  const TempDir dir("rp_run_");
  const std::string outPath = dir.Path("out");
  const std::string errPath = stdErr == StdErr::IntoOut ? outPath : dir.Path("err");
  ProgramRun run;
  ChildProcess child;
  if (!child.Start(argv, env, outPath, errPath)) return run;
  run.status = child.Wait(timeout).value_or(-1);
  child.Stop();
  auto read = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  };
  run.out = read(outPath);
  if (stdErr == StdErr::Apart) run.err = read(errPath);
  return run;
}

std::string FileTail(const std::string& path, std::size_t bytes) {
  std::ifstream in(path);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return text.substr(text.size() > bytes ? text.size() - bytes : 0);
}

bool ProgramOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    const std::size_t end = dirs.find(':', start);
    const std::string dir = dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!dir.empty() && ::access((dir + "/" + program).c_str(), X_OK) == 0) return true;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return false;
}

std::string WaitUntilAnswering(ChildProcess& child, const std::string& name, const std::string& logPath,
                               const std::function<bool()>& answers, std::chrono::milliseconds timeout) {
  bool ended = false;
  const bool answered = WaitFor(
      [&] {
        ended = !child.Running();
        return ended || answers();
      },
      timeout, std::chrono::milliseconds(50));
  if (ended) return name + " ended at start-up: " + FileTail(logPath, 400);
  return answered ? "" : name + " did not answer within the time allowed";
}

}  // namespace rp::test
