#include "writers/TextListExport.h"

#include <QCoreApplication>

#include "core/OutputFile.h"
#include "writers/ColumnCells.h"
#include "writers/ListDelivery.h"
#include "writers/TextListWriter.h"

#include <QStringBuilder>

namespace vek {

bool createTextList(const QString& path, const FileList& given, const Settings& settings,
                    Interaction& interaction, bool textType, const QString& separatorText,
                    const TextCodec& codec) {
  if (auto message = ColumnCells::checkSelection(settings.csv.columns)) {
    interaction.showMessage(*message);
    return false;
  }
  ListDelivery delivery(given, path, settings.csv.columns);
  const FileList& list = delivery.list();
  if (!delivery.prepare(interaction)) return false;
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
                    const TextListChoices& choices, ReplacedRowsReport report) {
  if (choices.encoding == ListEncoding::System && !choices.formulaGuard) {
    return createTextList(path, given, settings, interaction, textType, separatorText);
  }
  if (auto message = ColumnCells::checkSelection(settings.csv.columns)) {
    interaction.showMessage(*message);
    return false;
  }
  ListDelivery delivery(given, path, settings.csv.columns);
  const FileList& list = delivery.list();
  if (!delivery.prepare(interaction)) return false;
  TextListWriter writer(settings, textType, separatorText, choices);
  delivery.applyTo(writer.cells());
  const bool written = delivery.write(
      path, interaction, [&](QIODevice& device) { return writer.write(device, list.rows()); });
  if (!written) return false;
  if (writer.lostCharacters() == 0) {
    delivery.reportMissing(interaction);
    return true;
  }
  if (choices.encoding == ListEncoding::System) {
    interaction.showMessage(OutputFile::replacedCharactersMessage(path, writer.codec().name(),
                                                                  writer.lostCharacters()));
    delivery.reportMissing(interaction);
    return true;
  }
  const std::vector<qint64>& rows = writer.replacedRows();
  QStringList paths;
  const std::size_t named =
      report == ReplacedRowsReport::EveryRow ? rows.size() : std::min<std::size_t>(1, rows.size());
  for (std::size_t i = 0; i < named; ++i) paths += list.rows()[std::size_t(rows[i])].fullPath();
  interaction.showMessage(replacedRowsMessage(path, choices.encoding, writer.headerReplaced(),
                                              paths, qint64(rows.size())));
  delivery.reportMissing(interaction);
  return true;
}

Message replacedRowsMessage(const QString& path, ListEncoding encoding, bool headerReplaced,
                            const QStringList& rowPaths, qint64 rowCount) {
  QString text = joinLines(
      {QCoreApplication::translate("TextListExport", "ファイルを出力しました。"), path,
       QCoreApplication::translate("TextListExport",
                                   "ただし、文字コード %1 で表せない文字を含む行が %2 "
                                   "行あったため、その文字を「?」に置き換えて出力しました。")
           .arg(listEncodingName(encoding), QString::number(rowCount))});
  if (headerReplaced) {
    text += u"\r\n" % QCoreApplication::translate("TextListExport",
                                                  "見出し行の文字も「?」に置き換えました。");
  }
  if (rowPaths.size() == 1 && rowCount > 1) {
    text += u"\r\n" %
            QCoreApplication::translate("TextListExport", "最初の行: %1").arg(rowPaths.front());
  } else {
    for (const QString& rowPath : rowPaths) text += u"\r\n" % rowPath;
  }
  return {QCoreApplication::translate("TextListExport", "文字の置き換え"), text,
          MessageIcon::Information};
}

}  // namespace vek
