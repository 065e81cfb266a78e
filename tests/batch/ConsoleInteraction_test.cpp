#include "batch/ConsoleInteraction.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include "support/QStringPrinter.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

struct Console {
  explicit Console(bool terminal, const QByteArray& answers = {}) : input(answers) {
    errors.open(QIODevice::WriteOnly);
    inputBuffer.setBuffer(&input);
    inputBuffer.open(QIODevice::ReadOnly);
    console = std::make_unique<ConsoleInteraction>(errors, terminal, inputBuffer, terminal, 40);
  }
  QString written() const { return QString::fromUtf8(errors.data()); }

  QBuffer errors;
  QByteArray input;
  QBuffer inputBuffer;
  std::unique_ptr<ConsoleInteraction> console;
};

TEST(ConsoleInteraction, MessagesAreTitleAndIndentedLines) {
  const struct {
    QString title, text, expected;
  } cases[] = {
      {u"警告"_s, u"one"_s, u"警告: one\n"_s},
      {u"警告"_s, u"A\r\nB\r\n"_s, u"警告: A\n  B\n"_s},
      {u"警告"_s, u"A\r\n\r\nB"_s, u"警告: A\n  \n  B\n"_s},
      {u"t"_s, u"a\nb\rc"_s, u"t: a\n  b\n  c\n"_s},
      // A file name in a message cannot steer the terminal.
      {u"t"_s, u"name\x1b[2J\tx"_s, u"t: name?[2J\tx\n"_s},
      // U+009B is the one-character CSI of terminals that take C1 controls in UTF-8.
      {u"t"_s, u"a\u009b2Jb\u0085c"_s, u"t: a?2Jb?c\n"_s},
  };
  for (const auto& c : cases) {
    Console out(false);
    out.console->showMessage({c.title, c.text, MessageIcon::Warning});
    EXPECT_EQ(out.written(), c.expected);
  }
}

TEST(ConsoleInteraction, QuestionIsAnsweredYesWithoutTerminal) {
  Console out(false, "n\n");
  EXPECT_TRUE(out.console->askYesNo({u"警告"_s, u"Go?"_s, MessageIcon::Warning}));
  EXPECT_EQ(out.written(), QString());
  EXPECT_FALSE(out.console->cancelRequested());
}

TEST(ConsoleInteraction, QuestionOnTerminalNeedsYes) {
  const struct {
    QByteArray answer;
    bool yes;
  } cases[] = {{"y\n", true}, {"YES\n", true}, {" Yes \n", true}, {"ｙ\n", true},
               {"\n", false}, {"n\n", false},  {"yep\n", false},  {"", false}};
  for (const auto& c : cases) {
    Console out(true, c.answer);
    EXPECT_EQ(out.console->askYesNo({u"警告"_s, u"A\r\nGo?"_s, MessageIcon::Warning}), c.yes)
        << c.answer.toStdString();
    EXPECT_EQ(out.written(), u"警告: A\n  Go? [y/N] "_s);
  }
}

TEST(ConsoleInteraction, ProgressOnlyOnTerminal) {
  Console quiet(false);
  quiet.console->showProgress(u"ファイル検索中"_s, u"info"_s, u"d"_s, 0, 10);
  quiet.console->updateProgress(u"ファイル検索中"_s, u"info"_s, u"d"_s, 5);
  quiet.console->closeProgress();
  EXPECT_EQ(quiet.written(), QString());

  Console shown(true);
  qint64 now = 1000;
  shown.console->setClock([&now] { return now; });
  shown.console->showProgress(u"フォルダ検索中"_s, u"info"_s, u"/a"_s, -1, 0);
  EXPECT_EQ(shown.written(), u"\rフォルダ検索中 /a\x1b[K"_s);
  // Updates in quick succession are drawn at most ten times a second...
  for (int i = 0; i < 50; ++i) {
    now += 1;
    shown.console->updateProgress(u"フォルダ検索中"_s, {}, u"/b"_s, -1);
  }
  EXPECT_EQ(shown.written(), u"\rフォルダ検索中 /a\x1b[K"_s);
  // ...a later one is drawn, and so is a change of phase at once.
  now += 50;
  shown.console->updateProgress(u"フォルダ検索中"_s, {}, u"/c"_s, -1);
  EXPECT_TRUE(shown.written().endsWith(u"\rフォルダ検索中 /c\x1b[K"_s));
  shown.console->updateProgress(u"ファイル検索中"_s, {}, u"x"_s, 1);
  EXPECT_TRUE(shown.written().endsWith(u"\rファイル検索中 x\x1b[K"_s));
  shown.console->closeProgress();
  EXPECT_TRUE(shown.written().endsWith(u"x\x1b[K\r\x1b[K"_s));
}

TEST(ConsoleInteraction, MessageDuringProgressKeepsTheLineClean) {
  Console out(true);
  out.console->showProgress(u"C"_s, {}, u"line\nbreak"_s, 1, 4);
  out.console->showMessage({u"T"_s, u"m"_s, MessageIcon::Warning});
  EXPECT_EQ(out.written(), u"\rC 25% line?break\x1b[K\r\x1b[KT: m\n\rC 25% line?break\x1b[K"_s);
}

TEST(ConsoleInteraction, FitsTheLineToTheTerminal) {
  EXPECT_EQ(ConsoleInteraction::fitToColumns(u"abcdef"_s, 6), u"abcdef"_s);
  EXPECT_EQ(ConsoleInteraction::fitToColumns(u"abcdefgh"_s, 6), u"...fgh"_s);
  // Wide characters take two columns each.
  EXPECT_EQ(ConsoleInteraction::fitToColumns(u"あいうえお"_s, 8), u"...えお"_s);
  EXPECT_EQ(ConsoleInteraction::fitToColumns(u"abcd😀"_s, 5), u"...😀"_s);
}

}  // namespace
}  // namespace vek
