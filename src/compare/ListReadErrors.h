// The messages of a saved list that cannot be read: each names the file and, where the fault
// is inside it, the line.
#pragma once

#include <QString>

#include "core/messages/Message.h"

namespace vek::ListReadErrors {

Message cannotOpen(const QString& path, const QString& reason);
Message foreign(const QString& path, qint64 line);
Message newer(const QString& path, qint64 line, int version);
Message truncated(const QString& path, qint64 line);
Message badRow(const QString& path, qint64 line);
Message notJson(const QString& path, qint64 line, const QString& reason);
// A text list whose header names no folder and name (nor full path) columns.
Message noNameColumns(const QString& path);
// A text list line with other columns than its header.
Message badLine(const QString& path, qint64 line);
// A text list in bytes its encoding cannot read.
Message badEncoding(const QString& path, qint64 line);
// Not a regular file (kind says what it is): refused before it is read.
Message notRegularFile(const QString& path, const QString& kind);
// A list Vek writes but cannot compare: an XML list, a workbook, an HTML page or a PDF.
Message notComparable(const QString& path, const QString& kind);
// Text that is no UTF-8 (nor another encoding a text list is written in): a NUL byte.
Message notText(const QString& path, qint64 line);
Message lineTooLong(const QString& path, qint64 line);
Message fieldTooLong(const QString& path, qint64 line);
Message tooDeep(const QString& path, qint64 line);
// Something after the end of the JSON list.
Message trailingData(const QString& path, qint64 line);
// The version is not the integer 1 (nor a higher integer, see newer()).
Message badVersion(const QString& path, qint64 line);
// A header field the list cannot be read without is missing or holds what cannot be read.
Message badHeaderField(const QString& path, qint64 line, const QString& key);
Message nulInName(const QString& path, qint64 line);
Message emptyName(const QString& path, qint64 line);
Message duplicatePath(const QString& path, qint64 line, const QString& rowPath);
// A row of a text list outside the folder the other rows lie in.
Message outsideFolder(const QString& path, qint64 line, const QString& folder);

}  // namespace vek::ListReadErrors
