#include "batch/CommandLine.h"
#include "batch/StartMode.h"

#include <gtest/gtest.h>

#include "support/QStringPrinter.h"

namespace vek {
using namespace Qt::StringLiterals;
namespace {

struct SplitCase {
  const char16_t* text;
  QStringList tokens;
  QString entry0;
};

TEST(SplitCommandLine, WalksCharactersAsDescribed) {
  const SplitCase cases[] = {
      {u"", {}, {}},
      {u"   \t ", {}, {}},
      {u"/I C:\\data /O C:\\out /T CSV /F list",
       {u"/I"_s, u"C:\\data"_s, u"/O"_s, u"C:\\out"_s, u"/T"_s, u"CSV"_s, u"/F"_s, u"list"_s},
       {}},
      // Quotes toggle anywhere and are dropped.
      {u"ab\"c d\"e", {u"abc de"_s}, {}},
      {u"/I \"C:\\my data\\\" /N x", {u"/I"_s, u"C:\\my data\\"_s, u"/N"_s, u"x"_s}, {}},
      // A pair of quotes alone gives no token.
      {u"\"\"", {}, {}},
      {u"a \"\" b", {u"a"_s, u"b"_s}, {}},
      // A quoted blank before a token's first character belongs to the previous token...
      {u"a \" b\"", {u"a "_s, u"b"_s}, {}},
      // ...or to entry 0 when there is none.
      {u"\" x\"", {u"x"_s}, u" "_s},
      {u"\"\t \"y z", {u"y"_s, u"z"_s}, u"\t "_s},
      // Tabs separate like spaces; an unterminated quote runs to the end.
      {u"a\tb \"c d", {u"a"_s, u"b"_s, u"c d"_s}, {}},
      {u"/?", {u"/?"_s}, {}},
  };
  for (const SplitCase& c : cases) {
    const ArgumentTable table = splitCommandLine(QStringView(c.text));
    EXPECT_EQ(table.tokens, c.tokens) << QString::fromUtf16(c.text).toStdString();
    EXPECT_EQ(table.entry0, c.entry0) << QString::fromUtf16(c.text).toStdString();
  }
}

TEST(SplitCommandLine, IgnoresTokensPastTheMaximum) {
  QString text;
  for (int i = 1; i <= 35; ++i) text += QStringLiteral("t%1 ").arg(i);
  const ArgumentTable table = splitCommandLine(text);
  ASSERT_EQ(table.count(), 30);
  EXPECT_EQ(table.tokens.last(), u"t30");
  EXPECT_EQ(table.token(31), QString());
  EXPECT_EQ(table.token(0), QString());
  EXPECT_EQ(splitCommandLine(u"a b c", 2).tokens, (QStringList{u"a"_s, u"b"_s}));
}

TEST(ArgumentTable, EachArgumentIsOneTokenAsTheShellGaveIt) {
  // Arguments without quotes or leading blanks: the same as splitting the joined text.
  const QStringList plain = {u"/I"_s,   u"/tmp/my data"_s, u"/N"_s,
                             u"a\tb"_s, u"夏休み 2024"_s,  u"x"_s};
  EXPECT_EQ(argumentTable(plain).tokens, plain);
  EXPECT_EQ(splitCommandLine(joinArguments(plain)).tokens, plain);
  EXPECT_EQ(joinArguments(plain), u"/I \"/tmp/my data\" /N \"a\tb\" \"夏休み 2024\" x");

  // The shell already removed the person's quoting: a quote left is part of the name.
  EXPECT_EQ(argumentTable({u"/I"_s, u"say \"hi\""_s}).tokens,
            (QStringList{u"/I"_s, u"say \"hi\""_s}));
  // Leading blanks stay in the argument; an empty argument gives no token.
  EXPECT_EQ(argumentTable({u" lead"_s, QString(), u"b"_s}).tokens,
            (QStringList{u" lead"_s, u"b"_s}));
  // Except the value of /X, which is always the next argument: "" there leaves nothing out.
  EXPECT_EQ(argumentTable({u"/X"_s, QString(), u"/A"_s, QString()}).tokens,
            (QStringList{u"/X"_s, QString(), u"/A"_s}));
  EXPECT_EQ(argumentTable({u"/A"_s, u"/X"_s, QString()}).tokens,
            (QStringList{u"/A"_s, u"/X"_s, QString()}));
  EXPECT_EQ(argumentTable({u"/x"_s, QString()}).tokens, (QStringList{u"/x"_s}));

  QStringList many;
  for (int i = 1; i <= 31; ++i) many.append(QString::number(i));
  const ArgumentTable table = argumentTable(many);
  ASSERT_EQ(table.count(), 30);
  EXPECT_EQ(table.tokens.last(), u"30");
}

TEST(StartMode, ChoosesByTokens) {
  const struct {
    QStringList arguments;
    StartMode mode;
  } cases[] = {
      {{}, StartMode::Window},
      {{QString()}, StartMode::Window},
      {{u"/tmp"_s}, StartMode::WindowWithFolder},
      {{u"/?"_s}, StartMode::Usage},
      {{u"--help"_s}, StartMode::Usage},
      {{u"-h"_s}, StartMode::Usage},
      {{u"--version"_s}, StartMode::Version},
      {{u"/?"_s, u"/C"_s}, StartMode::Batch},
      {{u"/I"_s, u"x"_s}, StartMode::Batch},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(startMode(argumentTable(c.arguments)), c.mode)
        << c.arguments.join(u',').toStdString();
  }
}

}  // namespace
}  // namespace vek
