// The rows of a folder's files: one work unit's lookups, turned into rows and failures.
#pragma once

#include <atomic>
#include <vector>

#include <QString>

#include "gather/FolderOpener.h"
#include "gather/FolderScanner.h"
#include "gather/ReaderCount.h"

namespace vek {

// The most folders one work unit reads. Folders with few or no files would otherwise join a
// unit without end: one thread would read thousands of them while the others wait, and the
// progress and the cancel, which come between units, would wait too.
constexpr std::size_t kPiecesPerUnit = 256;

// Consecutive files of one folder, read as one batch (a piece of the work).
struct Unit {
  std::size_t folder;
  std::size_t from;
  std::size_t to;
};

// The extensions of the first few kinds of file met, so that the rows of one kind share one
// text rather than each holding a copy. A folder seldom holds more kinds than this, and each
// look-up compares against every one kept.
constexpr std::size_t kSharedExtensions = 16;

class SharedExtensions {
 public:
  QString shared(QStringView extension) {
    for (const QString& known : m_known) {
      if (known == extension) return known;
    }
    QString text = extension.toString();
    if (m_known.size() < kSharedExtensions) m_known.push_back(text);
    return text;
  }

 private:
  std::vector<QString> m_known;
};

// The row of a file whose information was read. The file name's own text becomes the name.
FileEntry rowOf(const QString& folderText, QString fileName, FileInfo&& info,
                SharedExtensions& extensions);

// Reads one unit's files; their names move out of the table into the rows and failures.
// Stops early on a cancel: what it gives then is never delivered.
FolderScanner::Batch readUnit(std::vector<FolderScanner::FolderEntry>& table, const Unit& unit,
                              FolderOpener& opener, ReaderCount::Stretch& stretch,
                              const std::atomic<bool>& cancel);

}  // namespace vek
