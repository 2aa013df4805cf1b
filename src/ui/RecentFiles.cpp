// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace rp {

namespace {

const QString kRecentFilesKey = QStringLiteral("files/recent");

QSettings Stored() { return QSettings(QStringLiteral("returnplot"), QStringLiteral("returnplot")); }

}  // namespace

QStringList RecentFiles() {
  QStringList existing;
  for (const QString& path : Stored().value(kRecentFilesKey).toStringList())
    if (QFileInfo::exists(path)) existing << path;
  return existing;
}

void AddRecentFile(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QSettings stored = Stored();
  QStringList files = stored.value(kRecentFilesKey).toStringList();
  files.removeAll(absolute);
  files.prepend(absolute);
  while (files.size() > kMaxRecentFiles) files.removeLast();
  stored.setValue(kRecentFilesKey, files);
}

void ClearRecentFiles() { Stored().remove(kRecentFilesKey); }

}  // namespace rp
