#include "writers/ListDelivery.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include <QCoreApplication>
#include <QHash>

#include "core/platform/FileNameBytes.h"
#include "core/platform/FolderPath.h"
#include "core/platform/OutputFile.h"
#include "writers/ChecksumFile.h"
#include "writers/ListHashes.h"

namespace vek {

namespace {

struct FileId {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileId&) const = default;
};

std::optional<FileId> folderId(const QString& folder) {
  const int fd = openFolderPath(encodeFileName(folder), O_PATH);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  const bool ok = ::fstat(fd, &st) == 0;
  ::close(fd);
  if (!ok) return std::nullopt;
  return FileId{st.st_dev, st.st_ino};
}

// Whether two names in one folder are one file (a folder that ignores case).
bool sameFile(const QString& folder, const QString& a, const QString& b) {
  struct stat first {
  }, second{};
  return ::lstat(encodeFileName(QString(folder + a)).constData(), &first) == 0 &&
         ::lstat(encodeFileName(QString(folder + b)).constData(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace

bool ListDelivery::isTemporaryName(const QString& fileName) {
  // ".vek-" + up to 13 base-36 digits + ".tmp", as OutputFile names them.
  if (!fileName.startsWith(u".vek-") || !fileName.endsWith(u".tmp")) return false;
  const QStringView digits = QStringView(fileName).mid(5, fileName.size() - 9);
  if (digits.isEmpty() || digits.size() > 13) return false;
  for (const QChar c : digits)
    if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z'))) return false;
  return true;
}

ListDelivery::ListDelivery(const FileList& list, const QString& listPath,
                           const ColumnOptions& columns)
    : m_list(&list), m_columns(columns) {
  const qsizetype slash = listPath.lastIndexOf(u'/');
  const QString folder = listPath.left(slash + 1);
  QStringList outputs{listPath.mid(slash + 1)};
  if (columns.checksumFile)
    outputs += ChecksumFile::pathFor(listPath, columns.checksumKind()).mid(slash + 1);
  // Only rows named like an output are looked at on disk: the folder they are in by its
  // identity, so that a link, "..", or a second mount of the same folder is seen through.
  std::optional<FileId> outputFolder;
  bool outputFolderKnown = false;
  QHash<QString, bool> inOutputFolder;
  std::vector<qint64> own;
  const std::vector<FileEntry>& rows = list.rows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const FileEntry& row = rows[i];
    if (!row.ticked) continue;
    // Most rows are told apart by the length of their name alone, without building it.
    const qsizetype length = row.name.size() + row.extension.size();
    const bool temporaryLike = row.extension == u".tmp" && row.name.startsWith(u".vek-");
    if (!temporaryLike && std::none_of(outputs.begin(), outputs.end(), [&](const QString& output) {
          return output.size() == length;
        }))
      continue;
    const QString name = row.fileName();
    bool exact = isTemporaryName(name);
    bool alike = exact;
    for (const QString& output : outputs) {
      if (name.compare(output, Qt::CaseInsensitive) != 0) continue;
      alike = true;
      exact = exact || name == output;
    }
    if (!alike) continue;
    if (!outputFolderKnown) {
      outputFolder = folderId(folder);
      outputFolderKnown = true;
    }
    if (!outputFolder) break;
    auto known = inOutputFolder.find(row.folder);
    if (known == inOutputFolder.end())
      known = inOutputFolder.insert(row.folder, folderId(row.folder) == outputFolder);
    if (!*known) continue;
    // A name that differs from an output's only in case is that output where the folder
    // ignores case.
    bool isOutput = exact;
    for (const QString& output : outputs)
      isOutput = isOutput ||
                 (name.compare(output, Qt::CaseInsensitive) == 0 && sameFile(folder, name, output));
    if (isOutput) own.push_back(qint64(i));
  }
  if (!own.empty()) {
    m_own.emplace(list);
    for (const qint64 row : own) m_own->setTicked(row, false);
  }
  m_ownRows = std::move(own);
  m_rows = this->list().rows();
}

std::vector<HashKind> ListDelivery::digestKinds() const {
  if (!m_columns.needsDigests()) return {};
  // The checksum file needs a digest even without a hash column.
  const HashKind kind =
      m_columns.hash != HashKind::None ? m_columns.hash : m_columns.checksumKind();
  if (m_columns.checksumFile && m_columns.checksumKind() != kind)
    return {kind, m_columns.checksumKind()};
  return {kind};
}

bool ListDelivery::prepare(Interaction& interaction, const ListDigests* readAhead) {
  const std::vector<HashKind> kinds = digestKinds();
  if (kinds.empty()) return true;
  if (readAhead && readAhead->ownRows == m_ownRows) {
    const auto ticked = std::size_t(list().tickedCount());
    const bool whole = readAhead->hashes.size() == ticked &&
                       (kinds.size() == 1 || readAhead->checksumHashes.size() == ticked);
    if (whole) {
      m_hashes = readAhead->hashes;
      if (kinds.size() > 1) m_checksumHashes = readAhead->checksumHashes;
      return true;
    }
  }
  auto hashes = ListHashes::compute(m_rows, kinds.front(), interaction);
  if (!hashes) return false;
  m_hashes = std::move(*hashes);
  if (kinds.size() > 1) {
    auto own = ListHashes::compute(m_rows, kinds.back(), interaction);
    if (!own) return false;
    m_checksumHashes = std::move(*own);
  }
  return true;
}

void ListDelivery::applyTo(ColumnCells& cells) const {
  if (m_columns.hash != HashKind::None) cells.setHashes(m_rows, m_hashes);
  // Names that differ only in case are found among all the rows of the list.
  if (m_columns.chkDeliveryCheck) cells.setDeliveryProblems(m_rows, deliveryProblems(m_rows));
}

bool ListDelivery::write(const QString& listPath, Interaction& interaction,
                         const std::function<bool(QIODevice&)>& body,
                         const std::function<bool(QIODevice&)>& check,
                         const std::function<QString()>& bodyReason) const {
  OutputFile list(listPath);
  if (!list.fill(body)) {
    Message message = list.failureMessage();
    const QString reason = bodyReason ? bodyReason() : QString();
    if (!reason.isEmpty()) message.text = joinLines({message.text, reason});
    interaction.showMessage(message);
    return false;
  }
  if (check) {
    QIODevice& staged = list.device();
    if (!staged.seek(0) || !check(staged)) {
      list.discard();
      interaction.showMessage(list.failureMessage());
      return false;
    }
  }
  std::optional<OutputFile> checksum;
  if (m_columns.checksumFile) {
    checksum.emplace(ChecksumFile::pathFor(listPath, m_columns.checksumKind()));
    const std::vector<FileHash>& hashes = m_checksumHashes.empty() ? m_hashes : m_checksumHashes;
    if (!checksum->fill(
            [&](QIODevice& device) { return ChecksumFile::write(device, m_rows, hashes); })) {
      list.discard();
      interaction.showMessage(pairNotWrittenMessage(checksum->path(), listPath));
      return false;
    }
  }
  std::vector<OutputFile*> files{&list};
  if (checksum) files.push_back(&*checksum);
  if (const auto failed = OutputFile::commitTogether(files)) {
    interaction.showMessage(*failed == 0 || !checksum
                                ? list.failureMessage()
                                : pairNotWrittenMessage(checksum->path(), listPath));
    return false;
  }
  return true;
}

Message ListDelivery::pairNotWrittenMessage(const QString& checksumPath, const QString& listPath) {
  Message message = OutputFile::cannotWriteMessage(checksumPath);
  message.text +=
      QStringLiteral("\r\n") +
      QCoreApplication::translate(
          "ListDelivery",
          "一覧とチェックサムファイルは揃えて置き換えるため、一覧 %1 も置き換えていません。")
          .arg(listPath);
  return message;
}

void ListDelivery::reportMissing(Interaction& interaction) const {
  if (!m_columns.needsDigests()) return;
  const bool column = m_columns.hash != HashKind::None;
  std::size_t next = 0;
  for (const FileEntry& row : m_rows) {
    if (!row.ticked) continue;
    const std::size_t i = next++;
    const FileHash* missing = i < m_hashes.size() && !m_hashes[i].hashed() ? &m_hashes[i] : nullptr;
    if (!missing && i < m_checksumHashes.size() && !m_checksumHashes[i].hashed())
      missing = &m_checksumHashes[i];
    if (missing) interaction.reportIncomplete(row.fullPath(), ListHashes::reason(*missing));
  }
  const auto notice = [&](const std::vector<FileHash>& hashes, bool inColumn) {
    return ListHashes::missingMessage(m_rows, hashes, inColumn, m_columns.checksumFile);
  };
  if (auto message = notice(m_hashes, column)) {
    interaction.showMessage(*message);
  } else if (!m_checksumHashes.empty()) {
    // Digests of the checksum file's own kind: only the checksum file is short of them.
    if (auto own = notice(m_checksumHashes, false)) interaction.showMessage(*own);
  }
}

}  // namespace vek
