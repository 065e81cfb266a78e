// Rows of a table as a spreadsheet takes them from the clipboard: tab-separated text with a
// header line, and the same rows as an HTML table, both in one QMimeData, so that a paste into
// Excel or LibreOffice gives one cell per value. Names are data: a tab, a line end or a quote in
// a value keeps it one cell, and "<&>" stays text.
#pragma once

#include <memory>
#include <vector>

#include <QList>
#include <QString>

#include "ui/FileListModel.h"

class QAbstractItemModel;
class QMimeData;

namespace vek {

// One column as copied: its position in the model, and whether its values are numbers (the
// others are marked as text, so that a spreadsheet keeps "001" and "1-2" as they are).
struct CopiedColumn {
  int column = 0;
  bool numeric = false;
};

struct CopiedRows {
  QString tsv;   // header line, then one line a row, each ending in "\n"
  QString html;  // a whole document holding one table
};

// The rows of the spans (ascending, not overlapping) in the columns given, in that order, with
// the model's header captions as the first line. The values are the model's display texts.
CopiedRows copyRows(const QAbstractItemModel& model, const QList<CopiedColumn>& columns,
                    const std::vector<FileListModel::RowSpan>& rows);
std::unique_ptr<QMimeData> rowsMimeData(const CopiedRows& rows);

}  // namespace vek
