#include <gtest/gtest.h>

#include "core/dates/DateFormatter.h"

using vek::DateFormatter;
using vek::DateStamp;

namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);
const QLocale kGerman(QLocale::German, QLocale::Germany);

QString u8(const char* text) {
  return QString::fromUtf8(text);
}

// The pattern applied to a local date-time in the Japanese locale; "<invalid>" when it fails.
QString fmt(const char* pattern, int y, int mo, int d, int h = 0, int mi = 0, int s = 0,
            const QLocale& locale = kJapanese) {
  const auto formatter = DateFormatter::compile(u8(pattern), locale);
  if (!formatter) return QStringLiteral("<invalid>");
  return formatter->format(DateStamp::fromLocal(y, mo, d, h, mi, s));
}

struct Case {
  const char* pattern;
  const char* expected;
};

}  // namespace

TEST(DateFormatter, PresetsForAThursdayAfternoon) {
  const Case cases[] = {
      {"YYYY/MM/DD HH:MM:SS", "2005/08/18 14:03:09"},
      {"YYYY/MM/DD", "2005/08/18"},
      {"HH:MM:SS", "14:03:09"},
      {"YYYY年MM月DD日 HH時MM分SS秒", "2005年08月18日 14時03分09秒"},
      {"YYYY年MM月DD日", "2005年08月18日"},
      {"HH時MM分SS秒", "14時03分09秒"},
      {"ggge年M月D日(aaa)", "平成17年8月18日(木)"},
      {"dddd, mmm d yyyy", "木曜日, 8月 18 2005"},
      {"HH:MM:SS AMPM", "02:03:09 午後"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(fmt(c.pattern, 2005, 8, 18, 14, 3, 9), u8(c.expected)) << c.pattern;
  // The same through a QDateTime and the one-shot call.
  const QDateTime when(QDate(2005, 8, 18), QTime(14, 3, 9));
  EXPECT_EQ(vek::formatDateTime(when, u8("ggge年M月D日(aaa)"), kJapanese),
            std::optional<QString>(u8("平成17年8月18日(木)")));
}

TEST(DateFormatter, EveryToken) {
  // 2005-08-18 14:03:09 is a Thursday, day 230, in the third quarter.
  const Case cases[] = {
      {"yyyy yy y q", "2005 05 230 3"},
      {"m mm mmm mmmm", "8 08 8月 8月"},
      {"d dd ddd dddd", "18 18 木 木曜日"},
      {"ddddd", "2005/08/18"},
      {"dddddd", "2005年8月18日木曜日"},
      {"aaa aaaa", "木 木曜日"},
      {"w ww", "5 34"},
      {"g gg ggg e ee", "H 平 平成 17 17"},
      {"h hh n nn s ss", "14 14 3 03 9 09"},
      {"ttttt", "14:03:09"},
      {"c", "2005/08/18 14:03:09"},
      {"h AM/PM", "2 PM"},
      {"h am/pm", "2 pm"},
      {"h A/P", "2 P"},
      {"h a/p", "2 p"},
      {"h Am/pM", "2 pM"},
      {"YyYy-mM-Dd", "2005-08-18"},
      {"yyyyy", "2005230"},  // the longest token first, then the rest
      {"dddddddd", "2005年8月18日木曜日18"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(fmt(c.pattern, 2005, 8, 18, 14, 3, 9), u8(c.expected)) << c.pattern;
}

TEST(DateFormatter, MonthOrMinute) {
  const Case cases[] = {
      {"YYYY/MM/DD HH:MM:SS", "2005/08/18 14:03:09"},
      {"HH時MM分SS秒", "14時03分09秒"},
      {"YYYYMMDDHHmm", "200508181403"},
      {"h m", "14 3"},
      {"h\"x\"\\:m", "14x:3"},  // copied text does not break the link
      {"MM HH", "08 14"},
      {"hh ss mm", "14 09 08"},  // a token between them does
      {"hh AMPM mm", "02 午後 08"},
      {"hh mmm", "14 8月"},  // mmm is always the month name
  };
  for (const Case& c : cases)
    EXPECT_EQ(fmt(c.pattern, 2005, 8, 18, 14, 3, 9), u8(c.expected)) << c.pattern;
}

TEST(DateFormatter, TwelveHourClock) {
  const Case cases[] = {
      {"HH:MM:SS AMPM", "12:30:05 午前"},
      {"h:nn a/p", "12:30 a"},
      {"H:NN AM/PM", "12:30 AM"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(fmt(c.pattern, 2005, 8, 18, 0, 30, 5), u8(c.expected)) << c.pattern;
  EXPECT_EQ(fmt("hh:nn AMPM", 2005, 8, 18, 12, 0, 0), u8("12:00 午後"));
  EXPECT_EQ(fmt("hh:nn AMPM", 2005, 8, 18, 11, 59, 0), u8("11:59 午前"));
  EXPECT_EQ(fmt("hh:nn AMPM", 2005, 8, 18, 23, 59, 0), u8("11:59 午後"));
  // Without a designator the hour stays on the 24-hour clock.
  EXPECT_EQ(fmt("h:nn", 2005, 8, 18, 0, 30, 0), u8("0:30"));
}

TEST(DateFormatter, JapaneseEras) {
  struct EraCase {
    int y, m, d;
    const char* expected;  // "ggg e ee g gg"
  } cases[] = {
      {2019, 5, 1, "令和 1 01 R 令"},
      {2019, 4, 30, "平成 31 31 H 平"},
      {1989, 1, 8, "平成 1 01 H 平"},
      {1989, 1, 7, "昭和 64 64 S 昭"},
      {1926, 12, 25, "昭和 1 01 S 昭"},
      {1926, 12, 24, "大正 15 15 T 大"},
      {1912, 7, 30, "大正 1 01 T 大"},
      {1912, 7, 29, "明治 45 45 M 明"},
      {1868, 9, 8, "明治 1 01 M 明"},
      {1868, 9, 7, " 1868 1868  "},  // before the first era: the Gregorian year, no era
  };
  for (const EraCase& c : cases)
    EXPECT_EQ(fmt("ggg e ee g gg", c.y, c.m, c.d), u8(c.expected)) << c.y << c.m << c.d;
  EXPECT_EQ(fmt("ggge年", 2019, 5, 1), u8("令和1年"));
  EXPECT_EQ(fmt("ge", 2019, 5, 1), u8("R1"));
}

TEST(DateFormatter, WeeksAndWeekdays) {
  struct WeekCase {
    int y, m, d;
    const char* expected;  // "w ww y aaaa"
  } weeks[] = {
      {2005, 1, 1, "7 1 1 土曜日"},  // a Saturday: week 1 is one day long
      {2005, 1, 2, "1 2 2 日曜日"},  // the first Sunday starts week 2
      {2005, 12, 31, "7 53 365 土曜日"},
      {2000, 12, 31, "1 54 366 日曜日"},  // a leap year that began on a Saturday
      {2006, 1, 1, "1 1 1 日曜日"},
  };
  for (const WeekCase& c : weeks)
    EXPECT_EQ(fmt("w ww y aaaa", c.y, c.m, c.d), u8(c.expected)) << c.y << c.m << c.d;
  EXPECT_EQ(fmt("q", 2005, 3, 31), u8("1"));
  EXPECT_EQ(fmt("q", 2005, 4, 1), u8("2"));
  EXPECT_EQ(fmt("q", 2005, 12, 1), u8("4"));
}

TEST(DateFormatter, CopiedText) {
  const Case cases[] = {
      {"\"yyyy\"yyyy", "yyyy2005"},
      {"\\y\\m\\d yyyy", "ymd 2005"},
      {"\\\\yyyy", "\\2005"},
      {"yyyy\"\"", "2005"},
      {"yyyy年 (\"西暦\")", "2005年 (西暦)"},
      {"\\😀yyyy", "😀2005"},
      {"yyyy, 12 # %", "2005, 12 # %"},
      {"\"a \"\"b\"", "a b"},
  };
  for (const Case& c : cases) EXPECT_EQ(fmt(c.pattern, 2005, 8, 18), u8(c.expected)) << c.pattern;
}

TEST(DateFormatter, PatternsThatCannotBeApplied) {
  for (const char* pattern :
       {"", "yyyy\"mm", "\"", "yyyy\\", "\"\"", "yyyy\nmm", "yy\tmm", "yyyy\"\r\n\"", "yyyy\\\n"}) {
    EXPECT_FALSE(DateFormatter::compile(u8(pattern), kJapanese).has_value()) << pattern;
    EXPECT_FALSE(vek::formatDateTime(QDateTime(QDate(2005, 8, 18), QTime(14, 3, 9)), u8(pattern),
                                     kJapanese));
  }
  EXPECT_FALSE(vek::formatDateTime(QDateTime(), u8("yyyy"), kJapanese));
  // A pattern with no token at all is still a pattern.
  EXPECT_EQ(fmt("日付", 2005, 8, 18), u8("日付"));
}

TEST(DateFormatter, StoredTexts) {
  const auto stored = DateFormatter::compile(u8("YYYY/MM/DD HH:MM:SS"), kJapanese);
  ASSERT_TRUE(stored);
  EXPECT_TRUE(stored->isStoredForm());
  const auto other = DateFormatter::compile(u8("ggge年M月D日"), kJapanese);
  ASSERT_TRUE(other);
  EXPECT_FALSE(other->isStoredForm());
  for (const char* text : {"2005/08/18 14:03:09", "1999/12/31 23:59:59", "2024/02/29 00:00:00"})
    EXPECT_EQ(stored->formatStored(u8(text)), u8(text));
  for (const char* text : {"", "not a date", "2005/02/30 00:00:00", "2005-08-18 14:03:09"}) {
    EXPECT_EQ(stored->formatStored(u8(text)), u8(text));
    EXPECT_EQ(other->formatStored(u8(text)), u8(text));
  }
  EXPECT_EQ(other->formatStored(u8("2005/08/18 14:03:09")), u8("平成17年8月18日"));
  EXPECT_EQ(stored->format(DateStamp::fromLocal(999, 1, 2, 3, 4, 5)), u8("0999/01/02 03:04:05"));
  // A year the fixed form cannot show is no date: an empty cell.
  EXPECT_TRUE(stored->format(DateStamp::fromLocal(12345, 12, 31, 23, 59, 59)).isEmpty());
  EXPECT_TRUE(other->format(DateStamp()).isEmpty());
  EXPECT_TRUE(other->format(QDateTime()).isEmpty());
  // Spelled differently, still the stored form.
  EXPECT_TRUE(DateFormatter::compile(u8("yyyy\\/mm\"/\"dd hh:nn:ss"), kJapanese)->isStoredForm());
  EXPECT_FALSE(DateFormatter::compile(u8("YYYY/MM/DD HH:MM:SS AMPM"), kJapanese)->isStoredForm());
}

TEST(DateFormatter, OtherLocaleSeparatorsAndNames) {
  const auto german = DateFormatter::compile(u8("YYYY/MM/DD HH:MM:SS"), kGerman);
  ASSERT_TRUE(german);
  EXPECT_FALSE(german->isStoredForm());
  EXPECT_EQ(german->formatStored(u8("2005/08/18 14:03:09")), u8("2005.08.18 14:03:09"));
  EXPECT_EQ(fmt("dddd, d. mmmm yyyy", 2005, 8, 18, 0, 0, 0, kGerman),
            u8("Donnerstag, 18. August 2005"));
  EXPECT_EQ(fmt("ddddd ttttt", 2005, 8, 18, 14, 3, 9, kGerman), u8("18.08.05 14:03:09"));
  EXPECT_EQ(fmt("c", 2005, 8, 18, 14, 3, 9, QLocale(QLocale::English, QLocale::UnitedStates)),
            u8("8/18/05 2:03:09 PM"));
}

TEST(DateFormatter, CopiesShareNothingMutable) {
  std::optional<DateFormatter> first = DateFormatter::compile(u8("ggge年(aaa)"), kJapanese);
  ASSERT_TRUE(first);
  const DateFormatter copy = *first;
  first.reset();
  EXPECT_EQ(copy.format(DateStamp::fromLocal(2005, 8, 18, 0, 0, 0)), u8("平成17年(木)"));
}
