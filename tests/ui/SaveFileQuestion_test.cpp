// The pieces of the window's save question that do not need a person: the filter the save
// dialog shows, the extension it adds, the question's text and the remembered folder.
#include "ui/SaveFileQuestion.h"

#include <gtest/gtest.h>

#include "support/QStringPrinter.h"

using namespace Qt::StringLiterals;

namespace vek {
namespace {

TEST(SaveFileQuestion, FiltersBecomeTheSaveDialogsNameFilterAndSuffix) {
  const struct {
    QString filter, nameFilter, suffix;
  } cases[] = {
      {u"CSVﾌｧｲﾙ|*.csv"_s, u"CSVﾌｧｲﾙ (*.csv)"_s, u"csv"_s},
      {u"ﾃｷｽﾄﾌｧｲﾙ|*.txt"_s, u"ﾃｷｽﾄﾌｧｲﾙ (*.txt)"_s, u"txt"_s},
      {u"HTMLﾄﾞｷｭﾒﾝﾄ|*.htm;*.html"_s, u"HTMLﾄﾞｷｭﾒﾝﾄ (*.htm *.html)"_s, u"htm"_s},
      {u"XMLﾌｧｲﾙ|*.xml"_s, u"XMLﾌｧｲﾙ (*.xml)"_s, u"xml"_s},
      {u"すべて|*.*"_s, u"すべて (*.*)"_s, QString()},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(nameFilterText(c.filter), c.nameFilter);
    EXPECT_EQ(defaultSuffix(c.filter), c.suffix);
  }
}

TEST(SaveFileQuestion, TheQuestionAndTheRememberedFolder) {
  EXPECT_EQ(saveConfirmationText(u"/home/a/list.csv"_s),
            u"ﾌｧｲﾙ名 /home/a/list.csv で保存します、よろしいですか?"_s);
  WindowState state;
  rememberSaveFile(state, u"/home/a b/list.csv"_s);
  EXPECT_EQ(state.saveInitialDir, u"/home/a b/"_s);
  EXPECT_EQ(state.saveFileName, u"/home/a b/list.csv"_s);
  rememberSaveFile(state, u"/list.csv"_s);
  EXPECT_EQ(state.saveInitialDir, u"/"_s);
}

}  // namespace
}  // namespace vek
