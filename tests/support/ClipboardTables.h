// Copied rows read back as a spreadsheet's paste reads them (tests/support/clipboard_tables.py):
// the tab-separated text by Python's csv module, the HTML table by Python's HTML parser.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vek::test {

struct ClipboardTables {
  bool read = false;  // false: the reader refused, see error
  QString error;
  QList<QStringList> tsv;
  QList<QStringList> html;
};

ClipboardTables readClipboardTables(const QString& tsv, const QString& html);

}  // namespace vek::test
