// The command box's text and the exact line beside it: an edit in the box keeps every character
// of the line that the person did not touch.
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include "support/QStringPrinter.h"
#include "ui/CommandBoxText.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

// What the real box gives back for `exact`.
CommandBoxText throughTheBox(const QString& exact) {
  QPlainTextEdit box;
  box.setPlainText(exact);
  return CommandBoxText(exact, box.toPlainText());
}

TEST(CommandBoxText, EditsAreLaidOntoTheExactLine) {
  const QString exact = u"vek /I \"My\u00A0Files\" /N \"a\r\nb\u2028c\rd\u2029e\" /S 1"_s;
  const CommandBoxText line = throughTheBox(exact);
  ASSERT_EQ(line.shown(), u"vek /I \"My Files\" /N \"a\nb\nc\nd\ne\" /S 1"_s);
  const struct {
    const char* name;
    QString box, result;
  } cases[] = {
      {"untouched", line.shown(), exact},
      {"the end changed", u"vek /I \"My Files\" /N \"a\nb\nc\nd\ne\" /S 2"_s,
       u"vek /I \"My\u00A0Files\" /N \"a\r\nb\u2028c\rd\u2029e\" /S 2"_s},
      {"the start changed", u"/opt/vek /I \"My Files\" /N \"a\nb\nc\nd\ne\" /S 1"_s,
       u"/opt/vek /I \"My\u00A0Files\" /N \"a\r\nb\u2028c\rd\u2029e\" /S 1"_s},
      {"typed between the names", u"vek /I \"My Files\" /C /N \"a\nb\nc\nd\ne\" /S 1"_s,
       u"vek /I \"My\u00A0Files\" /C /N \"a\r\nb\u2028c\rd\u2029e\" /S 1"_s},
      {"a part removed", u"vek /I \"My Files\" /S 1"_s, u"vek /I \"My\u00A0Files\" /S 1"_s},
      {"right after CR LF", u"vek /I \"My Files\" /N \"a\nXb\nc\nd\ne\" /S 1"_s,
       u"vek /I \"My\u00A0Files\" /N \"a\r\nXb\u2028c\rd\u2029e\" /S 1"_s},
      {"a space typed beside the no-break space",
       u"vek /I \"My  Files\" /N \"a\nb\nc\nd\ne\" /S 1"_s,
       u"vek /I \"My\u00A0 Files\" /N \"a\r\nb\u2028c\rd\u2029e\" /S 1"_s},
      // What the person typed over is theirs, as typed.
      {"the no-break space typed over", u"vek /I \"My_Files\" /N \"a\nb\nc\nd\ne\" /S 1"_s,
       u"vek /I \"My_Files\" /N \"a\r\nb\u2028c\rd\u2029e\" /S 1"_s},
      {"everything replaced", u"x"_s, u"x"_s},
      {"emptied", QString(), QString()},
  };
  for (const auto& c : cases) EXPECT_EQ(line.withEdit(c.box), c.result) << c.name;
}

TEST(CommandBoxText, ATextThatDoesNotMatchTheLineIsTakenAsItIs) {
  // Not one for one: the edit cannot be placed, and the box's text is all there is.
  const CommandBoxText line(u"abc"_s, u"abcd"_s);
  EXPECT_EQ(line.withEdit(u"abcd"_s), u"abc"_s);
  EXPECT_EQ(line.withEdit(u"abXd"_s), u"abXd"_s);
}

}  // namespace
}  // namespace vek
