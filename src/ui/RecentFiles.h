// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The performances opened lately, newest first, kept between runs with the
// other stored settings for File > Open Recent.

#include <QStringList>

namespace rp {

inline constexpr int kMaxRecentFiles = 8;

// The stored list; files that no longer exist are left out.
QStringList RecentFiles();
// Puts `path` (made absolute) first; the oldest beyond kMaxRecentFiles go.
void AddRecentFile(const QString& path);
void ClearRecentFiles();

}  // namespace rp
