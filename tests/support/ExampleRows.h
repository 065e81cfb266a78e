// The example row the writer tests list, and a list builder that keeps rows in the given order.
// Each change to the row is a named call, so an "unticked" can never be taken for a size.
#pragma once

#include <vector>

#include <QString>

#include "core/list/FileEntry.h"
#include "core/list/FileList.h"

namespace vek::test {

// A ticked "テキスト ドキュメント" of 1025 bytes created 2005/08/18 14:03:09, with no access or
// modified date unless asked for. Converts to FileEntry where one is expected.
class ExampleRow {
 public:
  ExampleRow(const QString& folder, const QString& fileName) {
    FileEntry::splitName(fileName, m_entry.name, m_entry.extension);
    m_entry.folder = folder;
    m_entry.type = QStringLiteral("テキスト ドキュメント");
    m_entry.size = 1025;
    m_entry.created = DateStamp::fromLocal(2005, 8, 18, 14, 3, 9);
    m_entry.ticked = true;
  }

  ExampleRow& unticked() {
    m_entry.ticked = false;
    return *this;
  }
  ExampleRow& withSize(qint64 bytes) {
    m_entry.size = bytes;
    return *this;
  }
  // Modified 2006/01/02 03:04:05.
  ExampleRow& withModifiedDate() {
    m_entry.modified = DateStamp::fromLocal(2006, 1, 2, 3, 4, 5);
    return *this;
  }

  operator FileEntry() const { return m_entry; }

 private:
  FileEntry m_entry;
};

// A list that keeps the rows in the order given, as a writer receives it.
inline FileList listOf(const std::vector<FileEntry>& rows) {
  FileList list;
  list.setSortingEnabled(false);
  for (const FileEntry& row : rows) list.append(row);
  return list;
}

}  // namespace vek::test
