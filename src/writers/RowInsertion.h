// Where a writer puts its extra line between data rows: a blank line in text files, a repeated
// header row in HTML tables. Every N written rows, or wherever the folder changes.
#pragma once

#include <span>

#include <QtGlobal>

#include "core/list/ColumnOptions.h"
#include "core/list/FileEntry.h"

namespace vek {

class RowInsertion {
 public:
  // countFirstRow: whether the every-N rule also fires before the first written row (k = 0).
  // Text files do, so their first data line is preceded by a blank line; HTML tables do not,
  // since the header row already stands above the first data row.
  RowInsertion(const ColumnOptions& options, bool countFirstRow);

  // Whether the extra line goes before rows[index], with `written` data rows already written
  // to this file. The folder rule compares with the list row directly above (ticked or not),
  // exactly and case-sensitively; nothing is inserted before the list's first row.
  bool before(qint64 written, std::span<const FileEntry> rows, qint64 index) const {
    switch (m_mode) {
      case Mode::Off:
        return false;
      case Mode::EveryN:
        return written % m_interval == 0 && (written > 0 || m_countFirstRow);
      case Mode::FolderChange:
        return index > 0 && rows[std::size_t(index - 1)].folder != rows[std::size_t(index)].folder;
    }
    return false;
  }

 private:
  enum class Mode { Off, EveryN, FolderChange };
  Mode m_mode;
  qint64 m_interval;
  bool m_countFirstRow;
};

}  // namespace vek
