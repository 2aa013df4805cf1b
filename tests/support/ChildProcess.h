// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A helper program a test starts and stops itself (a sound server, a
// recorder): started with posix_spawn, its output sent to a log file, and
// stopped by its process id, never by name, so parallel runs and the user's
// own servers are left alone.

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace rp::test {

class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess() { Stop(); }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts `argv[0]` (looked up on PATH) with the process's environment plus
  // `env` (an empty value removes a variable). Standard output goes to
  // `stdoutPath` ("" for /dev/null), standard error to `logPath` (the same
  // file as standard output when both paths are the same).
  // False when the program could not be started.
  bool Start(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
             const std::string& stdoutPath, const std::string& logPath);

  bool Running();
  pid_t Pid() const { return pid_; }

  // Waits until the process ends, at most `deadline`: its exit status (-1
  // when a signal ended it), or nothing when it is still running.
  std::optional<int> Wait(std::chrono::milliseconds deadline);

  // SIGTERM, then SIGKILL when it has not ended within `grace`; waits for it.
  void Stop(std::chrono::milliseconds grace = std::chrono::milliseconds(3000));

 private:
  // Reaps the process if it has ended (waiting for it when `block`); true then.
  bool Reap(bool block);

  pid_t pid_ = -1;
  int exitStatus_ = -1;
};

// Runs a program to its end (killed after `timeout`); its exit status, or
// -1 when it could not be started or did not end in time.
int RunToEnd(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
             std::chrono::milliseconds timeout, const std::string& stdoutPath = "");

// What a program run to its end wrote, and how it ended.
struct ProgramRun {
  int status = -1;  // its exit status; -1 when it could not start, a signal ended it or it ran out of time
  std::string out;  // standard output (and standard error, when merged)
  std::string err;  // standard error, unless merged into `out`
};
enum class StdErr { Apart, IntoOut };

// Runs a program to its end (killed after `timeout`), keeping what it
// writes; `stdErr` says whether standard error goes with standard output, in
// the order written, as a terminal shows them.
ProgramRun RunCapturing(const std::vector<std::string>& argv, StdErr stdErr = StdErr::Apart,
                        const std::map<std::string, std::string>& env = {},
                        std::chrono::milliseconds timeout = std::chrono::minutes(2));

// The last `bytes` of a file (a server's log, for the reason it ended).
std::string FileTail(const std::string& path, std::size_t bytes);

// Waits until a server just started as `child` answers (`answers()` true).
// "" when it did; else why not: it ended at start-up (with the end of its
// log) or did not answer within `timeout`.
std::string WaitUntilAnswering(ChildProcess& child, const std::string& name, const std::string& logPath,
                               const std::function<bool()>& answers, std::chrono::milliseconds timeout);

// True when `program` is found on PATH.
bool ProgramOnPath(const std::string& program);

}  // namespace rp::test
