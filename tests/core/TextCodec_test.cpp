#include <gtest/gtest.h>

#include "core/text/TextCodec.h"

// Readable failure output for texts.
static void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

using vek::TextCodec;
using vek::Unmappable;

namespace {

std::string hex(const QByteArray& bytes) {
  return bytes.toHex(' ').toStdString();
}

}  // namespace

TEST(TextCodec, JapaneseTextHasTheExpectedBytesAndRoundTrips) {
  const QString text = QStringLiteral("日本語のファイル名～①.txt");
  struct Case {
    const char* name;
    QByteArray nihon;  // the bytes of "日本"
  };
  const Case cases[] = {
      {"UTF-8", QByteArray("\xE6\x97\xA5\xE6\x9C\xAC")},
      {"CP932", QByteArray("\x93\xFA\x96\x7B")},
      {"EUC-JP", QByteArray("\xC6\xFC\xCB\xDC")},
      {"ISO-2022-JP", QByteArray("\x1B$BF|K\\\x1B(B")},
      {"UTF-16", QByteArray("\xFF\xFE\xE5\x65\x2C\x67")},
      {"UTF-16LE", QByteArray("\xE5\x65\x2C\x67")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TextCodec codec{QByteArray(c.name)};
    ASSERT_TRUE(codec.isAvailable());
    EXPECT_EQ(hex(codec.encode(u"日本")), hex(c.nihon));
    // ～ and ① are outside plain EUC-JP and ISO-2022-JP; everything else is in every encoding.
    const bool full = codec.name() != "EUC-JP" && codec.name() != "ISO-2022-JP";
    const QString sample = full ? text : QStringLiteral("日本語のファイル名.txt");
    qint64 lost = -1;
    const QByteArray bytes = codec.encode(sample, Unmappable::Replace, &lost);
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(codec.decode(bytes), sample);
  }
}

TEST(TextCodec, CharacterOutsideTheEncodingIsReplacedOrReferenced) {
  const TextCodec cp932{"CP932"};
  qint64 lost = -1;
  EXPECT_EQ(cp932.encode(u"a😀b", Unmappable::Replace, &lost), QByteArray("a?b"));
  EXPECT_EQ(lost, 1);
  EXPECT_EQ(cp932.encode(u"a😀b", Unmappable::DecimalReference, &lost), QByteArray("a&#128512;b"));
  EXPECT_EQ(lost, 0);
  // The reference goes through the converter, which leaves the kanji set first.
  const TextCodec jis{"ISO-2022-JP"};
  EXPECT_EQ(hex(jis.encode(u"日😀本", Unmappable::DecimalReference)),
            hex(QByteArray("\x1B$BF|\x1B(B&#128512;\x1B$BK\\\x1B(B")));
  EXPECT_EQ(hex(jis.encode(u"日😀", Unmappable::Replace)), hex(QByteArray("\x1B$BF|\x1B(B?")));
}

TEST(TextCodec, StatefulEncoderKeepsItsShiftAcrossCallsAndResetsAtFinish) {
  const auto encoder = TextCodec("ISO-2022-JP").makeEncoder(Unmappable::Replace);
  ASSERT_TRUE(encoder);
  EXPECT_EQ(hex(encoder->encode(u"日")), hex(QByteArray("\x1B$BF|")));
  EXPECT_EQ(hex(encoder->encode(u"本")), hex(QByteArray("K\\")));
  EXPECT_EQ(hex(encoder->finish()), hex(QByteArray("\x1B(B")));
  // After finish the encoder starts again from the initial state.
  EXPECT_EQ(hex(encoder->encode(u"a")), hex(QByteArray("a")));
  EXPECT_EQ(encoder->finish(), QByteArray());
}

TEST(TextCodec, Utf16MarkIsWrittenOnceAtTheStart) {
  const auto encoder = TextCodec("UTF-16").makeEncoder(Unmappable::DecimalReference);
  QByteArray bytes = encoder->encode(u"a");
  bytes += encoder->encode(u"😀");
  bytes += encoder->finish();
  EXPECT_EQ(hex(bytes), hex(QByteArray("\xFF\xFE"
                                       "a\0"
                                       "\x3D\xD8\x00\xDE",
                                       8)));
  EXPECT_EQ(TextCodec("UTF-16").decode(bytes), QStringLiteral("a😀"));
  EXPECT_EQ(TextCodec("UTF-16").decode(QByteArray("\xFE\xFF\x00"
                                                  "a",
                                                  4)),
            QStringLiteral("a"));
}

TEST(TextCodec, LoneSurrogatesAreLostInEveryEncoding) {
  const QString lone = u"a" + QString(QChar(0xD800)) + u"b" + QChar(0xDC00);
  for (const char* name : {"UTF-8", "CP932", "UTF-16LE"}) {
    SCOPED_TRACE(name);
    const TextCodec codec{QByteArray(name)};
    qint64 lost = -1;
    EXPECT_EQ(codec.decode(codec.encode(lone, Unmappable::Replace, &lost)), QStringLiteral("a?b?"));
    EXPECT_EQ(lost, 2);
    const QString referenced =
        codec.decode(codec.encode(lone, Unmappable::DecimalReference, &lost));
    EXPECT_EQ(lost, 2);
    EXPECT_EQ(referenced, codec.name() == "CP932" ? QStringLiteral("a&#65533;b&#65533;")
                                                  : QStringLiteral("a\uFFFDb\uFFFD"));
  }
}

TEST(TextCodec, PairSplitBetweenCallsIsJoined) {
  for (const char* name : {"UTF-8", "CP932"}) {
    SCOPED_TRACE(name);
    const auto encoder = TextCodec(QByteArray(name)).makeEncoder(Unmappable::DecimalReference);
    const QString emoji = QStringLiteral("😀");
    QByteArray bytes = encoder->encode(QString(u"x" + emoji.first(1)));
    bytes += encoder->encode(QString(emoji.last(1) + u"y"));
    bytes += encoder->finish();
    EXPECT_EQ(encoder->lostCharacters(), 0);
    EXPECT_EQ(TextCodec(QByteArray(name)).decode(bytes),
              QByteArray(name) == "UTF-8" ? QStringLiteral("x😀y") : QStringLiteral("x&#128512;y"));
  }
  // A high surrogate still held at the end is lost.
  const auto encoder = TextCodec("UTF-8").makeEncoder(Unmappable::Replace);
  EXPECT_EQ(encoder->encode(QString(QChar(0xD83D))), QByteArray());
  EXPECT_EQ(encoder->finish(), QByteArray("?"));
  EXPECT_EQ(encoder->lostCharacters(), 1);
}

TEST(TextCodec, InvalidBytesDecodeAsReplacementCharacters) {
  EXPECT_EQ(TextCodec("UTF-8").decode("a\xFF"
                                      "b"),
            QStringLiteral("a\uFFFDb"));
  EXPECT_EQ(TextCodec("CP932").decode("a\xFF"
                                      "b"),
            QStringLiteral("a\uFFFDb"));
  // cut off at the end
  EXPECT_EQ(TextCodec("CP932").decode("\x93\xFA\x93"), QStringLiteral("日\uFFFD"));
  EXPECT_EQ(TextCodec("EUC-JP").decode("\xC6\xFC\xC6"), QStringLiteral("日\uFFFD"));
  // A lone surrogate in UTF-16 costs one code unit; the text after it is read in step.
  bool invalid = false;
  EXPECT_EQ(TextCodec("UTF-16LE").decode(QByteArray("a\0\x00\xDC\n\0b\0", 8), &invalid),
            QStringLiteral("a\uFFFD\nb"));
  EXPECT_TRUE(invalid);
  EXPECT_EQ(TextCodec("UTF-16BE").decode(QByteArray("\0a\xDC\x00\0\n\0b", 8), &invalid),
            QStringLiteral("a\uFFFD\nb"));
  // Only what the bytes cannot mean counts as invalid, not a U+FFFD the text holds.
  EXPECT_EQ(TextCodec("UTF-8").decode("\xE6\x97\xA5\xEF\xBF\xBD", &invalid),
            QStringLiteral("日\uFFFD"));
  EXPECT_FALSE(invalid);
  for (const char* encoding : {"UTF-8", "EUC-JP", "CP932"}) {
    const TextCodec codec(encoding);
    EXPECT_EQ(codec.decode(codec.encode(u"日本"), &invalid), QStringLiteral("日本"));
    EXPECT_FALSE(invalid) << encoding;
    codec.decode("a\xFF", &invalid);
    EXPECT_TRUE(invalid) << encoding;
  }
}

TEST(TextCodec, UnknownEncodingIsReportedNotUsed) {
  const TextCodec codec{"NO-SUCH-ENCODING"};
  EXPECT_FALSE(codec.isAvailable());
  EXPECT_EQ(codec.makeEncoder(Unmappable::Replace), nullptr);
  EXPECT_TRUE(TextCodec("utf8").isUtf8());
}

TEST(TextCodec, SystemEncodingFollowsTheLocaleCharacterSet) {
  const std::pair<const char*, const char*> cases[] = {
      {"UTF-8", "UTF-8"},      {"ANSI_X3.4-1968", "UTF-8"}, {"", "UTF-8"},
      {"ISO-8859-1", "UTF-8"}, {"EUC-JP", "EUC-JP"},        {"eucJP", "EUC-JP"},
      {"ujis", "EUC-JP"},      {"SJIS", "CP932"},           {"SHIFT_JIS", "CP932"},
      {"Shift-JIS", "CP932"},  {"cp932", "CP932"},          {"WINDOWS-31J", "CP932"},
  };
  for (const auto& [codeset, expected] : cases)
    EXPECT_EQ(TextCodec::encodingForCodeset(codeset), QByteArray(expected)) << codeset;

  EXPECT_EQ(TextCodec::codesetOfLocaleName("ja_JP.eucJP"), QByteArray("eucJP"));
  EXPECT_EQ(TextCodec::codesetOfLocaleName("ja_JP.SJIS@euro"), QByteArray("SJIS"));
  EXPECT_EQ(TextCodec::codesetOfLocaleName("C"), QByteArray());
  // Whatever this machine's locale is, the answer is never plain ASCII.
  EXPECT_TRUE(TextCodec::system().isAvailable());
  EXPECT_NE(TextCodec::system().name(), QByteArray("ANSI_X3.4-1968"));
}

namespace vek {
namespace {

using namespace Qt::StringLiterals;

// CP932 goes through a table filled from iconv: every character of the plane must come out as
// iconv writes it, and what iconv cannot write as one "?", whole or cut into pieces.
TEST(TextCodec, Cp932TableWritesWhatIconvWrites) {
  const TextCodec cp932("CP932");
  QString all;
  for (char32_t c = 1; c < 0x10000; ++c)
    if (!QChar::isSurrogate(c)) all += QChar(char16_t(c));
  QByteArray expected;
  qint64 expectedLost = 0;
  for (QChar c : all) {
    const QByteArray referenced = cp932.encode(QStringView(&c, 1), Unmappable::DecimalReference);
    const bool unmappable = referenced.startsWith("&#") && c != u'&';
    expected += unmappable ? QByteArrayLiteral("?") : referenced;
    expectedLost += unmappable ? 1 : 0;
  }
  qint64 lost = 0;
  EXPECT_EQ(cp932.encode(all, Unmappable::Replace, &lost), expected);
  EXPECT_EQ(lost, expectedLost);

  const auto encoder = cp932.makeEncoder(Unmappable::Replace);
  const QString mixed = u"髙😀\xDC80～𠮷a"_s;
  QByteArray pieces;
  for (qsizetype i = 0; i < mixed.size(); ++i) pieces += encoder->encode(mixed.sliced(i, 1));
  pieces += encoder->finish();
  EXPECT_EQ(pieces, cp932.encode(mixed));
  EXPECT_EQ(pieces, QByteArray("\xFB\xFC??\x81\x60?a"));
  EXPECT_EQ(encoder->lostCharacters(), 3);
}

}  // namespace
}  // namespace vek
