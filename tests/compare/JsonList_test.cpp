// Vek's JSON list written and read back: every name keeps its bytes, a cut or foreign file is
// refused with its line, and the dates keep their moment across time zones.
#include <QBuffer>
#include <QTimeZone>

#include <gtest/gtest.h>

#include "compare/JsonListReader.h"
#include "compare/ListComparison.h"
#include "core/dates/IsoDateTime.h"
#include "core/platform/FileNameBytes.h"
#include "support/FailDevice.h"
#include "writers/JsonListWriter.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

FileEntry row(const QString& folder, const QByteArray& fileNameBytes, qint64 size) {
  FileEntry entry;
  entry.folder = folder;
  FileEntry::splitName(decodeFileName(fileNameBytes.constData()), entry.name, entry.extension);
  entry.type = u"テキスト"_s;
  entry.size = size;
  entry.created = DateStamp::fromLocal(2026, 1, 2, 3, 4, 5);
  entry.modified = DateStamp::fromLocal(2026, 12, 8, 17, 52, 40);
  entry.rootLength = qint32(QStringLiteral("/data/").size());
  return entry;
}

QByteArray written(std::span<const FileEntry> rows, const ColumnOptions& columns = {}) {
  JsonListWriter writer(
      columns, {u"題名"_s, u"/data/"_s, QDateTime(QDate(2026, 12, 8), QTime(9, 0), Qt::LocalTime),
                std::nullopt});
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(writer.write(buffer, rows)) << writer.errorString().toStdString();
  return buffer.data();
}

std::vector<FileEntry> awkwardRows() {
  return {
      row(u"/data/"_s, "plain.txt", 1),
      row(u"/data/sub dir,1/"_s, "new\nline.txt", 22),
      row(u"/data/sub dir,1/"_s, "quote\"back\\slash\ttab.txt", 333),
      row(u"/data/"_s, "ctrl\x01\x1f.txt", 0),
      row(u"/data/"_s, "日本語😀.txt", 4),
      row(decodeFileName("/data/\x82\xa0dir/"), "a\x83\x41.t\xffxt", 5),  // Shift_JIS, Latin-1
      row(u"/data/"_s, ".hidden", 6),
      row(u"/data/"_s, "noextension", 1LL << 40),
      row(u"/data/"_s, "\xef\xbb\xbftwin.txt", 7),  // a byte-order mark at the start of a name
  };
}

TEST(JsonList, EveryNameReadsBackWithItsBytes) {
  const std::vector<FileEntry> rows = awkwardRows();
  const QByteArray bytes = written(rows);
  const SavedListRead read = JsonListReader::readBytes(bytes, u"list.json"_s);
  ASSERT_FALSE(read.error) << read.error->text.toStdString();
  const SavedList& list = *read.list;
  EXPECT_EQ(list.inputFolder, u"/data/"_s);
  EXPECT_EQ(list.title, u"題名"_s);
  ASSERT_EQ(list.rows.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(encodeFileName(list.rows[i].fullPath()), encodeFileName(rows[i].fullPath())) << i;
    EXPECT_EQ(list.rows[i].size, rows[i].size) << i;
    EXPECT_EQ(list.rows[i].modified, rows[i].modified) << i;
    EXPECT_EQ(list.rows[i].created, rows[i].created) << i;
    EXPECT_TRUE(list.rows[i].accessed.isNull()) << i;
    EXPECT_EQ(list.rows[i].type, rows[i].type) << i;
  }
  EXPECT_TRUE(list.hasSizes);
  EXPECT_TRUE(list.hasModified);
}

TEST(JsonList, HeaderRowsAndCountHaveTheirOwnLines) {
  std::vector<FileEntry> rows = {row(u"/data/"_s, "a.txt", 1), row(u"/data/"_s, "b.txt", 2)};
  rows[1].ticked = false;
  const QByteArray bytes = written(rows);
  const QList<QByteArray> lines = bytes.split('\n');
  ASSERT_EQ(lines.size(), 4);  // header, one row, the count, and nothing after the last LF
  const QByteArray offset =
      IsoDateTime::format(QDateTime(QDate(2026, 12, 8), QTime(9, 0), Qt::LocalTime)).mid(19);
  EXPECT_EQ(
      lines[0],
      QByteArray("{\"format\":\"vek-file-list\",\"version\":1,\"title\":\"題名\",\"inputFolder\":"
                 "\"/data/\","
                 "\"writtenAt\":\"2026-12-08T09:00:00" +
                 offset + "\",\"timeZone\":\"" + QTimeZone::systemTimeZoneId() +
                 "\",\"columns\":[\"folder\",\"name\",\"extension\",\"type\",\"size\",\"created\","
                 "\"accessed\",\"modified\"],\"walk\":null,\"rows\":["));
  EXPECT_TRUE(
      lines[1].startsWith("{\"folder\":\"/data/\",\"name\":\"a\",\"extension\":\".txt\","
                          "\"type\":\"テキスト\",\"size\":1,\"created\":\"2026-01-02T03:04:05"));
  EXPECT_TRUE(lines[1].endsWith(
      QByteArray("\"accessed\":null,\"modified\":\"2026-12-08T17:52:40" + offset + "\"}")));
  EXPECT_EQ(lines[2], "],\"rowCount\":1}");
}

