// The sorts that read runs of digits as numbers: fixed cases at the edges, and random names
// against a plain reference written apart from the list's sort.
#include <algorithm>
#include <numeric>
#include <random>

#include <gtest/gtest.h>

#include "core/list/FileList.h"
#include "core/list/RowOrder.h"
#include "core/settings/IniFile.h"
#include "core/settings/SortSettings.h"
#include "support/SettingsRoundTrip.h"

using namespace Qt::StringLiterals;
using vek::FileEntry;
using vek::FileList;
using vek::ListColumn;
using vek::NumberOrder;

namespace {

int sign(int value) {
  return (value > 0) - (value < 0);
}

// The reference: the text cut into numbers (digit runs, leading zeros dropped, compared by
// how many digits remain and then digit by digit) and single folded characters; a number
// stands where the digits stand among characters. Equal so, the plain text order decides.
int referencePieces(const QString& a, const QString& b) {
  struct Piece {
    bool number;
    std::string digits;
    char16_t unit;
  };
  const auto cut = [](const QString& text) {
    std::vector<Piece> pieces;
    for (qsizetype i = 0; i < text.size();) {
      if (text[i].isDigit()) {
        std::string digits;
        for (; i < text.size() && text[i].isDigit(); ++i)
          digits += char('0' + text[i].digitValue());
        digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
        pieces.push_back({true, digits, 0});
      } else {
        pieces.push_back({false, {}, text[i].toCaseFolded().unicode()});
        ++i;
      }
    }
    return pieces;
  };
  const std::vector<Piece> x = cut(a);
  const std::vector<Piece> y = cut(b);
  for (std::size_t i = 0; i < std::min(x.size(), y.size()); ++i) {
    const Piece& p = x[i];
    const Piece& q = y[i];
    if (p.number && q.number) {
      if (p.digits.size() != q.digits.size()) return p.digits.size() < q.digits.size() ? -1 : 1;
      if (const int c = p.digits.compare(q.digits); c != 0) return sign(c);
    } else if (p.number) {
      return q.unit > u'9' ? -1 : 1;
    } else if (q.number) {
      return p.unit > u'9' ? 1 : -1;
    } else if (p.unit != q.unit) {
      return p.unit < q.unit ? -1 : 1;
    }
  }
  if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
  return 0;
}

int referenceCompare(const QString& a, const QString& b) {
  const int c = referencePieces(a, b);
  return c != 0 ? c : sign(vek::compareText(a, b));
}

// File names read whole: the names' pieces, then the extensions', then the plain text order of
// the names and of the extensions.
int referenceFileNames(const FileEntry& a, const FileEntry& b) {
  if (const int c = referencePieces(a.name, b.name); c != 0) return c;
  if (const int c = referencePieces(a.extension, b.extension); c != 0) return c;
  if (const int c = sign(vek::compareText(a.name, b.name)); c != 0) return c;
  return sign(vek::compareText(a.extension, b.extension));
}

QString randomName(std::mt19937& random) {
  static const QString pieces[] = {
      u"a"_s,  u"A"_s,  u"b"_s,  u"Z"_s,  u"_"_s,    u"-"_s,
      u" "_s,  u"."_s,  u"0"_s,  u"00"_s, u"1"_s,    u"2"_s,
      u"9"_s,  u"10"_s, u"０"_s, u"２"_s, u"１０"_s, u"٣"_s,
      u"ｆ"_s, u"Ｆ"_s, u"デ"_s, u"ー"_s, u"😀"_s,    u"12345678901234567890123"_s};
  QString name;
  const int length = int(random() % 7);
  for (int i = 0; i < length; ++i) name += pieces[random() % std::size(pieces)];
  return name;
}

}  // namespace

