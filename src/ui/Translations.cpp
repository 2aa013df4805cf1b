// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <QTranslator>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/TextFormat.h"
#include "base/TranslatableText.h"
#include "io/DataFolder.h"

namespace rp {

QString TranslationsFolder() { return QString::fromStdString(ProgramDataFolder()) + QStringLiteral("translations"); }

bool InstallTranslations(QCoreApplication& app, const QLocale& locale) {
  // Qt's own dialogs first, so the program's texts win where both have one.
  auto* qt = new QTranslator(&app);
  if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
               QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(qt);
  } else {
    delete qt;
  }
  auto* own = new QTranslator(&app);
  if (!own->load(locale, QStringLiteral("returnplot"), QStringLiteral("_"), TranslationsFolder())) {
    delete own;
    return false;
  }
  QCoreApplication::installTranslator(own);
  return true;
}

namespace {

QString TranslatedLiteral(std::string_view text) {
  const std::string zeroEnded(text);
  return QCoreApplication::translate(kTextContext, zeroEnded.c_str());
}

// A format as a pattern matching its finished texts; the placeholders' numbers
// in the order of the pattern's groups.
struct FormatPattern {
  QRegularExpression expression;
  std::vector<int> placeholders;
};

const FormatPattern& PatternOf(const std::string& format) {
  thread_local std::unordered_map<std::string, FormatPattern> patterns;
  auto [at, added] = patterns.try_emplace(format);
  if (added) {
    QString pattern = QStringLiteral("\\A");
    std::size_t literalFrom = 0;
    for (std::size_t i = 0; i + 1 < format.size(); ++i) {
      if (format[i] != '%' || format[i + 1] < '1' || format[i + 1] > '9') continue;
      pattern += QRegularExpression::escape(QString::fromStdString(format.substr(literalFrom, i - literalFrom)));
      pattern += QStringLiteral("(.*?)");
      at->second.placeholders.push_back(format[i + 1] - '0');
      literalFrom = i + 2;
      ++i;
    }
    pattern += QRegularExpression::escape(QString::fromStdString(format.substr(literalFrom)));
    pattern += QStringLiteral("\\z");
    at->second.expression = QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption);
  }
  return at->second;
}

QString TranslatedSentences(const std::string& text);

// One piece of a message translated, when it is a marked text or fits a
// format (the longest first); the format's values are translated in turn.
std::optional<QString> TranslatedPiece(const std::string& piece) {
  if (const QString literal = TranslatedLiteral(piece); literal != QString::fromStdString(piece)) return literal;
  for (const std::string& format : KnownTextFormats()) {
    const FormatPattern& pattern = PatternOf(format);
    const QRegularExpressionMatch match = pattern.expression.match(QString::fromStdString(piece));
    if (!match.hasMatch()) continue;
    std::vector<std::string> args(9);
    for (std::size_t k = 0; k < pattern.placeholders.size(); ++k) {
      const std::string value = match.captured(static_cast<int>(k) + 1).toStdString();
      args[static_cast<std::size_t>(pattern.placeholders[k] - 1)] = TranslatedSentences(value).toStdString();
    }
    return QString::fromStdString(FillPlaceholders(TranslatedLiteral(format).toStdString(), args));
  }
  return std::nullopt;
}

// A line of sentences joined by spaces, each translated where it can be: of
// the ways to cut it at sentence ends, the one with the most translated pieces.
QString TranslatedSentences(const std::string& text) {
  std::vector<std::size_t> starts{0};
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    if (text[i] == ' ' && text[i - 1] == '.') starts.push_back(i + 1);
  }
  const std::size_t count = starts.size();
  starts.push_back(text.size() + 1);
  // best[i]: the most translated pieces of the text from starts[i], and its translation.
  std::vector<std::pair<int, QString>> best(count + 1, {0, QString()});
  for (std::size_t i = count; i-- > 0;) {
    best[i].first = -1;
    for (std::size_t j = i + 1; j <= count; ++j) {
      const std::string piece = text.substr(starts[i], starts[j] - 1 - starts[i]);
      const std::optional<QString> translated = TranslatedPiece(piece);
      const int score = (translated ? 1 : 0) + best[j].first;
      if (score <= best[i].first) continue;
      QString shown = translated ? *translated : QString::fromStdString(piece);
      if (j < count) shown += QLatin1Char(' ') + best[j].second;
      best[i] = {score, shown};
    }
  }
  return best[0].second;
}

}  // namespace

QString TranslatedText(std::string_view text) {
  const QString literal = TranslatedLiteral(text);
  if (literal != QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))) return literal;
  QStringList lines;
  for (const QString& line : QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).split('\n'))
    lines << TranslatedSentences(line.toStdString());
  return lines.join('\n');
}

std::function<std::string(const std::string&)> RememberingTranslator() {
  // Hover labels change with every point under the pointer: past this many
  // texts the memory starts anew rather than growing.
  constexpr std::size_t kMostRemembered = 4096;
  auto remembered = std::make_shared<std::unordered_map<std::string, std::string>>();
  return [remembered](const std::string& text) {
    if (const auto at = remembered->find(text); at != remembered->end()) return at->second;
    if (remembered->size() >= kMostRemembered) remembered->clear();
    return remembered->emplace(text, TranslatedText(text).toStdString()).first->second;
  };
}

}  // namespace rp