TEST(JsonList, NameBytesStandBesideTheReadableText) {
  const std::vector<FileEntry> rows = {row(u"/data/"_s, "a\x83\x41.txt", 1)};
  const QByteArray bytes = written(rows);
  EXPECT_TRUE(
      bytes.contains(QByteArray("\"name\":\"a\xef\xbf\xbd"
                                "A\",\"nameBytes\":\"" +
                                QByteArray("a\x83\x41").toBase64() + "\"")))
      << bytes.toStdString();
}

// Every cut of a list short of its end is refused: a reader never takes part of a list for the
// whole.
TEST(JsonList, EveryCutShortOfTheEndIsRefused) {
  const std::vector<FileEntry> rows = awkwardRows();
  const QByteArray bytes = written(rows);
  const QByteArray whole = bytes.trimmed();
  for (qsizetype length = 0; length < whole.size(); ++length) {
    const SavedListRead read = JsonListReader::readBytes(whole.left(length), u"list.json"_s);
    ASSERT_TRUE(read.error.has_value()) << "cut at " << length;
    ASSERT_FALSE(read.list.has_value());
  }
  EXPECT_FALSE(JsonListReader::readBytes(whole, u"list.json"_s).error);
}

TEST(JsonList, ForeignNewerAndDamagedFilesNameTheirLine) {
  const QByteArray good = written(awkwardRows());
  QByteArray newer = good;
  newer.replace("\"version\":1", "\"version\":2");
  QByteArray fewer = good;
  fewer.replace("\"rowCount\":9", "\"rowCount\":10");
  QByteArray badSize = good;
  badSize.replace("\"size\":22", "\"size\":\"22\"");
  const struct {
    QByteArray bytes;
    const char* expected;
  } cases[] = {
      {"{\"name\":\"x\"}", "1 行目: Vek が書いたリスト"},
      {"[1,2,3]", "1 行目: Vek が書いたリスト"},
      {"", "1 行目: Vek が書いたリスト"},
      {"{\"format\":\"something-else\",\"version\":1}", "1 行目: Vek が書いたリスト"},
      {newer, "1 行目: 新しい版（2）"},
      {fewer, "11 行目: リストが途中で切れています"},
      {badSize, "3 行目: 行の内容が正しくありません"},
      {good.left(good.indexOf("\n", good.indexOf("\n") + 1) + 5),
       "3 行目: リストが途中で切れています"},
  };
  for (const auto& c : cases) {
    const SavedListRead read = JsonListReader::readBytes(c.bytes, u"/lists/list.json"_s);
    ASSERT_TRUE(read.error) << c.expected;
    EXPECT_TRUE(read.error->text.contains(QString::fromUtf8(c.expected)))
        << read.error->text.toStdString();
    EXPECT_TRUE(read.error->text.contains(u"/lists/list.json"_s));
  }
}

// A list of the given row objects, one a line after the header line.
QByteArray listOf(const QList<QByteArray>& rows, const QByteArray& header = {}) {
  QByteArray bytes = "{\"format\":\"vek-file-list\",\"version\":1,\"inputFolder\":\"/d/\"" +
                     header + ",\"rows\":[";
  for (qsizetype i = 0; i < rows.size(); ++i) bytes += (i ? ",\n" : "\n") + rows[i];
  return bytes + "\n],\"rowCount\":" + QByteArray::number(rows.size()) + "}\n";
}

QByteArray rowOf(const QByteArray& name, const QByteArray& extension = ".txt",
                 const QByteArray& more = {}) {
  return "{\"folder\":\"/d/\",\"name\":\"" + name + "\",\"extension\":\"" + extension +
         "\",\"size\":1" + more + "}";
}

