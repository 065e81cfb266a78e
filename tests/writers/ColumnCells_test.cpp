// Cell texts per column, the selected columns, captions and the nothing-selected check.
#include "writers/ColumnCells.h"

#include <gtest/gtest.h>

#include "support/ExampleRows.h"
#include "support/QStringPrinter.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);

// Every row here also carries a modified date, as the update column needs one.
using test::ExampleRow;

ColumnCells cells(const ColumnOptions& options, PathStyle style = PathStyle::Windows,
                  const QString& pattern = u"YYYY/MM/DD HH:MM:SS"_s) {
  return ColumnCells(options, SizeStyle::Plain, *DateFormatter::compile(pattern, kJapanese), style,
                     kJapanese);
}

std::vector<QString> rowTexts(const ColumnCells& c, const FileEntry& row) {
  std::vector<QString> texts;
  for (ColumnId column : c.selected()) texts.push_back(c.text(column, row));
  return texts;
}

TEST(ColumnCells, DefaultOptionsGiveTheDefaultColumns) {
  const ColumnCells c = cells(ColumnOptions());
  const FileEntry row = ExampleRow(u"C:\\data\\"_s, u"a.txt"_s).withModifiedDate();
  EXPECT_EQ(c.selected(), (std::vector<ColumnId>{ColumnId::Directory, ColumnId::FileName,
                                                 ColumnId::FileType, ColumnId::FileSize,
                                                 ColumnId::CreateDate}));
  EXPECT_EQ(rowTexts(c, row), (std::vector<QString>{u"C:\\data"_s, u"a.txt"_s,
                                                    u"テキスト ドキュメント"_s, u"2 KB"_s,
                                                    u"2005/08/18 14:03:09"_s}));
}

TEST(ColumnCells, EveryColumnSelectedInColumnOrder) {
  ColumnOptions options;
  options.chkPath = options.chkAccessDate = options.chkUpdateDate = 1;
  const ColumnCells c = cells(options, PathStyle::Posix);
  ASSERT_EQ(c.selected().size(), std::size_t(kColumnCount));
  for (int i = 0; i < kColumnCount; ++i) EXPECT_EQ(c.selected()[std::size_t(i)], ColumnId(i));
  const FileEntry row = ExampleRow(u"/home/u/"_s, u"a.txt"_s).withModifiedDate();
  EXPECT_EQ(rowTexts(c, row),
            (std::vector<QString>{u"/home/u/a.txt"_s, u"/home/u"_s, u"a.txt"_s,
                                  u"テキスト ドキュメント"_s, u"2 KB"_s, u"2005/08/18 14:03:09"_s,
                                  QString(), u"2006/01/02 03:04:05"_s}));
}

