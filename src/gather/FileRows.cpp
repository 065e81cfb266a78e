#include "gather/FileRows.h"

namespace vek {

FileEntry rowOf(const QString& folderText, QString fileName, FileInfo&& info,
                SharedExtensions& extensions) {
  FileEntry entry;
  const qsizetype dot = fileName.lastIndexOf(u'.');
  if (dot >= 0) {
    entry.extension = extensions.shared(QStringView(fileName).mid(dot));
    fileName.truncate(dot);
  }
  entry.name = std::move(fileName);
  entry.folder = folderText;
  entry.type = std::move(info.type);
  entry.size = info.size;
  entry.created = info.created;
  entry.accessed = info.accessed;
  entry.modified = info.modified;
  return entry;
}

FolderScanner::Batch readUnit(std::vector<FolderScanner::FolderEntry>& table, const Unit& unit,
                              FolderOpener& opener, ReaderCount::Stretch& stretch,
                              const std::atomic<bool>& cancel) {
  FolderScanner::Batch batch;
  batch.folder = unit.folder;
  batch.firstOfFolder = unit.from == 0;
  FolderScanner::FolderEntry& folder = table[unit.folder];
  if (unit.from == unit.to) return batch;
  // The folder text is made only for folders that give rows: one text shared by the rows.
  const QString folderText = folder.path();
  // One open folder for all its files; when it has gone, the per-path lookups fail and each
  // file is reported.
  const FolderOpener::Open open = opener.open(folder.node);
  SharedExtensions extensions;
  batch.entries.reserve(unit.to - unit.from);
  for (std::size_t i = unit.from; i < unit.to; ++i) {
    // A look at the clock every few files, and at the cancel: on a slow share a file can take
    // milliseconds.
    if ((i - unit.from) % 8 == 7) {
      stretch.lap();
      if (cancel.load(std::memory_order_relaxed)) break;
    }
    QString& name = folder.files[i];
    QString reason;
    std::optional<FileInfo> info =
        open ? open->fileInfo(name, &reason) : FileSystem::fileInfo(folderText + name, &reason);
    if (info) {
      batch.entries.push_back(rowOf(folderText, std::move(name), std::move(*info), extensions));
    } else {
      batch.failures.push_back({folderText, std::move(name), std::move(reason)});
    }
  }
  return batch;
}

}  // namespace vek