// The hostile lists: each refused with its line, within the reader's limits.
TEST(JsonList, HostileListsAreRefusedWithTheirLine) {
  const QByteArray good = listOf({rowOf("a"), rowOf("b")});
  const QByteArray nested = QByteArray(70, '[') + QByteArray(70, ']');
  QByteArray reordered = good;
  reordered.replace("\"format\":\"vek-file-list\",", "");
  reordered.insert(reordered.lastIndexOf('}'), ",\"format\":\"vek-file-list\"");
  QByteArray noVersion = good;
  noVersion.replace("\"version\":1,", "");
  const struct {
    QByteArray bytes;
    const char* expected;
  } cases[] = {
      {"{\"format\":" + QByteArray(100000, '['), "1 行目: Vek が書いたリスト"},
      {"{\"format\":\"vek-file-list\",\"x\":" + QByteArray(100000, '['),
       "1 行目: 入れ子が深すぎます"},
      {listOf({rowOf("a", ".txt", ",\"x\":" + nested)}), "2 行目: 入れ子が深すぎます"},
      {QByteArray(good).replace("\"version\":1", "\"version\":2.0"), "1 行目: 版（version）"},
      {QByteArray(good).replace("\"version\":1", "\"version\":1e3"), "1 行目: 版（version）"},
      {QByteArray(good).replace("\"version\":1", "\"version\":99999999999999999999"),
       "1 行目: 版（version）"},
      {QByteArray(good).replace("\"version\":1", "\"version\":\"1\""), "1 行目: 版（version）"},
      {QByteArray(good).replace("\"version\":1", "\"version\":0"), "1 行目: 版（version）"},
      {noVersion, "4 行目: 版（version）"},
      {good + good, "5 行目: リストの終わりの後にデータがあります"},
      {good + "x", "5 行目: リストの終わりの後にデータがあります"},
      {listOf({rowOf("a"), rowOf("b\\u0000c")}), "3 行目: 名前に NUL 文字があります"},
      {listOf({rowOf("a", ".txt", ",\"nameBytes\":\"YQBi\"")}),
       "2 行目: 名前に NUL 文字があります"},
      {listOf({rowOf("a"), rowOf("", "")}), "3 行目: ファイル名が空です"},
      {listOf({rowOf("a"), rowOf("b"), rowOf("a")}), "4 行目: 同じファイルがリストに二度あります"},
      {listOf({rowOf(".h", ""), rowOf("", ".h")}), "3 行目: 同じファイルがリストに二度あります"},
      {listOf({rowOf("a")}, ",\"hashAlgorithm\":\"SHA512\""), "1 行目: 見出しの「hashAlgorithm」"},
      {listOf({rowOf(QByteArray(2 * 1024 * 1024, 'n'))}), "2 行目: 値が長すぎます"},
      {listOf({rowOf("a")}, ",\"title\":\"" + QByteArray(5 * 1024 * 1024, 't') + "\""),
       "1 行目: 行が長すぎます"},
      {QByteArray("{\"format\":\"vek-file-list\",\0\"version\":1}", 38),
       "1 行目: UTF-8 のテキストではありません"},
      {QByteArray("{\0\"\0f\0", 6), "1 行目: UTF-8 のテキストではありません"},
  };
  for (const auto& c : cases) {
    const SavedListRead read = JsonListReader::readBytes(c.bytes, u"/lists/list.json"_s);
    ASSERT_TRUE(read.error) << c.expected;
    EXPECT_TRUE(read.error->text.contains(QString::fromUtf8(c.expected)))
        << c.expected << "\n"
        << read.error->text.toStdString();
  }
  // Keys in another order, a byte-order mark, the digests before their kind: read as they are.
  for (const QByteArray& bytes : QList<QByteArray>{reordered, "\xEF\xBB\xBF" + good}) {
    const SavedListRead read = JsonListReader::readBytes(bytes, u"l"_s);
    ASSERT_FALSE(read.error) << read.error->text.toStdString();
    EXPECT_EQ(read.list->rows.size(), 2u);
    EXPECT_EQ(comparedPath(read.list->rows[1]), u"b.txt"_s);
  }
  QByteArray hashLast = listOf({rowOf("a", ".txt", ",\"hash\":\"00\""), rowOf("b")});
  hashLast.insert(hashLast.lastIndexOf('}'), ",\"hashAlgorithm\":\"MD5\"");
  const SavedListRead read = JsonListReader::readBytes(hashLast, u"l"_s);
  ASSERT_FALSE(read.error) << read.error->text.toStdString();
  EXPECT_EQ(read.list->hashKind, HashKind::Md5);
  EXPECT_EQ(read.list->hashes, (std::vector<QByteArray>{"00", QByteArray()}));
}

