// The digests of an export: ticked rows only, in order, the progress display, cancelling and
// the notice about rows without a digest.
#include "writers/ListHashes.h"

#include <QCoreApplication>

#include <QFileInfo>

#include <gtest/gtest.h>

#include "support/ExampleRows.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"
#include "writers/BackgroundHashes.h"

namespace vek {
namespace {

using namespace Qt::StringLiterals;
using test::RecordingInteraction;
using test::TempTree;

FileEntry rowOf(const QString& path, bool ticked = true) {
  FileEntry e;
  const QFileInfo info(path);
  e.folder = info.absolutePath() + u'/';
  FileEntry::splitName(info.fileName(), e.name, e.extension);
  e.size = info.size();
  e.ticked = ticked;
  return e;
}

TEST(ListHashes, TickedRowsOnlyAndTheOnesWithoutADigestReported) {
  TempTree tree;
  std::vector<FileEntry> rows = {
      rowOf(tree.file(u"a.txt"_s, "abc")), rowOf(tree.file(u"unticked.txt"_s, "x"), false),
      rowOf(tree.path(u"vanished.txt"_s)), rowOf(tree.file(u"b.txt"_s, ""))};
  RecordingInteraction interaction;
  const auto hashes = ListHashes::compute(rows, HashKind::Sha256, interaction);
  ASSERT_TRUE(hashes);
  ASSERT_EQ(hashes->size(), 3u);
  EXPECT_EQ((*hashes)[0].hex, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ((*hashes)[1].outcome, FileHash::Outcome::Unreadable);
  EXPECT_EQ((*hashes)[2].hex, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_FALSE(interaction.progressOpen);
  ASSERT_FALSE(interaction.progress.empty());
  EXPECT_EQ(interaction.progress[0].caption, u"ハッシュ値を計算中"_s);
  EXPECT_EQ(interaction.progress[0].detail, u"0 / 3 ファイル"_s);

  const auto message = ListHashes::missingMessage(rows, *hashes, true, true);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->title, u"ハッシュ値"_s);
  EXPECT_TRUE(
      message->text.startsWith(u"1 個のファイルはハッシュ値を計算できませんでした。\r\n"_s));
  EXPECT_TRUE(message->text.contains(tree.path(u"vanished.txt"_s) + u"：読み取れません（"_s));
  EXPECT_FALSE(message->text.contains(u"unticked"_s));
  rows.erase(rows.begin() + 2);
  EXPECT_FALSE(ListHashes::missingMessage(
      rows, *ListHashes::compute(rows, HashKind::Md5, interaction), true, true));
}

// A file that changed after it was listed would get a digest that does not belong to the
// row the list shows (its size, its dates): it gets none.
TEST(ListHashes, AFileOfAnotherSizeThanListedGetsNoDigest) {
  TempTree tree;
  FileEntry row = rowOf(tree.file(u"a.txt"_s, "abc"));
  tree.file(u"a.txt"_s, "abcd");
  RecordingInteraction interaction;
  const std::vector<FileEntry> rows = {row};
  const auto hashes = ListHashes::compute(rows, HashKind::Md5, interaction);
  ASSERT_TRUE(hashes);
  EXPECT_EQ((*hashes)[0].outcome, FileHash::Outcome::Changed);
  const auto message = ListHashes::missingMessage(rows, *hashes, true, true);
  ASSERT_TRUE(message);
  EXPECT_TRUE(message->text.contains(u"a.txt：リストに加えたあとか読み取り中に変更されました"_s));
}

TEST(ListHashes, CancelGivesNothing) {
  TempTree tree;
  const QString big = tree.file(u"big"_s, QByteArray(8 * 1024 * 1024, 'x'));
  std::vector<FileEntry> rows(500, rowOf(big));
  RecordingInteraction interaction;
  interaction.cancel = true;  // an earlier operation's cancel does not stop this one
  interaction.cancelAfterUpdates = 0;
  EXPECT_EQ(ListHashes::compute(rows, HashKind::Sha256, interaction, 1), std::nullopt);
  EXPECT_FALSE(interaction.progressOpen);
}

// The digests read beside an event loop: progress first, then the end by a queued call, the
// same digests as the waiting read gives, for both kinds a checksum file of its own asks for;
// a cancelled read never ends.
TEST(BackgroundHashes, EndsByAQueuedCallWithTheDigestsOfEveryKind) {
  TempTree tree;
  std::vector<FileEntry> rows = {rowOf(tree.file(u"a.txt"_s, "abc")),
                                 rowOf(tree.file(u"skip.txt"_s, "x"), false),
                                 rowOf(tree.file(u"b.txt"_s, ""))};
  FileList list = test::listOf(rows);
  ColumnOptions columns;
  columns.hash = HashKind::Sha256;
  columns.checksumFile = true;
  columns.checksumHash = HashKind::Md5;
  const ListDelivery delivery(list, tree.path(u"list.csv"_s), columns);
  ASSERT_EQ(delivery.digestKinds(), (std::vector<HashKind>{HashKind::Sha256, HashKind::Md5}));

  BackgroundHashes reading(delivery);
  std::vector<QString> events;
  QObject::connect(&reading, &BackgroundHashes::progress,
                   [&](const QString& detail, qint64, qint64) { events.push_back(detail); });
  QObject::connect(&reading, &BackgroundHashes::finished, [&] { events.push_back(u"end"_s); });
  reading.start();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front(), u"0 / 2 ファイル"_s);
  EXPECT_NE(events.back(), u"end"_s);  // the end comes only through the event loop
  while (events.back() != u"end"_s) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  const ListDigests digests = reading.takeDigests();
  RecordingInteraction interaction;
  EXPECT_EQ(digests.hashes.size(), 2u);
  const auto sha = ListHashes::compute(rows, HashKind::Sha256, interaction);
  const auto md5 = ListHashes::compute(rows, HashKind::Md5, interaction);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(digests.hashes[i].hex, (*sha)[i].hex) << i;
    EXPECT_EQ(digests.checksumHashes[i].hex, (*md5)[i].hex) << i;
  }

  bool ended = false;
  BackgroundHashes cancelled(delivery);
  QObject::connect(&cancelled, &BackgroundHashes::finished, [&] { ended = true; });
  cancelled.start();
  cancelled.cancel();
  EXPECT_FALSE(cancelled.running());
  HashJob::stopAllReaders();
  QCoreApplication::processEvents();
  EXPECT_FALSE(ended);
}

}  // namespace
}  // namespace vek
