#include "writers/ListHashes.h"

#include <QCoreApplication>

#include "core/messages/PrintedPath.h"

namespace vek {

namespace {

// The progress display is refreshed, and the cancel looked at, this often.
constexpr int kPollMilliseconds = 50;
// Rows named in the notice; the rest are counted.
constexpr int kNamedRows = 10;

}  // namespace

QString ListHashes::progressCaption() {
  return QCoreApplication::translate("ListHashes", "ハッシュ値を計算中");
}

QString ListHashes::progressInfo() {
  return QCoreApplication::translate("ListHashes", "ファイルを読み取っています");
}

QString ListHashes::progressDetail(qint64 done, qint64 count) {
  return QCoreApplication::translate("ListHashes", "%1 / %2 ファイル").arg(done).arg(count);
}

ListHashes::Reading ListHashes::reading(std::span<const FileEntry> rows) {
  Reading reading;
  for (const FileEntry& row : rows) {
    if (!row.ticked) continue;
    const std::size_t place = reading.ticked++;
    if (row.state == CompareState::Removed || row.state == CompareState::Unverified) continue;
    reading.read.push_back(place);
    reading.paths.push_back(row.fullPath());
    reading.sizes.push_back(row.size);
    reading.totalBytes += row.size;
  }
  return reading;
}

std::vector<FileHash> ListHashes::perTickedRow(const Reading& reading,
                                               std::vector<FileHash> results) {
  if (reading.read.size() == reading.ticked) return results;
  std::vector<FileHash> all(reading.ticked);
  for (FileHash& hash : all) hash.outcome = FileHash::Outcome::NotRead;
  for (std::size_t k = 0; k < reading.read.size() && k < results.size(); ++k)
    all[reading.read[k]] = std::move(results[k]);
  return all;
}

std::optional<std::vector<FileHash>> ListHashes::compute(std::span<const FileEntry> rows,
                                                         HashKind kind, Interaction& interaction,
                                                         int threads) {
  Reading planned = reading(rows);
  const auto count = qint64(planned.paths.size());
  const qint64 barMaximum = planned.barMaximum();
  interaction.clearCancelRequested();
  interaction.showProgress(progressCaption(), progressInfo(), progressDetail(0, count), 0,
                           barMaximum);
  HashJob job(kind, std::move(planned.paths), threads, std::move(planned.sizes));
  bool cancelled = false;
  while (!job.waitFor(kPollMilliseconds)) {
    interaction.updateProgress(progressCaption(), progressInfo(),
                               progressDetail(job.filesDone(), count),
                               std::min(job.bytesDone() / 1024, barMaximum));
    if (interaction.cancelRequested()) {
      job.cancel();
      cancelled = true;
      break;
    }
  }
  interaction.closeProgress();
  if (cancelled || job.cancelled()) return std::nullopt;
  return perTickedRow(planned, job.takeResults());
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
