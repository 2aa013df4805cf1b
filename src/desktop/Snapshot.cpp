// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/Snapshot.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QImage>
#include <QString>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "analysis/PerformanceFileKind.h"
#include "analysis/PerformanceLoader.h"
#include "app/BatchLoad.h"
#include "app/CommandLine.h"
#include "app/RemovedOnSignal.h"
#include "frontend/Dialogs.h"
#include "io/FileReplacement.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "model/ValueKind.h"
#include "plot/SharedScale.h"
#include "plot/ViewState.h"
#include "scene/SceneMath.h"
#include "scene/SceneSvg.h"
#include "session/Session.h"
#include "ui/PlotWindow.h"
#include "ui/QtUiPost.h"

namespace rp {

namespace {

// Messages as lines on stderr; every dialog is cancelled.
class SnapshotDialogs final : public Dialogs {
 public:
  void ShowMessage(std::string_view text, MessageKind kind, std::string_view title) override {
    // One line each, as every message of the command line.
    console_.ShowMessage("returnplot: " + std::string(text), kind, title);
    if (kind == MessageKind::Error) ++errors_;
  }
  std::optional<std::string> OpenFile(const OpenFileRequest&) override { return std::nullopt; }
  std::optional<std::string> SaveFile(const OpenFileRequest&) override { return std::nullopt; }
  bool AskYesNo(std::string_view, std::string_view) override { return false; }
  std::optional<int> ChooseFromList(std::string_view, const std::vector<std::string>&, std::string_view) override {
    return std::nullopt;
  }
  int ErrorCount() const { return errors_; }

 private:
  ConsoleDialogs console_;
  int errors_ = 0;
};

std::vector<const Performance*> ShownPerformances(const Performance& main, const ComparedPerformances& compared) {
  std::vector<const Performance*> shown{&main};
  for (const Performance& p : compared) shown.push_back(&p);
  return shown;
}

// One line on `err` when `--event`, `--event-range` or `--tail` lies outside the events of
// the main performance; true then.
bool RefuseEventRange(const SnapshotOptions& o, const Performance& performance, std::ostream& err) {
  const std::int32_t count = performance.EventCount();
  const std::string name = PerformanceDisplayName(performance);
  if (o.event && (*o.event < 1 || *o.event > count)) {
    err << "returnplot: --event takes an event of " << name << " from 1 to " << count << ", not " << *o.event << '\n';
    return true;
  }
  if (o.eventRange && o.eventRange->first >= count) {
    err << "returnplot: --event-range starts after the last event of " << name << " (" << count << " events)\n";
    return true;
  }
  if (o.tailGiven && o.tail > count - 1) {
    err << "returnplot: --tail takes a number of events from 0 to " << count - 1 << " (" << name << " has " << count
        << " events), not " << o.tail << '\n';
    return true;
  }
  return false;
}

// The plot turned about its vertical axis (as "Auto Rot" turns it), then
// tipped about the screen's horizontal axis.
void TurnPlot(PlotView& view, double yawDegrees, double pitchDegrees) {
  if (yawDegrees == 0 && pitchDegrees == 0) return;
  constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
  glm::quat& orientation = view.State().camera.orientation;
  const auto yaw = static_cast<float>(yawDegrees * kRadiansPerDegree);
  const auto pitch = static_cast<float>(-pitchDegrees * kRadiansPerDegree);
  orientation = QuatThen(QuatFromAxisAngle({0.0f, 1.0f, 0.0f}, yaw), orientation);
  orientation = glm::normalize(QuatThen(orientation, QuatFromAxisAngle({1.0f, 0.0f, 0.0f}, pitch)));
  view.Redraw();
}

// Writes `output` through `write` (given the temporary path; false: it could
// not) beside its place and renames it into place; 0, or 1 with the reason
// on stderr.
int WriteReplacing(const std::string& output, const std::function<bool(const std::string&)>& write) {
  FileReplacement file(output);
  std::string error = file.Begin();
  if (error.empty()) {
    const RemovedOnSignal interruptible(file.TemporaryPath());
    error = write(file.TemporaryPath()) ? file.Commit() : "Cannot write \"" + output + "\".";
  }
  if (!error.empty()) {
    std::cerr << "returnplot: " << error << '\n';
    return 1;
  }
  return 0;
}

// The frame as an SVG drawing at the size asked for (one side given: the
// other keeps the plot's shape).
int WriteSvgSnapshot(const SceneDescription& frame, const SnapshotOptions& o) {
  const Viewport& v = frame.camera.viewport;
  const double aspect = static_cast<double>(v.height) / std::max<std::uint32_t>(v.width, 1);
  int width = o.width.value_or(0);
  int height = o.height.value_or(0);
  if (width > 0 && height == 0) height = static_cast<int>(std::lround(width * aspect));
  if (height > 0 && width == 0) width = static_cast<int>(std::lround(height / aspect));
  return WriteReplacing(o.output, [&](const std::string& temporary) {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    WriteSceneSvg(frame, out, width, height);
    out.flush();
    return static_cast<bool>(out);
  });
}

bool CanRead(const std::string& path, std::string& why) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    why = std::strerror(EISDIR);
    return false;
  }
  if (::access(path.c_str(), R_OK) != 0) {
    why = std::strerror(errno);
    return false;
  }
  // A FIFO or a device is refused as every reader refuses it, before a
  // window opens (a scatter file's name is then never taken for a stem).
  if (!std::filesystem::is_regular_file(path, ec)) {
    why = "not a regular file";
    return false;
  }
  return true;
}

