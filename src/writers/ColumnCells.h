// The text of each output column for one row, the selected columns and their header captions:
// what every writer (Text/CSV, HTML, XML) puts into its cells.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <vector>

#include <QLocale>
#include <QString>

#include "core/dates/DateFormatter.h"
#include "core/list/ColumnOptions.h"
#include "core/list/DeliveryCheck.h"
#include "core/list/FileEntry.h"
#include "core/messages/Message.h"
#include "core/platform/FileHasher.h"
#include "core/settings/Settings.h"
#include "core/text/PathPrefix.h"
#include "core/text/PathRules.h"
#include "core/text/SizeText.h"

namespace vek {

class ColumnCells {
 public:
  ColumnCells(const ColumnOptions& options, SizeStyle sizeStyle, DateFormatter dateFormatter,
              PathStyle pathStyle = nativePathStyle(), const QLocale& locale = QLocale());

  // The size of a totals line, as the size column writes sizes: the exact byte count converted
  // once (so a total in KB may differ from the sum of the rounded row cells).
  QString sizeTotalText(qint64 bytes) const;
  // The prefix replacement of the path and folder columns (and of file links).
  const PathPrefix& prefix() const { return m_prefix; }

  // The ticked columns in ColumnId order.
  const std::vector<ColumnId>& selected() const { return m_selected; }

  // The digests of the ticked rows of rows (hashes[i] belongs to the i-th ticked row), for the
  // hash column of those rows; rows must stay where they are while cells are made.
  void setHashes(std::span<const FileEntry> rows, const std::vector<FileHash>& hashes);
  // The delivery check of the rows given (deliveryProblems(rows)), for the delivery-check
  // column; a row not among them gets the checks of its own name and path.
  void setDeliveryProblems(std::span<const FileEntry> rows, DeliveryFindings problems);

  // The cell text of one column for one row.
  QString text(ColumnId column, const FileEntry& row) const;
  // The same text appended to out, so that a writer can build a whole line in one buffer.
  void appendText(ColumnId column, const FileEntry& row, QString& out) const;

  // The columns whose check box is ticked, in ColumnId order.
  static std::vector<ColumnId> selectedColumns(const ColumnOptions& options);
  // The message a writer shows, before asking for a file, when no column is ticked; nullopt
  // when at least one is.
  static std::optional<Message> checkSelection(const ColumnOptions& options);
  static Message nothingSelectedMessage();

  // The header caption of a column, exactly as stored; Vek's own columns have fixed ones in the
  // interface's language.
  static QString caption(ColumnId column, const Settings& settings);
  // "相対パス" in the interface's language.
  static QString relativePathCaption();
  // The caption in Japanese or in English: a list written in either is read.
  static bool isRelativePathCaption(const QString& caption);
  // "状態" in the interface's language: the comparison state column.
  static QString stateCaption();
  // The captions of the selected columns, in order.
  std::vector<QString> captions(const Settings& settings) const;

  // The date pattern of the settings compiled, or the default pattern when the stored one
  // cannot be applied (a hand-edited settings file), so that a writer always has one.
  static DateFormatter dateFormatter(const Settings& settings, const QLocale& locale = QLocale());

 private:
  const QString& directory(const QString& folder) const;

  std::vector<ColumnId> m_selected;
  SizeStyle m_sizeStyle;
  SizeUnit m_sizeUnit;
  DirType m_dirType;
  PathStyle m_pathStyle;
  bool m_pathAsAddress;
  bool m_nameWithExtension;
  QString m_unitSuffix;  // empty when the unit is not added
  PathPrefix m_prefix;
  HashKind m_hash;
  // The hash cells by position in the rows given to setHashes; shared between copies.
  std::shared_ptr<const std::vector<QString>> m_hashTexts;
  const FileEntry* m_hashRows = nullptr;
  DeliveryFindings m_problems;
  DateFormatter m_dateFormatter;
  QLocale m_locale;
  // Rows of one folder follow each other and share one folder text: the Directory cell is
  // worked out once per folder.
  mutable QString m_lastFolder;
  mutable QString m_lastDirectory;
  mutable bool m_haveDirectory = false;
};

}  // namespace vek