TEST(NumberOrder, DigitRunsCompareByValue) {
  struct Case {
    QString a;
    QString b;
    int sign;
  } const cases[] = {
      {u"file2"_s, u"file10"_s, -1},
      {u"file10"_s, u"file9"_s, 1},
      {u"file２"_s, u"file10"_s, -1},  // full-width digits count as digits
      {u"file２"_s, u"file2"_s, 1},    // equal values: the text order decides
      {u"a01"_s, u"a1"_s, -1},         // equal values: "0" before "1"
      {u"a1"_s, u"a01b"_s, -1},
      {u"a001"_s, u"a01"_s, -1},
      {u"x٣"_s, u"x10"_s, -1},                                      // Arabic-Indic three
      {u"v18446744073709551616"_s, u"v18446744073709551615"_s, 1},  // beyond 64 bits
      {u"v99999999999999999999999"_s, u"v100000000000000000000000"_s, -1},
      {u"v000000000000000000000000007"_s, u"v8"_s, -1},
      {u"IMG_9.jpg"_s, u"img_10.JPG"_s, -1},  // case still folds
      {u"A"_s, u"a"_s, -1},
      {u"a-1"_s, u"a1"_s, -1},  // "-" stands before the digits
      {u"a1"_s, u"aa"_s, -1},   // the digits before letters
      {u"1.10"_s, u"1.9"_s, 1},
      {u"0"_s, u"00"_s, -1},
      {u""_s, u"0"_s, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sign(vek::compareTextAsNumbers(c.a, c.b)), c.sign)
        << c.a.toStdString() << " / " << c.b.toStdString();
    EXPECT_EQ(sign(vek::compareTextAsNumbers(c.b, c.a)), -c.sign);
    EXPECT_EQ(referenceCompare(c.a, c.b), c.sign) << c.a.toStdString();
  }
}

TEST(NumberOrder, RandomNamesCompareAsTheReference) {
  std::mt19937 random(11);
  for (int i = 0; i < 40000; ++i) {
    const QString a = randomName(random);
    const QString b = random() % 8 ? randomName(random) : a;
    ASSERT_EQ(sign(vek::compareTextAsNumbers(a, b)), referenceCompare(a, b))
        << a.toStdString() << " / " << b.toStdString();
  }
}

// The sorts of names, extensions and folders (on one thread and shared out) give exactly the
// stable sort by the reference; the type column keeps the text order.
TEST(NumberOrder, SortsAreTheStableSortByTheReference) {
  std::mt19937 random(5);
  std::vector<FileEntry> rows;
  const QString folders[] = {u"/d2/"_s, u"/d10/"_s, u"/D2/"_s, u"/d02/"_s, u"/d２/"_s};
  for (int i = 0; i < 4000; ++i) {
    FileEntry e;
    e.name = randomName(random);
    e.extension = u"."_s + randomName(random);
    e.folder = folders[random() % std::size(folders)];
    e.type = random() % 2 ? u"t10"_s : u"t9"_s;
    rows.push_back(e);
  }
  struct Restore {
    ~Restore() { vek::setRowsWorthSharingOut(0); }
  } restore;
  for (const std::size_t sharingOut : {std::size_t(0), std::size_t(300)}) {
    vek::setRowsWorthSharingOut(sharingOut);
    for (const ListColumn column :
         {ListColumn::Name, ListColumn::Extension, ListColumn::Folder, ListColumn::Type}) {
      for (const bool ascending : {true, false}) {
        std::vector<std::size_t> expected(rows.size());
        std::iota(expected.begin(), expected.end(), std::size_t(0));
        std::stable_sort(expected.begin(), expected.end(), [&](std::size_t a, std::size_t b) {
          const QString x = rows[a].columnText(column);
          const QString y = rows[b].columnText(column);
          const int c = column == ListColumn::Type   ? vek::compareText(x, y)
                        : column == ListColumn::Name ? referenceFileNames(rows[a], rows[b])
                                                     : referenceCompare(x, y);
          return ascending ? c < 0 : c > 0;
        });
        EXPECT_EQ(vek::sortedOrder(rows, column, ascending, NumberOrder::AsNumbers), expected)
            << int(column) << ascending << sharingOut;
      }
    }
  }
}

// Names are read whole, extension included, as "ls -v" reads them: sorted, and as rows
// arrive in a sorted list.
TEST(NumberOrder, FileNamesAreReadWholeWithTheirExtensions) {
  const QStringList cases[] = {
      {u"img.9"_s, u"img.10"_s, u"img.100"_s},
      {u"v1.9"_s, u"v1.10"_s},
      {u"v1.9.txt"_s, u"v1.10.txt"_s},
      {u"a.txt"_s, u"a-1.txt"_s, u"a1.txt"_s},
      {u"file.tar.gz"_s, u"file1.tar.gz"_s, u"file2.tar.gz"_s, u"file10.tar.gz"_s},
      {u"x"_s, u"x.1"_s, u"x.2"_s, u"x.10"_s, u"x.txt"_s},
      {u"a1.A"_s, u"a01.b"_s},  // equal numbers: the extensions before the digits' form
      {u"page.２"_s, u"page.10"_s},
  };
  for (const QStringList& sorted : cases) {
    std::vector<FileEntry> rows;
    FileList list;
    list.setNumberOrder(NumberOrder::AsNumbers);
    for (qsizetype i = sorted.size(); i-- > 0;) {
      FileEntry e;
      FileEntry::splitName(sorted[i], e.name, e.extension);
      e.folder = u"/f/"_s;
      rows.push_back(e);
      list.append(e);
    }
    std::vector<std::size_t> reversed(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) reversed[i] = rows.size() - 1 - i;
    EXPECT_EQ(vek::sortedOrder(rows, ListColumn::Name, true, NumberOrder::AsNumbers), reversed)
        << sorted.join(u' ').toStdString();
    QStringList listed;
    for (qint64 i = 0; i < list.count(); ++i) listed << list.at(i).fileName();
    EXPECT_EQ(listed, sorted);
  }
}