TEST(ColumnCells, ShapingOptions) {
  struct Case {
    const char* what;
    void (*set)(ColumnOptions&);
    ColumnId column;
    PathStyle style;
    const char16_t* folder;
    const char16_t* file;
    const char16_t* expected;
  };
  const Case cases[] = {
      {"file: address, drive", [](ColumnOptions& o) { o.chkPath = o.chkPathType = 1; },
       ColumnId::FullPath, PathStyle::Windows, u"C:\\data\\", u"a.txt", u"file:///C:/data/a.txt"},
      {"file: address, network", [](ColumnOptions& o) { o.chkPath = o.chkPathType = 1; },
       ColumnId::FullPath, PathStyle::Windows, u"\\\\server\\share\\dir\\", u"a.txt",
       u"file://server/share/dir/a.txt"},
      {"file: address, POSIX", [](ColumnOptions& o) { o.chkPath = o.chkPathType = 1; },
       ColumnId::FullPath, PathStyle::Posix, u"/my docs/", u"報告 1.txt",
       u"file:///my docs/報告 1.txt"},
      {"plain full path without extension", [](ColumnOptions& o) { o.chkPath = 1; },
       ColumnId::FullPath, PathStyle::Posix, u"/d/", u"Makefile", u"/d/Makefile"},
      {"drive root without drive", [](ColumnOptions& o) { o.optDirType = DirType::WithoutDrive; },
       ColumnId::Directory, PathStyle::Windows, u"C:\\", u"a.txt", u"\u3000"},
      {"drive root, last name", [](ColumnOptions& o) { o.optDirType = DirType::LastName; },
       ColumnId::Directory, PathStyle::Windows, u"C:\\", u"a.txt", u"C:"},
      {"network without drive", [](ColumnOptions& o) { o.optDirType = DirType::WithoutDrive; },
       ColumnId::Directory, PathStyle::Windows, u"\\\\server\\share\\dir\\", u"a.txt",
       u"share\\dir"},
      {"POSIX last name", [](ColumnOptions& o) { o.optDirType = DirType::LastName; },
       ColumnId::Directory, PathStyle::Posix, u"/home/u/docs/", u"a.txt", u"docs"},
      {"name without extension", [](ColumnOptions& o) { o.chkExtAdd = 0; }, ColumnId::FileName,
       PathStyle::Posix, u"/d/", u"a.b.txt", u"a.b"},
      {"name without any extension", [](ColumnOptions&) {}, ColumnId::FileName, PathStyle::Posix,
       u"/d/", u"Makefile", u"Makefile"},
      {"leading-dot name", [](ColumnOptions& o) { o.chkExtAdd = 0; }, ColumnId::FileName,
       PathStyle::Posix, u"/d/", u".bashrc", u""},
      {"bytes with unit", [](ColumnOptions& o) { o.optSizeType = SizeUnit::Bytes; },
       ColumnId::FileSize, PathStyle::Posix, u"/d/", u"a.txt", u" 1025 Byte"},
      {"bytes without unit",
       [](ColumnOptions& o) {
         o.optSizeType = SizeUnit::Bytes;
         o.chkAddUnit = 0;
       },
       ColumnId::FileSize, PathStyle::Posix, u"/d/", u"a.txt", u" 1025"},
      {"megabytes", [](ColumnOptions& o) { o.optSizeType = SizeUnit::Megabytes; },
       ColumnId::FileSize, PathStyle::Posix, u"/d/", u"a.txt", u"0.0 MB"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    ColumnOptions options;
    k.set(options);
    const ColumnCells c = cells(options, k.style);
    const FileEntry row =
        ExampleRow(QString::fromUtf16(k.folder), QString::fromUtf16(k.file)).withModifiedDate();
    EXPECT_EQ(c.text(k.column, row), QString::fromUtf16(k.expected));
    QString appended = u"x"_s;
    c.appendText(k.column, row, appended);
    EXPECT_EQ(appended, u"x"_s + QString::fromUtf16(k.expected));
  }
}

TEST(ColumnCells, DatesUseThePatternAndAMissingDateIsEmpty) {
  ColumnOptions options;
  options.chkAccessDate = options.chkUpdateDate = 1;
  const ColumnCells c = cells(options, PathStyle::Posix, u"YYYY年MM月DD日"_s);
  const FileEntry row = ExampleRow(u"/d/"_s, u"a.txt"_s).withModifiedDate();
  EXPECT_EQ(c.text(ColumnId::CreateDate, row), u"2005年08月18日"_s);
  EXPECT_EQ(c.text(ColumnId::AccessDate, row), QString());
  EXPECT_EQ(c.text(ColumnId::ModifiDate, row), u"2006年01月02日"_s);
}

TEST(ColumnCells, DirectoryFollowsEachFolderChange) {
  // The per-folder reuse must notice every change, shared texts or equal copies alike.
  ColumnOptions options;
  options.optDirType = DirType::LastName;
  const ColumnCells c = cells(options, PathStyle::Posix);
  const QString a = u"/x/a/"_s;
  const QString b = u"/x/b/"_s;
  const QString aCopy = QString(u"/x/a/"_s.data(), 5);
  const std::vector<std::pair<QString, QString>> sequence = {
      {a, u"a"_s}, {a, u"a"_s}, {b, u"b"_s}, {aCopy, u"a"_s}, {a, u"a"_s}, {u"/"_s, u"/"_s}, {b, u"b"_s}};
  for (const auto& [folder, expected] : sequence) {
    EXPECT_EQ(c.text(ColumnId::Directory, ExampleRow(folder, u"f"_s).withModifiedDate()), expected);
  }
}

TEST(ColumnCells, NothingSelectedIsRefusedWhateverTheShapingBoxes) {
  ColumnOptions none;
  none.chkDir = none.chkFile = none.chkExt = none.chkSize = none.chkMakeDate = 0;
  none.chkPathType = none.chkExtAdd = none.chkAddUnit = 1;
  const auto message = ColumnCells::checkSelection(none);
  ASSERT_TRUE(message.has_value());
  EXPECT_EQ(message->text, u"出力情報が指定されていません"_s);
  EXPECT_EQ(message->title, u"出力指定エラー"_s);
  EXPECT_EQ(message->icon, MessageIcon::Information);

  ColumnOptions onlyAccess = none;
  onlyAccess.chkAccessDate = 1;
  EXPECT_FALSE(ColumnCells::checkSelection(onlyAccess).has_value());
}

TEST(ColumnCells, CaptionsOfTheSelectedColumnsAsStored) {
  Settings settings;
  settings.headComment[std::size_t(ColumnId::FileName)] = u"名前, \"引用\""_s;
  const ColumnCells c = cells(ColumnOptions());
  EXPECT_EQ(c.captions(settings),
            (std::vector<QString>{u"ディレクトリ"_s, u"名前, \"引用\""_s, u"ファイルタイプ"_s,
                                  u"ファイルサイズ"_s, u"作成日付"_s}));
}

TEST(ColumnCells, AnUnusableStoredPatternFallsBackToTheDefault) {
  Settings settings;
  settings.option.dateFormat = u"\"unterminated"_s;
  const DateFormatter formatter = ColumnCells::dateFormatter(settings, kJapanese);
  EXPECT_EQ(formatter.format(DateStamp::fromLocal(2005, 8, 18, 14, 3, 9)), u"2005/08/18 14:03:09"_s);
  settings.option.dateFormat = u"YYYY"_s;
  EXPECT_EQ(ColumnCells::dateFormatter(settings, kJapanese)
                .format(DateStamp::fromLocal(2005, 8, 18, 14, 3, 9)),
            u"2005"_s);
}

}  // namespace
}  // namespace vek
