#include "core/platform/FileNameBytes.h"

#include <random>

#include <gtest/gtest.h>

#include "support/QStringPrinter.h"

namespace vek {
namespace {

TEST(FileNameBytes, NamesKeepEveryByte) {
  // A byte-order mark is a character of the name like any other, at the start, after an
  // invalid byte or in the middle; so are bytes that are not UTF-8 at all.
  const char* const names[] = {
      "plain.txt",
      "\xEF\xBB\xBFtwin",
      "a\xFF\xEF\xBB\xBF"
      "b",
      "x\xEF\xBB\xBFy",
      "\xEF\xBB\xBF",
      "\x82\xA0\x82\xA2.txt",
      "caf\xE9",
      "\xED\xB2\x80",
      "\xF0\x9F\x98\x80",
      "\xF4\x90\x80\x80",
      "\xC0\xAF",
      "\xE3\x81",
      "\xE3\x81\x82\xFE",
  };
  for (const char* name : names) {
    const QString text = decodeFileName(name);
    EXPECT_EQ(encodeFileName(text), QByteArray(name)) << QByteArray(name).toHex().constData();
  }
  // Two names that differ only by the mark are two names.
  EXPECT_NE(decodeFileName("\xEF\xBB\xBFtwin"), decodeFileName("twin"));
  EXPECT_EQ(decodeFileName("\xEF\xBB\xBFtwin"), QStringLiteral(u"\uFEFFtwin"));
  // Valid UTF-8 reads as its characters; other bytes as U+DC80..U+DCFF.
  EXPECT_EQ(decodeFileName("caf\xC3\xA9"), QStringLiteral(u"café"));
  EXPECT_EQ(decodeFileName("caf\xE9"), QStringLiteral(u"caf") + QChar(0xDCE9));
}

TEST(FileNameBytes, RandomByteStringsSurviveTheRoundTrip) {
  // Bytes drawn mostly from the awkward ranges: lead bytes, continuation bytes, the mark.
  std::mt19937 random(20240501);
  const unsigned char alphabet[] = {'a',  '.',  0x80, 0xBB, 0xBF, 0xC2, 0xC3, 0xE0, 0xE3,
                                    0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFE, 0xFF, 0x9F, 0xA0};
  for (int round = 0; round < 20000; ++round) {
    QByteArray name;
    const int length = 1 + int(random() % 12);
    for (int i = 0; i < length; ++i) {
      name +=
          random() % 4 == 0 ? char(1 + random() % 255) : char(alphabet[random() % sizeof alphabet]);
    }
    ASSERT_EQ(encodeFileName(decodeFileName(name.constData())), name) << name.toHex().constData();
  }
}

}  // namespace
}  // namespace vek
