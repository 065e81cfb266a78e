#include <limits>

#include <gtest/gtest.h>

#include "core/text/SizeText.h"

using vek::SizeStyle;
using vek::sizeText;
using vek::SizeUnit;

namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);
const QLocale kGerman(QLocale::German, QLocale::Germany);

struct SizeRow {
  qint64 bytes;
  const char* plainBytes;
  const char* groupedBytes;
  const char* plainKb;
  const char* groupedKb;
  const char* megabytes;  // the same in both styles for these values
};

}  // namespace

TEST(SizeText, WorkedValuesInEveryForm) {
  const SizeRow rows[] = {
      {0, " 0", "0", "0", "0", "0.0"},
      {1, " 1", "1", "1", "1", "0.0"},
      {1025, " 1025", "1,025", "2", "2", "0.0"},
      {52428, " 52428", "52,428", "52", "52", "0.1"},
      {1048576, " 1048576", "1,048,576", "1024", "1,024", "1.0"},
      {123456789, " 123456789", "123,456,789", "120564", "120,564", "117.7"},
  };
  for (const SizeRow& row : rows) {
    SCOPED_TRACE(row.bytes);
    EXPECT_EQ(sizeText(row.bytes, SizeUnit::Bytes, SizeStyle::Plain, kJapanese),
              QLatin1StringView(row.plainBytes));
    EXPECT_EQ(sizeText(row.bytes, SizeUnit::Bytes, SizeStyle::Grouped, kJapanese),
              QLatin1StringView(row.groupedBytes));
    EXPECT_EQ(sizeText(row.bytes, SizeUnit::Kilobytes, SizeStyle::Plain, kJapanese),
              QLatin1StringView(row.plainKb));
    EXPECT_EQ(sizeText(row.bytes, SizeUnit::Kilobytes, SizeStyle::Grouped, kJapanese),
              QLatin1StringView(row.groupedKb));
    EXPECT_EQ(sizeText(row.bytes, SizeUnit::Megabytes, SizeStyle::Plain, kJapanese),
              QLatin1StringView(row.megabytes));
    EXPECT_EQ(sizeText(row.bytes, SizeUnit::Megabytes, SizeStyle::Grouped, kJapanese),
              QLatin1StringView(row.megabytes));
  }
}

TEST(SizeText, RoundingBoundaries) {
  struct Case {
    qint64 bytes;
    SizeUnit unit;
    const char* text;
  } cases[] = {
      {1024, SizeUnit::Kilobytes, "1"},
      {1025, SizeUnit::Kilobytes, "2"},
      {2048, SizeUnit::Kilobytes, "2"},
      {2049, SizeUnit::Kilobytes, "3"},
      // (n + 511) / 1048576 is exactly 0.25 at n = 261633: the half goes up.
      {261632, SizeUnit::Megabytes, "0.2"},
      {261633, SizeUnit::Megabytes, "0.3"},
      {1048576 * 10 - 1, SizeUnit::Megabytes, "10.0"},
      {-5, SizeUnit::Kilobytes, "0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sizeText(c.bytes, c.unit, SizeStyle::Plain, kJapanese), QLatin1StringView(c.text))
        << c.bytes;
  }
}

TEST(SizeText, LargeCountsAreExact) {
  const qint64 max = std::numeric_limits<qint64>::max();
  EXPECT_EQ(sizeText(2147483648LL, SizeUnit::Bytes, SizeStyle::Grouped, kJapanese),
            QStringLiteral("2,147,483,648"));
  EXPECT_EQ(sizeText(2147483648LL, SizeUnit::Kilobytes, SizeStyle::Plain, kJapanese),
            QStringLiteral("2097152"));
  EXPECT_EQ(sizeText(max, SizeUnit::Bytes, SizeStyle::Plain, kJapanese),
            QStringLiteral(" 9223372036854775807"));
  EXPECT_EQ(sizeText(max, SizeUnit::Kilobytes, SizeStyle::Grouped, kJapanese),
            QStringLiteral("9,007,199,254,740,992"));
  EXPECT_EQ(sizeText(max, SizeUnit::Megabytes, SizeStyle::Grouped, kJapanese),
            QStringLiteral("8,796,093,022,208.0"));
}

TEST(SizeText, UsesTheLocaleSeparators) {
  EXPECT_EQ(sizeText(123456789, SizeUnit::Bytes, SizeStyle::Grouped, kGerman),
            QStringLiteral("123.456.789"));
  EXPECT_EQ(sizeText(123456789, SizeUnit::Megabytes, SizeStyle::Plain, kGerman),
            QStringLiteral("117,7"));
  EXPECT_EQ(sizeText(5000LL * 1048576, SizeUnit::Megabytes, SizeStyle::Grouped, kGerman),
            QStringLiteral("5.000,0"));
  // The plain style never groups, whatever the locale.
  EXPECT_EQ(sizeText(123456789, SizeUnit::Kilobytes, SizeStyle::Plain, kGerman),
            QStringLiteral("120564"));
}

// A workbook's size cell holds the number the CSV shows, in every unit.
TEST(SizeText, ValuesAreTheNumbersOfThePlainText) {
  const qint64 max = std::numeric_limits<qint64>::max();
  const qint64 counts[] = {
      -5,        0,       1,        1023,      1024,         1025,      261632,
      261633,    1048575, 10485759, 123456789, 5000LL << 20, 1LL << 53, (1LL << 53) + 1,
      1LL << 62, max};
  for (const SizeUnit unit : {SizeUnit::Bytes, SizeUnit::Kilobytes, SizeUnit::Megabytes}) {
    for (const qint64 bytes : counts) {
      EXPECT_EQ(sizeValue(bytes, unit),
                sizeText(bytes, unit, SizeStyle::Plain, QLocale::c()).trimmed().toDouble())
          << bytes << " in unit " << int(unit);
    }
  }
}

TEST(SizeText, UnitSuffixes) {
  EXPECT_EQ(vek::sizeUnitSuffix(SizeUnit::Bytes), QStringLiteral(" Byte"));
  EXPECT_EQ(vek::sizeUnitSuffix(SizeUnit::Kilobytes), QStringLiteral(" KB"));
  EXPECT_EQ(vek::sizeUnitSuffix(SizeUnit::Megabytes), QStringLiteral(" MB"));
}
