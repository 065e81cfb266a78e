#include "compare/ComparisonRun.h"

#include <algorithm>

#include <QCoreApplication>

#include "compare/TextListReader.h"
#include "core/messages/Interaction.h"
#include "writers/ListHashes.h"

namespace vek {

ComparisonRun::ComparisonRun(Settings settings, Interaction& interaction)
    : m_settings(std::move(settings)), m_interaction(interaction) {}

ComparisonRun::~ComparisonRun() {
  cancelReading();
  for (std::thread& reader : m_readers) reader.join();
}

void ComparisonRun::startReading(const QStringList& paths, std::function<void()> whenRead) {
  m_reads.resize(paths.size());
  m_pending = std::make_shared<std::atomic<int>>(int(paths.size()));
  for (qsizetype i = 0; i < paths.size(); ++i) {
    // On a large tree the list takes about as long to read as the folder to walk; a huge list
    // or one on a share that hangs never holds up the caller, and a cancel ends it at a block.
    m_readers.emplace_back(
        [this, i, path = paths[i], whenRead, cancel = m_cancel, pending = m_pending] {
          m_reads[i] = readSavedList(path, m_settings, cancel.get());
          if (pending->fetch_sub(1) == 1 && whenRead && !cancel->load()) whenRead();
        });
  }
}

void ComparisonRun::cancelReading() {
  m_cancel->store(true);
}

std::optional<Message> ComparisonRun::finishReading() {
  for (std::thread& reader : m_readers) reader.join();
  m_readers.clear();
  std::vector<SavedListRead> reads = std::move(m_reads);
  m_reads.clear();
  for (SavedListRead& read : reads) {
    if (read.error) return read.error;
    m_notes += read.list->notes;
    m_lists.push_back(std::move(*read.list));
  }
  return std::nullopt;
}

std::optional<Message> ComparisonRun::anchorTo(const QString& folderText) {
  m_folder = folderText;
  return anchorSavedList(m_lists.front(), folderText);
}

bool ComparisonRun::walksSubfolders() const {
  const std::vector<FileEntry>& rows = m_lists.front().rows;
  return std::any_of(rows.begin(), rows.end(),
                     [](const FileEntry& row) { return comparedPath(row).contains(u'/'); });
}

std::optional<ComparisonResult> ComparisonRun::compareWithFolder(std::span<const FileEntry> rows,
                                                                 HashKind hash, SameRows same) {
  SavedList& saved = m_lists.front();
  matchGuardedNames(saved, rows);
  ComparedRows now{rows, true, true, HashKind::None, {}};
  std::vector<QByteArray> digests;
  if (hash != HashKind::None) {
    if (saved.hashKind == hash) {
      const auto hashes = ListHashes::compute(rows, hash, m_interaction);
      if (!hashes) return std::nullopt;
      digests.reserve(hashes->size());
      for (std::size_t i = 0; i < hashes->size(); ++i) {
        const FileHash& fileHash = (*hashes)[i];
        digests.push_back(fileHash.hashed() ? fileHash.hex : QByteArray());
        // Such a file is unverified, never the same: the report says why it was not read.
        if (!fileHash.hashed() && i < rows.size()) {
          m_interaction.reportIncomplete(rows[i].fullPath(), fileHash.reason.isEmpty()
                                                                 ? fileHash.cellText()
                                                                 : fileHash.reason);
        }
      }
      now.hashKind = hash;
      now.hashes = digests;
    } else {
      m_notes += QCoreApplication::translate("ComparisonRun",
                                             "保存されたリストに %1 のハッシュ値がないため、"
                                             "ハッシュ値は比較しません。")
                     .arg(hashKindCaption(hash));
    }
  }
  // What the walk could not read, below the folder: whatever the saved list has there is
  // unverified, not removed.
  std::vector<QString> below;
  for (const QString& path : m_unreadable) {
    if (path.startsWith(m_folder)) below.push_back(path.mid(m_folder.size()));
  }
  now.unreadable = below;
  return compareLists(ComparedRows::of(saved), now, same);
}

ComparisonResult ComparisonRun::compareSavedLists() {
  for (SavedList& list : m_lists) anchorSavedList(list, QString());
  matchGuardedNames(m_lists[0], m_lists[1].rows);
  matchGuardedNames(m_lists[1], m_lists[0].rows);
  return compareLists(ComparedRows::of(m_lists[0]), ComparedRows::of(m_lists[1]), SameRows::Leave);
}

QStringList ComparisonRun::notes() const {
  QStringList notes = m_notes;
  notes.removeDuplicates();
  return notes;
}

Message ComparisonRun::summary(const ComparisonResult& result) {
  QStringList compared{QCoreApplication::translate("ComparisonRun", "名前")};
  if (result.comparedSizes) compared += QCoreApplication::translate("ComparisonRun", "サイズ");
  if (result.comparedModified) compared += QCoreApplication::translate("ComparisonRun", "更新日付");
  if (result.comparedHashes) compared += QCoreApplication::translate("ComparisonRun", "ハッシュ値");
  const ComparisonCounts& c = result.counts;
  return {QCoreApplication::translate("ComparisonRun", "比較の結果"),
          QCoreApplication::translate("ComparisonRun",
                                      "同じ %1　追加 %2　削除 %3　変更 %4　移動 %5　"
                                      "未確認 %6（比較した項目: %7）")
              .arg(c.same)
              .arg(c.added)
              .arg(c.removed)
              .arg(c.changed)
              .arg(c.moved)
              .arg(c.unverified)
              .arg(compared.join(QCoreApplication::translate("ComparisonRun", "・"))),
          MessageIcon::Information};
}

}  // namespace vek
