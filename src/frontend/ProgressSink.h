// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a long load shows while it runs: the progress window ("Processing....")
// with its caption and bar, and the control panel's two count labels (the
// number of events and the event at hand). The control panel implements it with
// its real controls; batch runs use the null sink.
//
// Callers go through `ProgressThrottle`, so an implementation may repaint on
// every call: it is called at most about 30 times a second. Work shown
// through a sink whose user asked to cancel ends at its next poll with
// WorkCancelled.

#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace rp {

// Thrown by ProgressThrottle::Poll once the user asked to cancel the work it
// shows; whoever started the work catches it.
class WorkCancelled : public std::runtime_error {
 public:
  WorkCancelled() : std::runtime_error("cancelled") {}
};

class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  // Shown without being modal, a little below and right of the control
  // panel's top-left corner; hidden again at the end of the load.
  virtual void ShowWindow() = 0;
  virtual void HideWindow() = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  // The bar. A range the bar cannot take (a maximum of 0) is simply ignored.
  virtual void SetMinimum(std::int64_t value) = 0;
  virtual void SetMaximum(std::int64_t value) = 0;
  virtual void SetValue(std::int64_t value) = 0;
  // Whether the user asked to stop the work under way (safe from any thread);
  // long reads ask now and then and end early, leaving everything as it was.
  virtual bool CancelRequested() { return false; }
};

// Shows nothing (batch runs); tests derive from it to watch one step.
class NullProgressSink : public ProgressSink {
 public:
  void ShowWindow() override {}
  void HideWindow() override {}
  void SetCaption(std::string_view) override {}
  void SetMinimum(std::int64_t) override {}
  void SetMaximum(std::int64_t) override {}
  void SetValue(std::int64_t) override {}
};

}  // namespace rp
