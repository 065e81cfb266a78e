#include "gather/Gatherer.h"

#include "core/list/FileList.h"
#include "core/messages/Interaction.h"
#include "core/messages/Message.h"
#include "core/messages/MessageCatalogue.h"
#include "core/settings/RecentTexts.h"
#include "core/settings/Settings.h"
#include "core/text/PathRules.h"

#include <QSet>

namespace vek {

namespace {

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
  return FolderScanner(m_filter, 1, m_rules).listFiles(folder);
}

bool Gatherer::addFileEntry(const QString& folder, const QString& name) {
  const QString text = nativeFolderText(folder);
  if (text != m_lastFolderText) m_lastFolderText = text;
  QString reason;
  std::optional<FileEntry> entry =
      FolderScanner::readEntry(nullptr, m_lastFolderText, name, &reason);
  if (!entry) {
    reportUnreadable(m_lastFolderText, name, reason);
    return false;
  }
  if (m_settings.option.overLap && m_list.isAlreadyListed(entry->fullPath())) return false;
  m_list.append(std::move(*entry));
  return true;
}

void Gatherer::reportUnreadableFolder(const QString& folderText, const QString& reason) {
  m_unreadable.push_back(folderText);
  m_interaction.reportIncomplete(folderText, reason);
}

void Gatherer::reportUnreadable(const QString& folderText, const QString& name,
                                const QString& reason) {
  // Whatever the person chooses in the box, the file is named again at the end of the add.
  m_unreadable.push_back(folderText + name);
  m_interaction.reportIncomplete(folderText + name, reason);
  if (m_quiet) {
    ++m_quietFailures;
    return;
  }
  const FailureAnswer answer =
      m_interaction.reportAddFailure(MessageCatalogue::fileInfoFailed(folderText, name));
  if (answer == FailureAnswer::StopAdd) m_stopRequested = true;
  if (answer == FailureAnswer::Quiet) m_quiet = true;
}

void Gatherer::beginFailures() {
  m_quiet = false;
  m_quietFailures = 0;
  m_stopRequested = false;
  m_unreadable.clear();
}

void Gatherer::endFailures() {
  if (m_quietFailures > 0) {
    m_interaction.showMessage(MessageCatalogue::moreFileInfoFailures(m_quietFailures));
  }
  m_quiet = false;
  m_quietFailures = 0;
  m_stopRequested = false;
}

qint64 Gatherer::applyBatch(FolderScanner::Batch&& batch) {
  std::vector<FileEntry> rows = std::move(batch.entries);
  std::vector<RowCheck> checks = std::move(batch.checks);
  if (checks.size() != rows.size()) checks.clear();
  if (m_settings.option.overLap) {
    // A file already listed, or met earlier in this batch, is skipped silently; the rows'
    // checks stay beside them.
    QSet<QString> seen;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const QString path = rows[i].fullPath();
      if (m_list.isAlreadyListed(path) || seen.contains(path)) continue;
      seen.insert(path);
      if (kept != i) {
        rows[kept] = std::move(rows[i]);
        if (!checks.empty()) checks[kept] = checks[i];
      }
      ++kept;
    }
    rows.resize(kept);
    if (!checks.empty()) checks.resize(kept);
  }
  const auto added = qint64(rows.size());
  m_list.appendBatch(std::move(rows), checks);
  for (const FolderScanner::Failure& failure : batch.failures) {
    if (m_stopRequested) break;
    reportUnreadable(failure.folder, failure.name, failure.reason);
  }
  return added;
}

void Gatherer::reportEmptyFilter() {
  m_interaction.showMessage(MessageCatalogue::noFileTypeChosen());
}

void Gatherer::showFolder(const QString& folderText) {
  if (m_folderShown) m_folderShown(folderWithoutSeparator(folderText, nativePathStyle()));
}

bool Gatherer::confirmRootScan(const QString& text) {
  const QString& filterText = m_filter.text();
  const bool everything = filterText == QLatin1String("*") || filterText == QLatin1String("*.*");
  if (everything && isRootFolder(text)) {
    return m_interaction.askYesNo(MessageCatalogue::wholeRootScanQuestion());
  }
  return true;
}

}  // namespace vek
