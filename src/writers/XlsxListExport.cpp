#include "writers/XlsxListExport.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "core/platform/OutputFile.h"
#include "writers/ColumnCells.h"
#include "writers/ListDelivery.h"
#include "writers/XlsxListWriter.h"

namespace vek {

bool createXlsxList(const QString& path, const FileList& given, const Settings& settings,
                    Interaction& interaction, const QString& title, const ListDigests* readAhead) {
  if (auto message = ColumnCells::checkSelection(settings.csv.columns)) {
    interaction.showMessage(*message);
    return false;
  }
  ListDelivery delivery(given, path, settings.csv.columns);
  const FileList& list = delivery.list();
  if (!delivery.prepare(interaction, readAhead)) return false;
  XlsxListWriter writer(settings, title);
  delivery.applyTo(writer.cells());
  writer.setScratchFolder(QFileInfo(path).absolutePath());
  // The writer reads the workbook back before its bytes reach the file, so a workbook that is
  // not whole never replaces the old list. Its reason (the library's own words or what the
  // read-back found) follows the warning.
  const bool written = delivery.write(
      path, interaction, [&](QIODevice& device) { return writer.write(device, list.rows()); }, {},
      [&] { return writer.errorString(); });
  if (!written) return false;
  const std::span<const FileEntry> rows = list.rows();
  for (const qint64 row : writer.cutRows())
    interaction.reportIncomplete(rows[std::size_t(row)].fullPath(), cellCutReason());
  if (writer.sheetCount() > 1)
    interaction.showMessage(sheetsSplitMessage(path, writer.sheetCount()));
  delivery.reportMissing(interaction);
  return true;
}

QString cellCutReason() {
  return QCoreApplication::translate(
      "XlsxListExport",
      "Excel のセルの上限（32,767 文字）を超えたため、末尾を「…」にして切り詰めました");
}

Message sheetsSplitMessage(const QString& path, int sheets) {
  return {
      QCoreApplication::translate("XlsxListExport", "シートの分割"),
      joinLines({QCoreApplication::translate("XlsxListExport", "ファイルを出力しました。"), path,
                 QCoreApplication::translate(
                     "XlsxListExport",
                     "ただし、行数が Excel の 1 シートの上限（1,048,576 行）を超えたため、%1 "
                     "枚のシートに分けて出力しました（各シートの先頭行は見出し行です）。")
                     .arg(sheets)}),
      MessageIcon::Information};
}

}  // namespace vek
