// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowActions.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QWidget>

namespace rp {

WindowActions::WindowActions(QWidget& window, std::vector<WindowAction> table)
    : QObject(&window), table_(std::move(table)) {
  actions_.reserve(table_.size());
  for (std::size_t i = 0; i < table_.size(); ++i) {
    const WindowAction& entry = table_[i];
    auto* action = new QAction(QCoreApplication::translate(entry.context, entry.text), &window);
    action->setObjectName(QLatin1String(entry.name));
    action->setCheckable(entry.checkable);
    if (!entry.shortcut.isEmpty()) {
      action->setShortcut(entry.shortcut);
      action->setShortcutContext(entry.shortcutContext);
      action->setAutoRepeat(false);
      window.addAction(action);
    }
    connect(action, &QAction::triggered, this, [this, i] {
      if (const auto& run = table_[i].run) run();
      // Qt flips a checkable action by itself; the switch it shows decides.
      Refresh();
    });
    actions_.push_back(action);
  }
  Refresh();
}

QAction* WindowActions::Action(const QString& name) const {
  for (QAction* action : actions_)
    if (action->objectName() == name) return action;
  return nullptr;
}

void WindowActions::Fill(QMenu& menu, const std::vector<const char*>& names) {
  for (const char* name : names) {
    if (*name == '\0') {
      menu.addSeparator();
    } else if (QAction* action = Action(QLatin1String(name))) {
      menu.addAction(action);
    }
  }
  menu.setToolTipsVisible(true);  // why an item cannot be chosen
  connect(&menu, &QMenu::aboutToShow, this, [this] { Refresh(); });
}

void WindowActions::Refresh() {
  for (std::size_t i = 0; i < table_.size(); ++i) {
    const WindowAction& entry = table_[i];
    QAction* action = actions_[i];
    if (entry.checked) action->setChecked(entry.checked());
    const bool enabled = !entry.enabled || entry.enabled();
    action->setEnabled(enabled);
    const std::string why = !enabled && entry.whyNot ? entry.whyNot() : std::string();
    action->setToolTip(why.empty() ? QString() : QCoreApplication::translate(entry.context, why.c_str()));
    if (entry.caption) action->setText(QCoreApplication::translate(entry.context, entry.caption()));
  }
}

}  // namespace rp
