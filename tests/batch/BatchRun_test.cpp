#include "batch/BatchRun.h"

#include <QDir>

#include <gtest/gtest.h>

#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

TEST(BatchRun, DecliningTheRootScanWritesNothing) {
  test::TempTree tree;
  const QString home = tree.folder(u"home"_s);
  const QString out = tree.folder(u"out"_s);
  test::RecordingInteraction person;
  person.nextAnswer = false;
  BatchRun run(home, home + u'/', person);
  run.loadSettings();
  run.loadPresets();
  const ExitCode code = run.runBatch({u"/I"_s, u"/"_s, u"/C"_s, u"/E"_s, u"*"_s, u"/O"_s, out});
  EXPECT_EQ(code, ExitCode::Declined);
  ASSERT_EQ(person.questions.size(), 1u);
  EXPECT_TRUE(person.questions[0].text.endsWith(u"検索を開始しますか？"_s));
  EXPECT_TRUE(run.list().isEmpty());
  EXPECT_TRUE(QDir(out).isEmpty());
  EXPECT_TRUE(run.session().batchMode());
  // No file was chosen, so the settings keep the fallback output folder.
  EXPECT_EQ(run.windowState().saveFileName, QString());
}

TEST(BatchRun, RefusedCommandLineIsShownAndGathersNothing) {
  test::TempTree tree;
  const QString home = tree.folder(u"home"_s);
  tree.file(u"in/a.txt"_s, "a");
  test::RecordingInteraction person;
  BatchRun run(home, home + u'/', person);
  run.loadSettings();
  run.loadPresets();
  EXPECT_EQ(run.runBatch({u"/I"_s, tree.path(u"in"_s), u"/T"_s, u"PDF"_s}),
            ExitCode::BadCommandLine);
  ASSERT_EQ(person.messages.size(), 1u);
  EXPECT_EQ(person.messages[0].title, u"警告"_s);
  EXPECT_TRUE(run.list().isEmpty());
}

}  // namespace
}  // namespace vek