// A dot-file is written whole as its name; the form of older lists reads the same.
TEST(JsonList, ADotFileIsNamedWhole) {
  const std::vector<FileEntry> rows = {row(u"/data/"_s, ".hidden", 1)};
  const QByteArray bytes = written(rows);
  EXPECT_TRUE(bytes.contains("\"name\":\".hidden\",\"extension\":\"\"")) << bytes.toStdString();
  for (const QByteArray& list : QList<QByteArray>{bytes, listOf({rowOf("", ".hidden")})}) {
    const SavedListRead read = JsonListReader::readBytes(list, u"l"_s);
    ASSERT_FALSE(read.error) << read.error->text.toStdString();
    EXPECT_EQ(read.list->rows[0].name, QString());
    EXPECT_EQ(read.list->rows[0].extension, u".hidden"_s);
  }
}

TEST(JsonList, HashAndRelativePathWhenChosen) {
  ColumnOptions columns;
  columns.hash = HashKind::Sha256;
  columns.chkRelPath = true;
  std::vector<FileEntry> rows = {row(u"/data/sub/"_s, "a.txt", 1), row(u"/data/"_s, "b.txt", 2)};
  JsonListWriter writer(columns, {u"t"_s, u"/data/"_s, QDateTime::currentDateTime(), std::nullopt});
  FileHash hashed;
  hashed.outcome = FileHash::Outcome::Hashed;
  hashed.hex = QByteArray(64, 'a');
  FileHash unreadable;
  unreadable.outcome = FileHash::Outcome::Unreadable;
  writer.setHashes({hashed, unreadable});
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(writer.write(buffer, rows));
  const QByteArray bytes = buffer.data();
  EXPECT_TRUE(bytes.contains("\"relativePath\",\"hash\"],\"hashAlgorithm\":\"SHA256\""));
  EXPECT_TRUE(bytes.contains(
      QByteArray("\"relativePath\":\"sub/a.txt\",\"hash\":\"" + QByteArray(64, 'a'))));
  EXPECT_TRUE(bytes.contains("\"hash\":null,\"hashError\":\"(読み取れないためハッシュなし)\""));
  const SavedListRead read = JsonListReader::readBytes(bytes, u"l"_s);
  ASSERT_FALSE(read.error);
  EXPECT_EQ(read.list->hashKind, HashKind::Sha256);
  EXPECT_EQ(read.list->hashes, (std::vector<QByteArray>{QByteArray(64, 'a'), QByteArray()}));
}

TEST(JsonList, AFullDeviceIsAFailure) {
  const std::vector<FileEntry> rows = awkwardRows();
  test::FailDevice device(100);
  JsonListWriter writer({}, {});
  EXPECT_FALSE(writer.write(device, rows));
  EXPECT_FALSE(writer.errorString().isEmpty());
}

TEST(IsoDateTime, ReadsItsOwnTextAndOtherOffsetsAsLocalTime) {
  IsoDateTime iso;
  const DateStamp stamp = DateStamp::fromLocal(2026, 7, 1, 12, 30, 15);
  const QByteArray text = iso.format(stamp);
  EXPECT_EQ(text.left(19), "2026-07-01T12:30:15");
  EXPECT_EQ(iso.parse(text.toStdString()), stamp);
  // The same moment written in Tokyo and in UTC.
  const QDateTime moment(QDate(2026, 7, 1), QTime(3, 30, 15), QTimeZone::utc());
  const DateStamp local = DateStamp::fromDateTime(moment);
  EXPECT_EQ(iso.parse("2026-07-01T12:30:15+09:00"), local);
  EXPECT_EQ(iso.parse("2026-07-01T03:30:15Z"), local);
  EXPECT_EQ(iso.parse("2026-07-01T03:30:15.250+00:00"), local);
  for (const char* bad : {"", "2026-07-01", "2026-07-01T03:30:15", "2026-13-01T03:30:15Z",
                          "2026-07-01T03:30:15+9:00", "yyyy-07-01T03:30:15Z"})
    EXPECT_FALSE(iso.parse(bad)) << bad;
}

}  // namespace
}  // namespace vek
