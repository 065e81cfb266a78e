#include <gtest/gtest.h>

#include "core/DateStamp.h"

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
