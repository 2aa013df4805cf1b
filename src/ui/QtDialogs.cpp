// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtDialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

#include "ui/Translations.h"

namespace rp {

namespace {

// The texts come from the plain libraries in English; those marked there
// are shown translated, the rest (composed with names and numbers) as they are.
QString FromUtf8(std::string_view s) { return TranslatedText(s); }

}  // namespace

QString QtFileFilter(const std::vector<FileType>& fileTypes) {
  QStringList entries;
  for (const FileType& type : fileTypes) {
    QStringList patterns;
    for (const std::string& pattern : type.patterns) patterns << QString::fromStdString(pattern);
    entries << QStringLiteral("%1 (%2)").arg(TranslatedText(type.label), patterns.join(QLatin1Char(' ')));
  }
  return entries.join(QStringLiteral(";;"));
}

void QtDialogs::ShowMessage(std::string_view text, MessageKind kind, std::string_view title) {
  QMessageBox box(kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::Information, FromUtf8(title),
                  FromUtf8(text), QMessageBox::Ok, parent_);
  box.exec();
}

std::optional<std::string> QtDialogs::OpenFile(const OpenFileRequest& request) {
  QFileDialog dialog(parent_, FromUtf8(request.title), QString::fromStdString(request.initialDir),
                     QtFileFilter(request.fileTypes));
  dialog.setObjectName(QStringLiteral("openFileDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString path = dialog.selectedFiles().front();
  if (path.isEmpty()) return std::nullopt;
  // A desktop's own dialog may pass the typed name on without the extension.
  return WithDefaultExtension(path.toStdString(), request.defaultExtension);
}

std::optional<std::string> QtDialogs::SaveFile(const OpenFileRequest& request) {
  QFileDialog dialog(parent_, FromUtf8(request.title), QString::fromStdString(request.initialDir),
                     QtFileFilter(request.fileTypes));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

bool QtDialogs::AskYesNo(std::string_view text, std::string_view title) {
  return QMessageBox::question(parent_, FromUtf8(title), FromUtf8(text), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

std::optional<int> QtDialogs::ChooseFromList(std::string_view text, const std::vector<std::string>& items,
                                             std::string_view title) {
  QStringList names;
  for (const auto& item : items) names << FromUtf8(item);
  bool ok = false;
  const QString chosen = QInputDialog::getItem(parent_, FromUtf8(title), FromUtf8(text), names, 0, false, &ok);
  if (!ok) return std::nullopt;
  const auto index = names.indexOf(chosen);
  if (index < 0) return std::nullopt;
  return static_cast<int>(index);
}

std::vector<std::string> QtDialogs::OpenFiles(const OpenFileRequest& request) {
  const QStringList paths = QFileDialog::getOpenFileNames(
      parent_, FromUtf8(request.title), QString::fromStdString(request.initialDir), QtFileFilter(request.fileTypes));
  std::vector<std::string> chosen;
  for (const QString& path : paths) chosen.push_back(path.toStdString());
  return chosen;
}

}  // namespace rp