// Runs of digits around the lengths where the count of digits takes a second unit (32,768)
// and fills the first (65,536) still compare by value, alone and in a sort.
TEST(NumberOrder, VeryLongDigitRunsCompareByValue) {
  const auto digits = [](char16_t first, qsizetype count) -> QString {
    return u"n"_s + QChar(first) + QString(count - 1, u'0');
  };
  struct Case {
    QString a;
    QString b;
    int sign;
  } const cases[] = {
      {digits(u'9', 32767), digits(u'1', 32768), -1},
      {digits(u'1', 32768), digits(u'2', 32768), -1},
      {digits(u'9', 32768), digits(u'1', 40000), -1},
      {digits(u'9', 65535), digits(u'1', 65536), -1},
      {digits(u'1', 65536), digits(u'1', 65537), -1},
      {digits(u'1', 65536) + u'a', digits(u'1', 65536) + u'b', -1},
      {digits(u'3', 12), digits(u'1', 32768), -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sign(vek::compareTextAsNumbers(c.a, c.b)), c.sign) << c.a.size() << c.b.size();
    EXPECT_EQ(sign(vek::compareTextAsNumbers(c.b, c.a)), -c.sign);
    std::vector<FileEntry> rows(2);
    rows[0].name = c.b;
    rows[1].name = c.a;
    EXPECT_EQ(vek::sortedOrder(rows, ListColumn::Name, true, NumberOrder::AsNumbers),
              (std::vector<std::size_t>{1, 0}))
        << c.a.size() << c.b.size();
  }
}

// The list re-sorts when the order changes, and rows appended later go to their place.
TEST(NumberOrder, TheListFollowsTheNumberOrder) {
  FileList list;
  for (const QString name : {u"file10"_s, u"file9"_s, u"file1"_s}) {
    FileEntry e;
    e.name = name;
    e.folder = u"/f/"_s;
    list.append(e);
  }
  const auto names = [&list] {
    QStringList out;
    for (qint64 i = 0; i < list.count(); ++i) out << list.at(i).name;
    return out.join(u' ');
  };
  EXPECT_EQ(names(), u"file1 file10 file9"_s);
  list.setNumberOrder(NumberOrder::AsNumbers);
  EXPECT_EQ(names(), u"file1 file9 file10"_s);
  FileEntry e;
  e.name = u"file２"_s;
  e.folder = u"/f/"_s;
  list.append(e);
  EXPECT_EQ(names(), u"file1 file２ file9 file10"_s);
  list.setNumberOrder(NumberOrder::AsText);
  EXPECT_EQ(names(), u"file1 file10 file9 file２"_s);
}

// Vek.ini's own section: not written while the order is the default, read back once chosen.
TEST(NumberOrder, KeptInVekIniOnlyOnceChosen) {
  vek::IniFile ini;
  vek::Settings settings;
  vek::test::SettingsRoundTrip::write(ini, settings);
  EXPECT_FALSE(ini.hasSection(u"VekSort"_s));
  settings.sort.numbers = NumberOrder::AsNumbers;
  vek::test::SettingsRoundTrip::write(ini, settings);
  EXPECT_EQ(ini.value(u"VekSort"_s, u"NumbersAsNumbers"_s), u"1"_s);
  vek::Settings read = vek::test::SettingsRoundTrip::read(ini);
  EXPECT_EQ(read.sort, settings.sort);
  ini.updateSection(u"VekSort"_s, {u"NumbersAsNumbers=0"_s});
  read = vek::test::SettingsRoundTrip::read(ini, read);
  EXPECT_EQ(read.sort.numbers, NumberOrder::AsText);
}
