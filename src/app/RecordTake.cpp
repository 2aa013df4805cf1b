// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RecordTake.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <ostream>

#include "app/CommandLine.h"
#include "io/AsciiMidiWriter.h"
#include "midi/MidiInput.h"
#include "take/TakeSession.h"

namespace rp {

namespace {

// The command's stand-in for the UI thread: tasks posted from the MIDI thread
// run on the thread that waits here.
class TaskQueue {
 public:
  PostToUi Poster() {
    return [this](UiTask task) {
      {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
      }
      ready_.notify_one();
    };
  }
  // Runs what was posted, waiting at most `wait` for the first task.
  void RunFor(std::chrono::milliseconds wait) {
    std::deque<UiTask> tasks;
    {
      std::unique_lock lock(mutex_);
      ready_.wait_for(lock, wait, [this] { return !tasks_.empty(); });
      tasks.swap(tasks_);
    }
    for (auto& task : tasks) task();
  }

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<UiTask> tasks_;
};

// How often the loop looks at the clock, the stop request and the input.
constexpr std::chrono::milliseconds kPoll(50);

}  // namespace

int RecordTake(const RecordOptions& options, MidiInput& input, const std::atomic<bool>& stopRequested,
               std::ostream& out, std::ostream& err) {
  if (const std::string problem = TakeDestinationProblem(options); !problem.empty()) {
    err << "returnplot: " << problem << '\n';
    return 1;
  }
  const auto names = input.DeviceNames();
  int device = -1;
  for (std::size_t i = 0; i < names.size() && device < 0; ++i) {
    if (names[i].find(options.input) != std::string::npos) device = static_cast<int>(i);
  }
  if (device < 0) {
    err << "returnplot: no MIDI input's name contains \"" << options.input << "\" ("
        << (names.empty() ? std::string("there is no MIDI input")
                          : std::to_string(names.size()) + " inputs; see --list-devices")
        << ")\n";
    return kExitCannotOpen;
  }

  TaskQueue queue;
  bool inputGone = false;
  TakeSession session(input, queue.Poster(), options.settings, {nullptr, [&](const std::string& message) {
                                                                  err << "returnplot: " << message << '\n';
                                                                  inputGone = true;
                                                                }});
  const std::string takePath = RecoveryPathOf(options);
  const auto started = TakeSession::Clock::now();
  if (const auto failure = session.Start(device, takePath, started)) {
    // An earlier take's file stays as it was; one made by this start is gone.
    err << "returnplot: " << *failure << '\n';
    return kExitCannotOpen;
  }
  err << "returnplot: recording from \"" << session.DeviceName() << "\" into " << options.output
      << (options.seconds ? "" : "; Ctrl+C ends the take") << '\n';

  const auto deadline = options.seconds ? started + std::chrono::duration_cast<TakeSession::Clock::duration>(
                                                        std::chrono::duration<double>(std::min(*options.seconds, 1e8)))
                                        : TakeSession::Clock::time_point::max();
  while (!inputGone && !stopRequested.load()) {
    queue.RunFor(kPoll);
    const auto now = TakeSession::Clock::now();
    session.Tick(now);
    if (now >= deadline) break;
  }
  session.Stop();

  const Performance take = session.Live().Finished();
  std::string error;
  if (!SaveAsciiMidiFile(options.output, take, error)) {
    err << "returnplot: " << error << " The notes are kept in " << takePath << ".\n";
    return 1;
  }
  std::remove(takePath.c_str());
  out << "Recorded " << take.NoteCount() << " notes.\n";
  return 0;
}

}  // namespace rp