// Whether `path` starts as a MIDI file or as bytes that are no text: files
// that are read whole before a window opens, cheaply, to tell one that holds
// nothing readable (exit status 2, as for --report) from one that fails
// later. Listings, match files, lists of times and recordings are left to
// the windows, which read them once.
bool ReadBeforehand(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> head(kHeadBytes);
  in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  const RecognisedFile found = RecognisePerformanceFile(head);
  return found.kind == PerformanceFileKind::MidiFile || (found.kind == PerformanceFileKind::Listing && !found.text);
}

// The scale of --range, or of every --scale-from performance together (read
// with the snapshot's analysis options, in its values); unset for neither.
// A file that cannot be read: a message, and nothing is drawn.
std::optional<ValueRange> FixedScale(const SnapshotOptions& o, ValueKind kind, Dialogs& dialogs) {
  if (o.range || o.scaleFrom.empty()) return o.range;
  std::vector<Performance> read(o.scaleFrom.size());
  std::vector<const Performance*> all;
  for (std::size_t i = 0; i < o.scaleFrom.size(); ++i) {
    read[i].settings = o.analysis.Over();
    const LoadResult result = LoadPerformanceFile(o.scaleFrom[i], read[i]);
    if (!result.Ok()) {
      dialogs.ShowMessage("--scale-from: " + result.message, MessageKind::Error, kAppTitle);
      return std::nullopt;
    }
    all.push_back(&read[i]);
  }
  return SharedScaleRange(all, kind, o.logAxes, o.tempoMeasure);
}

// The display switches given on the command line; a long piece has no
// connecting lines (without --lines) and no floor shadows (without
// --shadows), which only tangle, and smaller points (without --point-size).
void SetDisplaySwitches(const SnapshotOptions& o, const Performance& performance, ViewState& state) {
  const bool longPiece = o.file && performance.EventCount() > kLongPieceEvents;
  state.showConnectLines = o.lines.value_or(longPiece ? false : state.showConnectLines);
  state.showDropLines = o.dropLines.value_or(state.showDropLines);
  state.showFloorShadows = o.shadows.value_or(longPiece ? false : state.showFloorShadows);
  state.showGlass = o.glass.value_or(state.showGlass);
  state.display.pointSize = static_cast<float>(o.pointSize.value_or(longPiece ? kLongPiecePointSize : 1.0));
}

}  // namespace

int PrepareSnapshot(const SnapshotOptions& options, std::ostream& err) {
  for (const std::string& input : options.Inputs()) {
    std::string why;
    if (!CanRead(input, why)) {
      err << "returnplot: cannot open \"" << input << "\": " << why << '\n';
      return kExitCannotOpen;
    }
  }
  std::vector<std::string> performances = options.compareFiles;
  if (options.file) performances.insert(performances.begin(), *options.file);
  for (const std::string& input : performances) {
    if (!ReadBeforehand(input)) continue;
    Performance probe;
    probe.settings = options.analysis.Over();
    const LoadResult result = LoadPerformanceFile(input, probe);
    if (result.status == LoadStatus::CannotOpen || result.status == LoadStatus::Unrecognised ||
        result.status == LoadStatus::TooLarge) {
      err << "returnplot: " << result.message << '\n';
      return kExitCannotOpen;
    }
  }
  if ((options.event || options.eventRange) && options.file) {
    // The event numbers are known before any window opens; a file that
    // cannot be read is the windows' to report.
    Performance performance;
    performance.settings = options.analysis.Over();
    if (LoadPerformanceFile(*options.file, performance).Ok() && RefuseEventRange(options, performance, err)) {
      return kExitUsage;
    }
  }
  if (options.width || options.height) {
    // The picture drawn as on a desktop scaled by that factor, whatever the
    // screen's own scale.
    ::setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    ::unsetenv("QT_SCREEN_SCALE_FACTORS");
    ::setenv("QT_SCALE_FACTOR", std::to_string(options.ScaleFactor()).c_str(), 1);
  }
  return 0;
}

