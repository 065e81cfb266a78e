#include "support/ClipboardTables.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace vek::test {

namespace {

QList<QStringList> rowsOf(const QJsonArray& rows) {
  QList<QStringList> out;
  for (const QJsonValue& row : rows) {
    QStringList cells;
    for (const QJsonValue& cell : row.toArray()) cells.append(cell.toString());
    out.append(cells);
  }
  return out;
}

}  // namespace

ClipboardTables readClipboardTables(const QString& tsv, const QString& html) {
  ClipboardTables result;
  QProcess python;
  python.start(QStringLiteral("/usr/bin/python3"),
               {QStringLiteral(VEK_TEST_SUPPORT_DIR "/clipboard_tables.py")});
  python.write(
      QJsonDocument(QJsonObject{{QStringLiteral("tsv"), tsv}, {QStringLiteral("html"), html}})
          .toJson(QJsonDocument::Compact));
  python.closeWriteChannel();
  if (!python.waitForFinished(60000)) {
    python.kill();
    result.error = QStringLiteral("the reader did not finish");
    return result;
  }
  result.error = QString::fromUtf8(python.readAllStandardError());
  result.read = python.exitStatus() == QProcess::NormalExit && python.exitCode() == 0;
  const QJsonObject tables = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
  result.tsv = rowsOf(tables.value(QStringLiteral("tsv")).toArray());
  result.html = rowsOf(tables.value(QStringLiteral("html")).toArray());
  return result;
}

}  // namespace vek::test
