#include "batch/BatchRun.h"

#include <QDir>
#include <QFile>

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

// The output file is named after the start of the run, frozen here at the last minute of a year
// so that a test that read the clock itself could not pass by luck.
TEST(BatchRun, DefaultAndDateNamesComeFromTheStartOfTheRun) {
  const QDateTime start(QDate(2024, 12, 31), QTime(23, 59, 30));
  const struct {
    QStringList switches;
    QString name;
  } cases[] = {{{}, u"202412312359.csv"_s},
               {{u"/F"_s, u"DATE"_s}, u"202412312359.csv"_s},
               {{u"/F"_s, u"date"_s, u"YYYY"_s}, u"2024.csv"_s},
               {{u"/F"_s, u"DATE"_s, u"/T"_s, u"XML"_s}, u"202412312359.xml"_s}};
  for (const auto& c : cases) {
    test::TempTree tree;
    const QString home = tree.folder(u"home"_s);
    const QString out = tree.folder(u"out"_s);
    tree.file(u"in/a.txt"_s, "a");
    test::RecordingInteraction person;
    BatchRun run(home, home + u'/', person, start);
    run.loadSettings();
    run.loadPresets();
    EXPECT_EQ(run.runBatch(QStringList{u"/I"_s, tree.path(u"in"_s), u"/O"_s, out} + c.switches),
              ExitCode::Success);
    EXPECT_EQ(QDir(out).entryList(QDir::Files), QStringList{c.name})
        << c.switches.join(u' ').toStdString();
  }
}

// A batch run opens nothing, even with ListOpen set and an opener at hand (the window's).
TEST(BatchRun, NothingIsOpenedAfterWriting) {
  test::TempTree tree;
  const QString home = tree.folder(u"home"_s);
  tree.file(u"home/Vek.ini"_s, "[Option]\r\nListOpen=1\r\n");
  tree.file(u"in/a.txt"_s, "a");
  test::RecordingInteraction person;
  BatchRun run(home, home + u'/', person);
  QStringList opened;
  run.session().setOpener([&opened](const QString& path) { opened.append(path); });
  run.loadSettings();
  run.loadPresets();
  ASSERT_EQ(run.settings().option.listOpen, 1);
  EXPECT_EQ(run.runBatch(
                {u"/I"_s, tree.path(u"in"_s), u"/O"_s, tree.path(u"home"_s), u"/F"_s, u"list"_s}),
            ExitCode::Success);
  EXPECT_TRUE(QFile::exists(tree.path(u"home/list.csv"_s)));
  EXPECT_EQ(opened, QStringList());
}

}  // namespace
}  // namespace vek