int RunSnapshot(const SnapshotOptions& o) {
  SnapshotDialogs dialogs;
  Session session(dialogs, QtUiPoster(QCoreApplication::instance()));
  Performance& performance = session.Main();
  // The same input always gives the same picture: the settings stored by
  // the windows play no part.
  performance.settings = o.analysis.Over();
  ReplayPosition& position = session.Position();
  const ComparedPerformances& compared = session.Compared();
  StartOptions start;
  start.file = o.file;
  start.values = o.Values();
  start.alignBy = o.alignBy;
  start.compareFiles = o.compareFiles;
  start.loadInBackground = false;  // read before the one frame is drawn
  PlotWindow form(session, dialogs, start);
  // The software renderer's note is a line on stderr here, as every message.
  form.View().SetNoticeShower(nullptr);
  DisplayOptions& display = form.View().State().display;
  display = DisplayOptions{};
  display.logarithmic = o.logAxes;
  display.identityLine = o.identityLine;
  display.colourByTime = o.colourByTime;
  display.eventRange = o.eventRange;
  display.fixedScale = FixedScale(o, start.values, dialogs);
  if (dialogs.ErrorCount() > 0) return 1;
  display.theme = o.theme;
  display.title = o.title;
  const std::optional<std::string> scatterFile =
      o.scatter ? std::optional(WithDefaultExtension(*o.scatter, "csv")) : std::nullopt;
  // A scatter file's picture is titled by the file's name, as a performance's is.
  if (scatterFile && !o.title) display.title = std::filesystem::path(*scatterFile).filename().string();
  display.legend = o.legend;
  display.tempo = o.tempoMeasure;
  if (o.width && o.height) {
    // Another shape than the window's: the client area takes it, in the
    // desktop's units.
    form.resize(kSnapshotWidth, static_cast<int>(std::lround(*o.height / o.ScaleFactor())));
  }
  form.Start();
  if (const std::optional<int> ended = form.EndStatus()) return *ended;  // no graphics device
  // Velocity needs velocities in every performance shown, Tempo and the
  // chord values score positions, the melody lead also voices.
  if (start.values != ValueKind::Timing) {
    for (const Performance* shown : ShownPerformances(performance, compared)) {
      const std::string_view why = ValueKindUnavailable(*shown, start.values);
      if (why.empty()) continue;
      std::cerr << "returnplot: " << o.ValuesOption() << " does not apply to " << PerformanceDisplayName(*shown) << ": "
                << why << '\n';
      return kExitUsage;
    }
  }
  if (o.alignBy == AlignBy::ScorePosition && !CanAlignByScore(performance, compared)) {
    std::cerr << "returnplot: --align-by score needs every file aligned to the score of the same piece\n";
    return kExitUsage;
  }
  // One still frame: no turn of the plot from the time that start-up took.
  form.View().State().autoRotate = false;
  if (o.width && o.height) {
    // The client area exactly that shape, the menu bar apart, so that the
    // picture is not stretched to the size asked for.
    const auto wanted = static_cast<std::int32_t>(std::lround(*o.height / o.ScaleFactor()));
    for (int tries = 0; tries < 3 && form.ClientHeight() != wanted; ++tries) {
      form.SetClientHeight(wanted);
      QCoreApplication::processEvents();
    }
  }
  try {
    if (scatterFile) form.View().LoadScatterFile(*scatterFile);
    if (o.event) {
      position.currentEvent = *o.event - 1;  // --event counts as users do, from 1
      position.tailLength = o.tail;
      form.View().ShowTail();
    }
  } catch (const std::exception& e) {
    dialogs.ShowMessage(e.what(), MessageKind::Error, kAppTitle);
    return 1;
  }
  SetDisplaySwitches(o, performance, form.View().State());
  TurnPlot(form.View(), o.yawDegrees, o.pitchDegrees);
  if (dialogs.ErrorCount() > 0) return 1;

  if (o.format == SnapshotFormat::Svg) return WriteSvgSnapshot(form.View().NextFrame(), o);

  QImage image = form.GrabClientArea();
  const int width = o.width.value_or(static_cast<int>(std::lround(kSnapshotWidth * o.ScaleFactor())));
  const int height = o.height.value_or(static_cast<int>(std::lround(kSnapshotHeight * o.ScaleFactor())));
  if (!image.isNull() && (o.width || o.height) && image.size() != QSize(width, height)) {
    // The window's pixels rounded to whole ones: the picture takes the size asked for.
    image = image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  if (image.isNull()) {
    std::cerr << "returnplot: Cannot write \"" << o.output << "\": the plot could not be drawn.\n";
    return 1;
  }
  const bool png = o.format == SnapshotFormat::Png;
  return WriteReplacing(o.output, [&](const std::string& temporary) {
    return image.save(QString::fromStdString(temporary), png ? "PNG" : "JPEG", png ? -1 : 95);
  });
}

}  // namespace rp
