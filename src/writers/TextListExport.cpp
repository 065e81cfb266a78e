#include "writers/TextListExport.h"

#include <algorithm>

#include <QCoreApplication>

#include "core/messages/PrintedPath.h"
#include "core/platform/OutputFile.h"
#include "writers/ColumnCells.h"
#include "writers/ListDelivery.h"
#include "writers/TextListWriter.h"

#include <QStringBuilder>

namespace vek {

bool createTextList(const QString& path, const FileList& given, const Settings& settings,
                    Interaction& interaction, bool textType, const QString& separatorText,
                    const TextCodec& codec, const ListDigests* readAhead) {
  if (auto message = ColumnCells::checkSelection(settings.csv.columns)) {
    interaction.showMessage(*message);
    return false;
  }
  ListDelivery delivery(given, path, settings.csv.columns);
  const FileList& list = delivery.list();
  if (!delivery.prepare(interaction, readAhead)) return false;
  TextListWriter writer(settings, textType, separatorText, codec);
  delivery.applyTo(writer.cells());
  const bool written = delivery.write(
      path, interaction, [&](QIODevice& device) { return writer.write(device, list.rows()); });
  if (!written) return false;
  if (writer.lostCharacters() > 0) {
    interaction.showMessage(
        OutputFile::replacedCharactersMessage(path, codec.name(), writer.lostCharacters()));
  }
  delivery.reportMissing(interaction);
  return true;
}

bool createTextList(const QString& path, const FileList& given, const Settings& settings,
                    Interaction& interaction, bool textType, const QString& separatorText,
                    const TextListChoices& choices, ReplacedRowsReport report,
                    const ListDigests* readAhead) {
  // The window tells of the system's encoding by a count; the batch run names every row.
  if (choices.encoding == ListEncoding::System && !choices.formulaGuard &&
      report == ReplacedRowsReport::FirstRow) {
    return createTextList(path, given, settings, interaction, textType, separatorText,
                          TextCodec::system(), readAhead);
  }
  if (auto message = ColumnCells::checkSelection(settings.csv.columns)) {
    interaction.showMessage(*message);
    return false;
  }
  ListDelivery delivery(given, path, settings.csv.columns);
  const FileList& list = delivery.list();
  if (!delivery.prepare(interaction, readAhead)) return false;
  TextListWriter writer(settings, textType, separatorText, choices);
  delivery.applyTo(writer.cells());
  const bool written = delivery.write(
      path, interaction, [&](QIODevice& device) { return writer.write(device, list.rows()); });
  if (!written) return false;
  if (writer.lostCharacters() == 0 && writer.bestFitRows().empty()) {
    delivery.reportMissing(interaction);
    return true;
  }
  if (choices.encoding == ListEncoding::System && report == ReplacedRowsReport::FirstRow) {
    if (writer.lostCharacters() > 0)
      interaction.showMessage(OutputFile::replacedCharactersMessage(path, writer.codec().name(),
                                                                    writer.lostCharacters()));
    delivery.reportMissing(interaction);
    return true;
  }
  // The rows with a "?" and those with a character written as another one, in list order.
  std::vector<qint64> rows = writer.replacedRows();
  rows.insert(rows.end(), writer.bestFitRows().begin(), writer.bestFitRows().end());
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  ReplacedRowsNotice notice;
  notice.path = path;
  notice.encodingName = listEncodingName(choices.encoding);
  notice.headerReplaced = writer.headerReplaced();
  notice.replacedRows = qint64(writer.replacedRows().size());
  notice.bestFitRows = qint64(writer.bestFitRows().size());
  notice.bestFits = writer.bestFits();
  notice.rowCount = qint64(rows.size());
  const std::size_t named =
      report == ReplacedRowsReport::EveryRow ? rows.size() : std::min<std::size_t>(1, rows.size());
  for (std::size_t i = 0; i < named; ++i)
    notice.rowPaths += list.rows()[std::size_t(rows[i])].fullPath();
  interaction.showMessage(replacedRowsMessage(notice));
  delivery.reportMissing(interaction);
  return true;
}

namespace {

// A character of a notice with its code point: "〜 (U+301C)".
QString namedCharacter(char16_t c) {
  return QStringLiteral("%1 (U+%2)")
      .arg(QChar(c))
      .arg(QString::number(c, 16).toUpper(), 4, QLatin1Char('0'));
}

}  // namespace

Message replacedRowsMessage(const ReplacedRowsNotice& notice) {
  // Every path as reports print paths: a name holding a line end stays one entry, bytes that
  // are not UTF-8 show as \xHH, so each one can be found again.
  QStringList lines = {QCoreApplication::translate("TextListExport", "ファイルを出力しました。"),
                       printedPath(notice.path)};
  if (notice.replacedRows > 0 || notice.headerReplaced) {
    lines += QCoreApplication::translate("TextListExport",
                                         "ただし、文字コード %1 で表せない文字を含む行が %2 "
                                         "行あったため、その文字を「?」に置き換えて出力しました。")
                 .arg(notice.encodingName, QString::number(notice.replacedRows));
  }
  if (notice.headerReplaced) {
    lines +=
        QCoreApplication::translate("TextListExport", "見出し行の文字も「?」に置き換えました。");
  }
  if (notice.bestFitRows > 0) {
    lines +=
        QCoreApplication::translate("TextListExport",
                                    "文字コード %1 では別の文字として読み戻される文字を含む行が "
                                    "%2 行ありました。")
            .arg(notice.encodingName, QString::number(notice.bestFitRows));
    for (const auto& [written, readBack] : notice.bestFits) {
      //: %1 and %2: a character with its code point, "〜 (U+301C)"
      lines += QCoreApplication::translate("TextListExport", "%1 は %2 として書き出しました。")
                   .arg(namedCharacter(written), namedCharacter(readBack));
    }
  }
  if (notice.rowPaths.size() == 1 && notice.rowCount > 1) {
    lines += QCoreApplication::translate("TextListExport", "最初の行: %1")
                 .arg(printedPath(notice.rowPaths.front()));
  } else {
    for (const QString& rowPath : notice.rowPaths) lines += printedPath(rowPath);
  }
  return {QCoreApplication::translate("TextListExport", "文字の置き換え"), lines.join(u"\r\n"),
          MessageIcon::Information};
}

}  // namespace vek
