#include "writers/ListHashes.h"

#include <QCoreApplication>

#include "core/messages/PrintedPath.h"

namespace vek {

namespace {

// The progress display is refreshed, and the cancel looked at, this often.
constexpr int kPollMilliseconds = 50;
// Rows named in the notice; the rest are counted.
constexpr int kNamedRows = 10;

QString progressDetail(qint64 done, qint64 count) {
  return QCoreApplication::translate("ListHashes", "%1 / %2 ファイル").arg(done).arg(count);
}

}  // namespace

QString ListHashes::progressCaption() {
  return QCoreApplication::translate("ListHashes", "ハッシュ値を計算中");
}

std::optional<std::vector<FileHash>> ListHashes::compute(std::span<const FileEntry> rows,
                                                         HashKind kind, Interaction& interaction,
                                                         int threads) {
  std::vector<QString> paths;
  std::vector<qint64> sizes;
  qint64 totalBytes = 0;
  // A comparison's removed or unverified row names a file that is not known to be in the
  // folder now, at a path a saved list gave: it is never opened.
  std::vector<std::size_t> read;  // the ticked rows read, by their place among the ticked
  std::size_t ticked = 0;
  for (const FileEntry& row : rows) {
    if (!row.ticked) continue;
    const std::size_t place = ticked++;
    if (row.state == CompareState::Removed || row.state == CompareState::Unverified) continue;
    read.push_back(place);
    paths.push_back(row.fullPath());
    sizes.push_back(row.size);
    totalBytes += row.size;
  }
  const auto count = qint64(paths.size());
  // The bar counts bytes in kibibytes, which no list overflows.
  const qint64 barMaximum = std::max<qint64>(totalBytes / 1024, 1);
  const QString info = QCoreApplication::translate("ListHashes", "ファイルを読み取っています");
  interaction.clearCancelRequested();
  interaction.showProgress(progressCaption(), info, progressDetail(0, count), 0, barMaximum);
  HashJob job(kind, std::move(paths), threads, std::move(sizes));
  bool cancelled = false;
  while (!job.waitFor(kPollMilliseconds)) {
    interaction.updateProgress(progressCaption(), info, progressDetail(job.filesDone(), count),
                               std::min(job.bytesDone() / 1024, barMaximum));
    interaction.keepResponsive();
    if (interaction.cancelRequested()) {
      job.cancel();
      cancelled = true;
      break;
    }
  }
  interaction.closeProgress();
  if (cancelled || job.cancelled()) return std::nullopt;
  std::vector<FileHash> results = job.takeResults();
  if (read.size() == ticked) return results;
  std::vector<FileHash> all(ticked);
  for (FileHash& hash : all) hash.outcome = FileHash::Outcome::NotRead;
  for (std::size_t k = 0; k < read.size() && k < results.size(); ++k)
    all[read[k]] = std::move(results[k]);
  return all;
}

QString ListHashes::reason(const FileHash& hash) {
  const QString words = hash.outcome == FileHash::Outcome::Changed
                            ? QCoreApplication::translate(
                                  "ListHashes", "リストに加えたあとか読み取り中に変更されました")
                            : QCoreApplication::translate("ListHashes", "読み取れません");
  return hash.reason.isEmpty()
             ? words
             : QCoreApplication::translate("ListHashes", "%1（%2）").arg(words, hash.reason);
}

std::optional<Message> ListHashes::missingMessage(std::span<const FileEntry> rows,
                                                  const std::vector<FileHash>& hashes,
                                                  bool hashColumn, bool checksumFile) {
  QStringList named;
  qint64 missing = 0;
  std::size_t next = 0;
  for (const FileEntry& row : rows) {
    if (!row.ticked) continue;
    const std::size_t i = next++;
    if (i >= hashes.size() || !hashes[i].missing()) continue;
    ++missing;
    if (named.size() >= kNamedRows) continue;
    named.push_back(QCoreApplication::translate("ListHashes", "%1：%2")
                        .arg(printedPath(row.fullPath()), reason(hashes[i])));
  }
  if (missing == 0) return std::nullopt;
  QStringList lines{QCoreApplication::translate(
                        "ListHashes", "%1 個のファイルはハッシュ値を計算できませんでした。")
                        .arg(missing)};
  if (hashColumn && checksumFile)
    lines += QCoreApplication::translate(
        "ListHashes",
        "一覧のハッシュ値の欄にその理由を記し、チェックサムファイルには含めていません。");
  else if (hashColumn)
    lines +=
        QCoreApplication::translate("ListHashes", "一覧のハッシュ値の欄にその理由を記しました。");
  else if (checksumFile)
    lines += QCoreApplication::translate("ListHashes", "チェックサムファイルには含めていません。");
  lines += named;
  if (missing > named.size())
    lines.push_back(
        QCoreApplication::translate("ListHashes", "ほか %1 個").arg(missing - named.size()));
  Message message;
  message.title = QCoreApplication::translate("ListHashes", "ハッシュ値");
  message.text = lines.join(QStringLiteral("\r\n"));
  message.icon = MessageIcon::Warning;
  return message;
}

}  // namespace vek
