#include <fcntl.h>
#include <sys/stat.h>

#include <limits>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/DateStamp.h"
#include "core/FileSystem.h"

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
  const qint64 year1 = -62135596800;     // 0001-01-01 00:00:00 UTC
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
  const int fields[][6] = {{0, 1, 1, 0, 0, 0},        {10000, 1, 1, 0, 0, 0},
                           {2147483647, 12, 31, 23, 59, 59}, {-5, 1, 1, 0, 0, 0},
                           {2005, 13, 1, 0, 0, 0},    {2005, 1, 0, 0, 0, 0},
                           {2005, 1, 1, 24, 0, 0},    {2005, 1, 1, 0, 60, 0}};
  for (const auto& f : fields)
    EXPECT_TRUE(DateStamp::fromLocal(f[0], f[1], f[2], f[3], f[4], f[5]).isNull()) << f[0];
  // A leap second (a time zone with leap seconds) is shown as the second before it.
  EXPECT_EQ(DateStamp::fromLocal(2016, 12, 31, 23, 59, 60).text(), QStringLiteral("2016/12/31 23:59:59"));
}

TEST(DateStamp, AFileWithAnExtremeModificationTimeIsStillRead) {
  // tmpfs keeps any 64-bit time; ext4 would clamp it to 1901..2446.
  QTemporaryDir dir(QStringLiteral("/dev/shm/vek-test-XXXXXX"));
  if (!dir.isValid()) GTEST_SKIP() << "no /dev/shm";
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
