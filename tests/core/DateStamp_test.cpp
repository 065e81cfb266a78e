#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <limits>
#include <random>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/dates/DateStamp.h"
#include "core/platform/FileSystem.h"
#include "support/MissingHere.h"
#include "support/ScopedEnvironment.h"

using vek::DateStamp;

TEST(DateStamp, TextRoundTripsAndOrdersLikeText) {
  const DateStamp a = DateStamp::fromText(u"2005/08/18 14:03:09");
  ASSERT_FALSE(a.isNull());
  EXPECT_EQ(a.text(), QStringLiteral("2005/08/18 14:03:09"));
  EXPECT_LT(DateStamp::fromText(u"2005/08/18 14:03:09"),
            DateStamp::fromText(u"2005/08/18 14:03:10"));
  EXPECT_LT(DateStamp(), a);  // a missing date sorts first, like an empty text
  EXPECT_TRUE(DateStamp().text().isEmpty());
  EXPECT_EQ(DateStamp::fromText(u"2000/02/29 23:59:59").text(),
            QStringLiteral("2000/02/29 23:59:59"));
}

TEST(DateStamp, RejectsWhatIsNotTheStoredForm) {
  for (const char16_t* text :
       {u"", u"2005/08/18", u"2005-08-18 14:03:09", u"2005/13/18 14:03:09", u"2005/02/30 14:03:09",
        u"abcd/08/18 14:03:09", u"1900/02/29 00:00:00", u"0000/01/01 00:00:00",
        u"2005/08/18 24:00:00", u"2005/08/18 14:60:00", u"2005/00/18 14:03:09",
        u"2005/08/18 14:03:09 "})
    EXPECT_TRUE(DateStamp::fromText(text).isNull()) << QString::fromUtf16(text).toStdString();
}

TEST(DateStamp, TimesOutsideTheFourDigitYearsAreMissingDates) {
  // Any time a file system can hold: years 1 to 9999 are dates, the rest are missing dates
  // (an empty cell), never wrapped numbers.
  const qint64 year1 = -62135596800;      // 0001-01-01 00:00:00 UTC
  const qint64 year10000 = 253402300800;  // 10000-01-01 00:00:00 UTC
  const struct {
    qint64 seconds;
    bool isDate;
  } cases[] = {{0, true},
               {1700000000, true},
               {-1, true},
               {year1 + 86400 * 2, true},
               {year10000 - 86400 * 2, true},
               {year1 - 86400 * 2, false},
               {year10000 + 86400 * 2, false},
               {67767976233316800, false},  // year 2,147,483,647
               {std::numeric_limits<qint64>::max(), false},
               {std::numeric_limits<qint64>::min(), false}};
  for (const auto& c : cases) {
    const DateStamp stamp = DateStamp::fromSeconds(c.seconds);
    EXPECT_EQ(!stamp.isNull(), c.isDate) << c.seconds << " gives " << stamp.text().toStdString();
    if (!stamp.isNull()) {
      EXPECT_EQ(DateStamp::fromText(stamp.text()), stamp) << c.seconds;
    }
  }
  const int fields[][6] = {
      {0, 1, 1, 0, 0, 0},     {10000, 1, 1, 0, 0, 0}, {2147483647, 12, 31, 23, 59, 59},
      {-5, 1, 1, 0, 0, 0},    {2005, 13, 1, 0, 0, 0}, {2005, 1, 0, 0, 0, 0},
      {2005, 1, 1, 24, 0, 0}, {2005, 1, 1, 0, 60, 0}};
  for (const auto& f : fields)
    EXPECT_TRUE(DateStamp::fromLocal(f[0], f[1], f[2], f[3], f[4], f[5]).isNull()) << f[0];
  // A leap second (a time zone with leap seconds) is shown as the second before it.
  EXPECT_EQ(DateStamp::fromLocal(2016, 12, 31, 23, 59, 60).text(),
            QStringLiteral("2016/12/31 23:59:59"));
}

TEST(DateStamp, AFileWithAnExtremeModificationTimeIsStillRead) {
  // tmpfs keeps any 64-bit time; ext4 would clamp it to 1901..2446.
  QTemporaryDir dir(QStringLiteral("/dev/shm/vek-test-XXXXXX"));
  if (!dir.isValid()) VEK_SKIP_WHERE_MISSING("no /dev/shm");
  const qint64 times[] = {-62200000000, 67767976233316800};
  for (const qint64 seconds : times) {
    const QString path = dir.filePath(QStringLiteral("f%1").arg(seconds));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const timespec stamps[2] = {{time_t(seconds), 0}, {time_t(seconds), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), stamps, 0), 0);
    QString error;
    const auto info = vek::FileSystem::fileInfo(path, &error);
    ASSERT_TRUE(info.has_value()) << seconds << ": " << error.toStdString();
    EXPECT_TRUE(info->modified.isNull()) << info->modified.text().toStdString();
    EXPECT_TRUE(info->accessed.isNull());
  }
}

// File times are converted hour by hour from what was learnt of the time zone: in zones with
// and without summer time, with half- and quarter-hour offsets and with counted leap seconds,
// and on both sides of every change of offset, each time gives what the system's own
// conversion gives.
TEST(DateStamp, FileTimesConvertAsTheSystemDoesInEveryZone) {
  const char* const zones[] = {"UTC",
                               "Asia/Tokyo",
                               "America/New_York",
                               "Europe/London",
                               "Australia/Lord_Howe",
                               "America/St_Johns",
                               "Asia/Kathmandu",
                               "right/Europe/Berlin"};
  // The zone is put back however the test ends: the conversions of later tests depend on it.
  vek::test::ScopedEnvironment environment([] {
    tzset();
    DateStamp::zoneChanged();
  });
  auto systemStamp = [](qint64 seconds) {
    const auto t = time_t(seconds);
    struct tm local {};
    if (!localtime_r(&t, &local) || local.tm_year > 9999 - 1900 || local.tm_year < 1 - 1900)
      return DateStamp();
    return DateStamp::fromLocal(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                local.tm_hour, local.tm_min, local.tm_sec);
  };
  std::mt19937_64 random(3);
  int zonesTried = 0;
  for (const char* zone : zones) {
    if (!QFile::exists(QStringLiteral("/usr/share/zoneinfo/") + QLatin1String(zone))) continue;
    ++zonesTried;
    environment.set("TZ", QByteArray(":") + zone);
    // 2023 and 2024 in steps of 7 min 13 s: every hour, and each change of offset from both
    // sides.
    for (qint64 s = 1672531200 - 86400; s < 1735689600 + 86400; s += 433)
      ASSERT_EQ(DateStamp::fromSeconds(s), systemStamp(s)) << zone << " " << s;
    for (int i = 0; i < 20000; ++i) {
      const qint64 s = qint64(random() % 600'000'000'000ULL) - 300'000'000'000LL;
      ASSERT_EQ(DateStamp::fromSeconds(s), systemStamp(s)) << zone << " " << s;
    }
  }
  if (zonesTried == 0) VEK_SKIP_WHERE_MISSING("no time zone data installed");
}
