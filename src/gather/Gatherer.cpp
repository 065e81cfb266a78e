#include "gather/Gatherer.h"

#include "core/FileList.h"
#include "core/Interaction.h"
#include "core/Message.h"
#include "core/PathRules.h"
#include "core/Settings.h"
#include "gather/FolderHistory.h"

namespace vek {

namespace {

const QString& folderSearchCaption() {
  static const QString text = QStringLiteral("フォルダ検索中");
  return text;
}
const QString& folderSearchInfo() {
  static const QString text = QStringLiteral("フォルダ情報を検索／取得中です．．．");
  return text;
}
const QString& fileSearchCaption() {
  static const QString text = QStringLiteral("ファイル検索中");
  return text;
}
const QString& fileSearchInfo() {
  static const QString text = QStringLiteral("ファイル情報を検索／取得中です．．．");
  return text;
}

QString nativeFolderText(const QString& folder) {
  return folderText(folder, nativePathStyle());
}

// The root of the file system: "/", or a drive root such as C:\ where paths have drives.
bool isRootFolder(const QString& folderText) {
  if (nativePathStyle() == PathStyle::Posix) return folderText == QStringView(u"/");
  return folderText.size() == 3 && folderText[1] == u':';
}

}  // namespace

Gatherer::Gatherer(FileList& list, Interaction& interaction, Settings& settings)
    : m_list(list), m_interaction(interaction), m_settings(settings) {}

void Gatherer::setFilter(const QString& filterText) {
  m_filter = WildcardFilter(filterText);
}

std::optional<std::vector<QString>> Gatherer::listFiles(const QString& folder) const {
  auto listing =
      FileSystem::readFolder(folder, [this](QStringView name) { return m_filter.matches(name); });
  if (!listing) return std::nullopt;
  return std::move(listing->files);
}

bool Gatherer::addFileEntry(const QString& folder, const QString& name) {
  const QString text = nativeFolderText(folder);
  if (text != m_lastFolderText) m_lastFolderText = text;
  return addEntry(m_lastFolderText, name, nullptr);
}

bool Gatherer::addEntry(const QString& folderText, const QString& name,
                        const FileSystem::Folder* openFolder) {
  const std::optional<FileInfo> info =
      openFolder ? openFolder->fileInfo(name) : FileSystem::fileInfo(folderText + name);
  if (!info) {
    m_interaction.showMessage(
        {QStringLiteral("ファイル取得エラー"),
         joinLines({QStringLiteral("以下のファイルの情報取得に失敗しました。"), QString(),
                    QStringLiteral("パス：") + folderText, QStringLiteral("ファイル名：") + name,
                    QString(), QStringLiteral("このファイルはリストに追加されません。")}),
         MessageIcon::Warning});
    return false;
  }
  if (m_settings.option.overLap == 1 && m_list.isAlreadyListed(folderText + name)) return false;

  FileEntry entry;
  FileEntry::splitName(name, entry.name, entry.extension);
  entry.folder = folderText;
  entry.type = info->type;
  entry.size = info->size;
  entry.created = info->created;
  entry.accessed = info->accessed;
  entry.modified = info->modified;
  m_list.append(std::move(entry));
  return true;
}

qint64 Gatherer::addNames(const QString& folderText, const std::vector<QString>& names) {
  if (names.empty()) return 0;
  // One open folder for all its files; when it has gone, the per-path lookups fail and each
  // file is reported.
  const std::optional<FileSystem::Folder> folder = FileSystem::Folder::open(folderText);
  const FileSystem::Folder* open = folder ? &*folder : nullptr;
  qint64 added = 0;
  for (const QString& name : names) {
    if (addEntry(folderText, name, open)) ++added;
    m_interaction.yield();
  }
  return added;
}

void Gatherer::reportEmptyFilter() {
  m_interaction.showMessage({QStringLiteral("ﾌｧｲﾙ種別未選択"),
                             QStringLiteral("ﾌｧｲﾙの種別を指定してください。"),
                             MessageIcon::Warning});
}

void Gatherer::showFolder(const QString& folderText) {
  if (m_folderShown) m_folderShown(folderWithoutSeparator(folderText, nativePathStyle()));
}

AddResult Gatherer::addCurrentFolder(const QString& folder) {
  const auto files = listFiles(folder);
  if (!files || files->empty()) return {AddOutcome::NothingListed, 0};
  if (filterIsEmpty()) {
    reportEmptyFilter();
    return {AddOutcome::EmptyFilter, 0};
  }
  const QString text = nativeFolderText(folder);
  m_list.setSortingEnabled(false);
  recordFolderHistory(m_settings.history, folderWithoutSeparator(text, nativePathStyle()));
  const qint64 added = addNames(text, *files);
  m_list.setSortingEnabled(true);
  return {AddOutcome::Done, added};
}

AddResult Gatherer::addSubtree(const QString& folder) {
  if (filterIsEmpty()) {
    reportEmptyFilter();
    return {AddOutcome::EmptyFilter, 0};
  }
  const QString text = nativeFolderText(folder);
  const QString& filterText = m_filter.text();
  const bool everything = filterText == QLatin1String("*") || filterText == QLatin1String("*.*");
  if (everything && isRootFolder(text)) {
    const bool go = m_interaction.askYesNo(
        {QStringLiteral("警告"),
         joinLines(
             {QStringLiteral(
                  "検索開始フォルダとしてルートを指定し、ファイル種別として「*」を使用した場合、"),
              QStringLiteral("検索終了までかなりの時間がかかることが予想されます。"),
              QStringLiteral(
                  "適切なフォルダ、ファイル種別を再選択し、実行することをおすすめします。"),
              QStringLiteral("検索を開始しますか？")}),
         MessageIcon::Warning});
    if (!go) return {AddOutcome::Declined, 0};
  }

  m_list.setSortingEnabled(false);
  m_interaction.clearCancelRequested();
  qint64 added = 0;
  const bool completed = gatherSubtree(folder, &added);
  showFolder(text);  // the folder box returns to the start folder
  m_interaction.closeProgress();
  m_list.setSortingEnabled(true);
  return {completed ? AddOutcome::Done : AddOutcome::Cancelled, added};
}

bool Gatherer::gatherSubtree(const QString& folder, qint64* added) {
  const QString text = nativeFolderText(folder);
  clearFolderTable();
  m_interaction.showProgress(folderSearchCaption(), folderSearchInfo(), QString(), -1, 0);
  searchSubfolders(text);

  const qint64 count = qint64(m_folderTable.size());
  m_interaction.showProgress(fileSearchCaption(), fileSearchInfo(), progressDetail(0, count), 0,
                             count);
  bool completed = true;
  qint64 rows = 0;
  for (qint64 k = 0; k < count; ++k) {
    m_interaction.updateProgress(fileSearchCaption(), fileSearchInfo(), progressDetail(k, count),
                                 k);
    if (m_interaction.cancelRequested()) {
      completed = false;
      break;
    }
    FolderEntry& entry = m_folderTable[std::size_t(k)];
    showFolder(entry.path);
    rows += addNames(entry.path, entry.files);
    std::vector<QString>().swap(entry.files);  // done with them
  }
  clearFolderTable();
  if (added) *added = rows;
  return completed;
}

qint64 Gatherer::addFolderFiles(const QString& folder) {
  const QString text = nativeFolderText(folder);
  showFolder(text);
  const auto files = listFiles(text);
  if (!files) return 0;
  return addNames(text, *files);
}

void Gatherer::searchSubfolders(const QString& folder) {
  const QString start = nativeFolderText(folder);
  if (start.isEmpty()) return;
  const QChar separator = pathSeparator(nativePathStyle());
  const auto matches = [this](QStringView name) { return m_filter.matches(name); };

  // An explicit stack instead of recursion: a deep tree cannot exhaust the call stack. Each
  // folder is stored when it is taken from the stack, its subfolders are pushed in reverse so
  // that the first one is taken next: the table comes out in depth-first pre-order.
  if (m_folderTable.empty() || m_folderTable.back().path != start) {
    m_folderTable.push_back({start, {}});
  }
  std::vector<QString> pending;
  bool startFolder = true;
  pending.push_back(start);
  while (!pending.empty()) {
    QString path = std::move(pending.back());
    pending.pop_back();
    if (!startFolder) {
      m_folderTable.push_back({path, {}});
      m_interaction.updateProgress(folderSearchCaption(), folderSearchInfo(), path, -1);
    }
    startFolder = false;
    if (m_interaction.cancelRequested()) return;

    std::optional<FolderListing> listing = FileSystem::readFolder(path, matches);
    if (!listing) {
      // An unreadable folder is withdrawn; its subfolders were never pushed.
      m_folderTable.pop_back();
      continue;
    }
    m_folderTable.back().files = std::move(listing->files);
    for (auto it = listing->folders.rbegin(); it != listing->folders.rend(); ++it) {
      pending.push_back(path + *it + separator);
    }
    m_interaction.yield();
  }
}

void Gatherer::clearFolderTable() {
  m_folderTable.clear();
  m_folderTable.shrink_to_fit();
}

QString Gatherer::progressDetail(qint64 k, qint64 count) {
  return QStringLiteral("処理件数：") + QString::number(k) + QStringLiteral("　/　") +
         QStringLiteral("総ﾌｫﾙﾀﾞ数：") + QString::number(count) + QStringLiteral("件");
}

}  // namespace vek
