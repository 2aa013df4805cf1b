// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/Snapshot.h"

#include <QImage>
#include <QString>
#include <exception>
#include <iostream>

#include "app/BatchLoad.h"
#include "base/Dialogs.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "model/ValueKind.h"
#include "ui/PlotWindow.h"

namespace rp {

namespace {

// Messages as lines on stderr; the file dialog answers with the file set
// for it just before, once, and is cancelled otherwise.
class SnapshotDialogs final : public Dialogs {
 public:
  void ShowMessage(std::string_view text, MessageKind kind, std::string_view title) override {
    console_.ShowMessage(text, kind, title);
    if (kind == MessageKind::Error) ++errors_;
  }
  std::optional<std::string> OpenFile(const OpenFileRequest&) override {
    auto answer = std::move(nextFile);
    nextFile.reset();
    return answer;
  }
  std::optional<std::string> SaveFile(const OpenFileRequest&) override { return std::nullopt; }
  bool AskYesNo(std::string_view, std::string_view) override { return false; }
  std::optional<int> ChooseFromList(std::string_view, const std::vector<std::string>&, std::string_view) override {
    return std::nullopt;
  }
  int ErrorCount() const { return errors_; }

  std::optional<std::string> nextFile;

 private:
  ConsoleDialogs console_;
  int errors_ = 0;
};

std::vector<const Performance*> ShownPerformances(const Performance& main, const ComparedPerformances& compared) {
  std::vector<const Performance*> shown{&main};
  for (const Performance& p : compared) shown.push_back(&p);
  return shown;
}

}  // namespace

int RunSnapshot(const SnapshotOptions& o) {
  SnapshotDialogs dialogs;
  Performance performance;
  // The same input always gives the same picture: the settings stored by
  // the windows play no part.
  performance.settings = o.analysis.Over();
  ReplayPosition position;
  ComparedPerformances compared;
  PlotWindow form(dialogs, StartOptions{o.file, o.velocity, o.compareFiles}, performance, position, compared);
  // The software renderer's note is a line on stderr here, as every message.
  form.View().Setup().showNotice = nullptr;
  form.Start();
  // Velocity needs velocities in every performance shown.
  if (o.velocity) {
    for (const Performance* shown : ShownPerformances(performance, compared)) {
      const std::string_view why = ValueKindUnavailable(*shown, ValueKind::Velocity);
      if (why.empty()) continue;
      std::cerr << "returnplot: --velocity does not apply to " << PerformanceDisplayName(*shown) << ": " << why << '\n';
      return kExitUsage;
    }
  }
  // One still frame: no timer, and no turn of the plot from the time that
  // start-up took.
  form.SetTimerEnabled(false);
  form.View().State().autoRotate = false;
  try {
    if (o.scatter) {
      dialogs.nextFile = *o.scatter;
      form.View().LoadScatterFile();
    }
    if (o.event) {
      position.currentEvent = *o.event;
      position.tailLength = o.tail;
      form.View().ShowTail();
    }
    form.View().OnFrameTimer();
  } catch (const std::exception& e) {
    dialogs.ShowMessage(e.what(), MessageKind::Error, kAppTitle);
    return 1;
  }
  const QImage image = form.GrabClientArea();
  if (image.isNull() || !image.save(QString::fromStdString(o.output), "PNG")) {
    std::cerr << "returnplot: cannot write " << o.output << '\n';
    return 1;
  }
  return dialogs.ErrorCount() == 0 ? 0 : 1;
}

}  // namespace rp
