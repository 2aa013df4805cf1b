// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AlignByMenu.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <array>
#include <utility>

#include "model/ComparedAlignment.h"
#include "plot/ViewState.h"
#include "ui/StoredSettings.h"

namespace rp {

namespace {

// The menu's entries and their object names, in the order of AlignBy.
constexpr std::array<std::pair<AlignBy, const char*>, 3> kEntries = {{
    {AlignBy::EventNumber, "alignByNumber"},
    {AlignBy::RelativePosition, "alignByPosition"},
    {AlignBy::ScorePosition, "alignByScore"},
}};

QString Caption(AlignBy by) {
  switch (by) {
    case AlignBy::EventNumber:
      return QCoreApplication::translate("rp::AlignByMenu", "Event number");
    case AlignBy::RelativePosition:
      return QCoreApplication::translate("rp::AlignByMenu", "Relative position in time");
    case AlignBy::ScorePosition:
      return QCoreApplication::translate("rp::AlignByMenu", "Score position");
  }
  return {};
}

}  // namespace

void AddAlignByMenu(QMenu& menu, ViewState& state, std::function<void()> rebuild) {
  QMenu* align = menu.addMenu(QCoreApplication::translate("rp::AlignByMenu", "Align compared by"));
  align->setObjectName(QStringLiteral("alignByMenu"));
  auto* group = new QActionGroup(align);
  for (const auto& entry : kEntries) {
    const AlignBy by = entry.first;
    QAction* action = align->addAction(Caption(by));
    action->setObjectName(QLatin1String(entry.second));
    action->setCheckable(true);
    group->addAction(action);
    QObject::connect(action, &QAction::triggered, align, [&state, by, rebuild] {
      state.alignBy = by;
      StoreAlignBy(by);
      if (rebuild) rebuild();
    });
  }
  // The check mark and the score entry follow what is shown when the menu opens.
  QObject::connect(align, &QMenu::aboutToShow, align, [align, &state] {
    const bool canScore = state.mainPerformance != nullptr && state.comparedPerformances != nullptr &&
                          CanAlignByScore(*state.mainPerformance, *state.comparedPerformances);
    const AlignBy now = state.mainPerformance != nullptr && state.comparedPerformances != nullptr
                            ? EffectiveAlignBy(state.alignBy, *state.mainPerformance, *state.comparedPerformances)
                            : state.alignBy.value_or(AlignBy::EventNumber);
    for (const auto& [by, name] : kEntries) {
      QAction* action = align->findChild<QAction*>(QLatin1String(name));
      if (action == nullptr) continue;
      action->setChecked(by == now);
      if (by == AlignBy::ScorePosition) {
        action->setEnabled(canScore);
        action->setToolTip(
            canScore ? QString()
                     : QCoreApplication::translate("rp::AlignByMenu",
                                                   "Needs every shown performance aligned to the score of the same "
                                                   "piece (match files with the same piece)."));
      }
    }
  });
  align->setToolTipsVisible(true);
}

}  // namespace rp
