#include "support/XlsxReadBack.h"

#include <QJsonDocument>
#include <QProcess>

namespace vek::test {

XlsxReadBack compareXlsxWithCsv(const QString& xlsxPath, const QString& csvPath) {
  XlsxReadBack result;
  QProcess python;
  // Debian's own Python, which python3-openpyxl is installed for.
  python.start(QStringLiteral("/usr/bin/python3"),
               {QStringLiteral(VEK_TEST_SUPPORT_DIR "/xlsx_matches_csv.py"), xlsxPath, csvPath});
  if (!python.waitForFinished(300000)) {
    python.kill();
    result.difference = QStringLiteral("the reader did not finish");
    return result;
  }
  result.difference = QString::fromUtf8(python.readAllStandardError());
  result.matches = python.exitStatus() == QProcess::NormalExit && python.exitCode() == 0;
  result.facts = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
  return result;
}

QJsonArray readXlsxCells(const QString& xlsxPath) {
  QProcess python;
  python.start(QStringLiteral("/usr/bin/python3"),
               {QStringLiteral(VEK_TEST_SUPPORT_DIR "/xlsx_cells.py"), xlsxPath});
  if (!python.waitForFinished(300000)) {
    python.kill();
    return {};
  }
  return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

}  // namespace vek::test
