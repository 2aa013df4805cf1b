// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windows' commands in one table: each entry's name, text, shortcut,
// whether it is a switch, when it can be chosen, its check mark and what it
// does. The popup menu, the menu bar and the shortcuts are all made from the
// table, so an item shows and does the same wherever it appears; enabled
// states, check marks and changing captions are read from what they show
// (the session, the plot's switches) whenever a menu opens and after every
// choice.

#include <QKeySequence>
#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace rp {

struct WindowAction {
  const char* name = "";     // the action's object name: "menuConnect", "fileOpen", ...
  const char* context = "";  // the translation context of `text`
  const char* text = "";     // English
  std::function<void()> run;
  QKeySequence shortcut = {};
  // Where the shortcut works: the window, or every window of the program.
  Qt::ShortcutContext shortcutContext = Qt::WindowShortcut;
  bool checkable = false;
  std::function<bool()> checked;         // the switch a checkable entry shows
  std::function<bool()> enabled;         // unset: always
  std::function<std::string()> whyNot;   // English, the same context: the tooltip while it cannot be chosen
  std::function<const char*()> caption;  // a caption that changes (unset: `text`), the same context
};

class WindowActions final : public QObject {
  Q_OBJECT
 public:
  // Makes one action per entry on `window`; those with a shortcut work from
  // the start, in a menu or not.
  WindowActions(QWidget& window, std::vector<WindowAction> table);

  // The action of `name`, or nullptr.
  QAction* Action(const QString& name) const;
  // Adds the named actions to `menu` in order ("" a separator); the menu
  // shows them as they stand each time it opens.
  void Fill(QMenu& menu, const std::vector<const char*>& names);
  // Enabled states, check marks, tooltips and captions as they stand now.
  void Refresh();

 private:
  std::vector<WindowAction> table_;
  std::vector<QAction*> actions_;
};

}  // namespace rp
