// The adds with the walk on its own thread give what the walk on the caller's thread gives: the
// same rows in the same order, a progress window text for each folder of the file phase, the
// outcome; and a cancel ends the add at once.
#include "gather/BackgroundAdd.h"

#include <functional>
#include <thread>
#include <utility>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <gtest/gtest.h>

#include "core/list/FileList.h"
#include "core/messages/MessageCatalogue.h"
#include "core/settings/Settings.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"

namespace vek {
namespace {

using test::RecordingInteraction;
using test::TempTree;

struct Side {
  explicit Side(const QString& filter) {
    gatherer.setFilter(filter);
    gatherer.setBatchFiles(2);  // several batches per folder
  }
  FileList list;
  RecordingInteraction interaction;
  Settings settings;
  Gatherer gatherer{list, interaction, settings};

  QStringList paths() const {
    QStringList paths;
    for (const FileEntry& row : list.rows()) paths.append(row.fullPath());
    return paths;
  }
  // The progress entries of the file phase.
  QStringList filePhase() const {
    QStringList texts;
    for (const auto& p : interaction.progress) {
      if (p.caption == MessageCatalogue::fileSearchCaption()) texts.append(p.detail);
    }
    return texts;
  }
};

// The same walk with one reader on this thread, its batches applied as they come, then the
// list's sorting switched on as an add ends: the rows an add must give. The folders in its table.
qint64 walkHere(Side& side, const QString& folder) {
  side.list.setSortingEnabled(false);
  FolderScanner scanner(side.gatherer.wildcardFilter(), 1, side.gatherer.walkRules());
  std::vector<FolderScanner::FolderEntry> table;
  scanner.searchSubfolders(folder + u'/', table);
  const auto folders = qint64(table.size());
  scanner.readFiles(table, 0, [&](FolderScanner::Batch&& batch) {
    side.gatherer.applyBatch(std::move(batch));
    return true;
  });
  side.list.setSortingEnabled(true);
  return folders;
}

void runToEnd(BackgroundAdd& add) {
  if (!add.running()) return;
  QEventLoop loop;
  QObject::connect(&add, &BackgroundAdd::finished, &loop, &QEventLoop::quit);
  loop.exec();
}

TEST(BackgroundAddTest, SubtreeAndFolderAddsMatchTheWalkOnTheCallersThread) {
  TempTree tree;
  for (const char* name : {"a.txt", "b.log", "x/c.txt", "x/y/d.txt", "x/y/e.txt", "x/y/f.txt",
                           "z/g.txt", "z/ h, \"i\".txt", "z/写真.txt", "w/only.log"}) {
    tree.file(QString::fromUtf8(name));
  }
  const QString filter = QStringLiteral("*.txt");

  Side same(filter);
  const qint64 folders = walkHere(same, tree.root());
  QStringList filePhase{MessageCatalogue::progressDetail(0, folders)};
  for (qint64 k = 0; k < folders; ++k)
    filePhase.append(MessageCatalogue::progressDetail(k, folders));
  Side beside(filter);
  BackgroundAdd add(beside.gatherer, beside.list, beside.interaction, beside.settings);
  add.startSubtree(tree.root());
  runToEnd(add);
  EXPECT_EQ(add.result().outcome, AddOutcome::Done);
  EXPECT_EQ(add.result().added, 8);
  EXPECT_EQ(beside.paths(), same.paths());
  EXPECT_EQ(beside.filePhase(), filePhase);
  EXPECT_FALSE(beside.interaction.progressOpen);
  EXPECT_TRUE(beside.list.isSortingEnabled());

  add.startCurrentFolder(tree.path(QStringLiteral("x/y")));
  runToEnd(add);
  EXPECT_EQ(add.result().added, 3);
  EXPECT_EQ(beside.settings.history[0], tree.path(QStringLiteral("x/y")));
  // A folder that lists nothing leaves the history alone.
  add.startCurrentFolder(tree.path(QStringLiteral("w")));
  runToEnd(add);
  EXPECT_EQ(add.result().outcome, AddOutcome::NothingListed);
  EXPECT_EQ(beside.settings.history[0], tree.path(QStringLiteral("x/y")));
}

TEST(BackgroundAddTest, DeliveryNotesMadeByTheWalkAreThoseOfTheList) {
  // The window's list keeps the delivery check; its rows' own parts come made from the walk.
  TempTree tree;
  const QString deep = QString(120, QLatin1Char('d')) + QLatin1Char('/') +
                       QString(120, QLatin1Char('e')) + QLatin1Char('/') + QString(40, u'長');
  for (const QString& name : {u"CON.txt"_qs, u"a.TXT"_qs, u"A.txt"_qs, u"x/ok.txt"_qs,
                              u"x/trailing .txt"_qs, u"x/q?.txt"_qs, u"x/é.txt"_qs,
                              u"x/Thumbs.db"_qs, u"x/😀.txt"_qs, QString(deep + u".txt"_qs)}) {
    tree.file(name);
  }
  for (const bool overLap : {false, true}) {
    Side same(QStringLiteral("*.*"));
    Side beside(QStringLiteral("*.*"));
    same.settings.option.overLap = overLap;
    beside.settings.option.overLap = overLap;
    same.list.notedCount();  // the window builds the check before its first add
    beside.list.notedCount();
    BackgroundAdd add(beside.gatherer, beside.list, beside.interaction, beside.settings);
    // Twice, with new names the second time: with overLap the second add keeps only those.
    for (int round = 0; round < 2; ++round) {
      if (round == 1) {
        for (const char* name : {"x/Case%1.txt", "x/CASE%1.txt", "b%1.txt"})
          tree.file(QString::fromLatin1(name).arg(int(overLap)));
      }
      walkHere(same, tree.root());
      add.startSubtree(tree.root());
      runToEnd(add);
    }
    ASSERT_EQ(beside.paths(), same.paths());
    ASSERT_EQ(beside.list.count(), overLap ? 16 : 23);
    for (qint64 r = 0; r < same.list.count(); ++r) {
      EXPECT_EQ(deliveryNote(beside.list.deliveryProblems(r)),
                deliveryNote(same.list.deliveryProblems(r)))
          << beside.paths()[int(r)].toStdString();
    }
    EXPECT_EQ(beside.list.notedCount(), same.list.notedCount());
    EXPECT_GT(same.list.notedCount(), 0);
  }
}

TEST(BackgroundAddTest, CancelEndsTheAddAtOnceKeepingItsRows) {
  TempTree tree;
  for (int i = 0; i < 50; ++i) tree.file(QStringLiteral("d%1/f.txt").arg(i));
  Side side(QStringLiteral("*.*"));
  BackgroundAdd add(side.gatherer, side.list, side.interaction, side.settings);
  bool finished = false;
  QObject::connect(&add, &BackgroundAdd::finished, [&] { finished = true; });
  add.startSubtree(tree.root());
  ASSERT_TRUE(add.running());
  add.cancel();
  EXPECT_TRUE(finished);
  EXPECT_FALSE(add.running());
  EXPECT_EQ(add.result().outcome, AddOutcome::Cancelled);
  EXPECT_FALSE(side.interaction.progressOpen);
  // What the abandoned walk still finds never reaches the list.
  const qint64 rows = side.list.count();
  EXPECT_TRUE(add.waitForWalk(std::chrono::seconds(10)));
  QCoreApplication::processEvents();
  EXPECT_EQ(side.list.count(), rows);
}

TEST(BackgroundAddTest, TheEndPlacesRowsInAnOrderFoundAsideAndNeverMisorders) {
  TempTree tree;
  for (const char* name : {"m/k.txt", "b/z.txt", "b/a.txt", "q/r/c.txt", "q/n.txt", "e.txt",
                           "q/r/写真.txt", "x/ g, \"h\".txt", "x/y.txt", "d/10.txt", "d/9.txt"}) {
    tree.file(QString::fromUtf8(name));
  }
  const QString filter = QStringLiteral("*.txt");
  Side same(filter);
  walkHere(same, tree.root());
  Side clicked(filter);  // the rows as a click on the name header after the add leaves them
  walkHere(clicked, tree.root());
  clicked.list.columnClicked(ListColumn::Name);
  ASSERT_NE(clicked.paths(), same.paths());

  // While the order is found, the list is cleared, re-sorted by a click on the name or the
  // size header (which the next add ends by undoing), or left alone.
  const struct {
    const char* what;
    std::function<void(FileList&)> meanwhile;
    QStringList expected;
    int orders;  // found aside for the end
  } cases[] = {
      {"left alone", [](FileList&) {}, same.paths(), 1},
      {"cleared", [](FileList& list) { list.clear(); }, {}, 1},
      {"name header", [](FileList& list) { list.columnClicked(ListColumn::Name); }, clicked.paths(),
       1},
      {"size header", [](FileList& list) { list.columnClicked(ListColumn::Size); }, same.paths(),
       2},
  };
  for (const auto& c : cases) {
    Side side(filter);
    BackgroundAdd add(side.gatherer, side.list, side.interaction, side.settings);
    add.setRowsSortedAside(1);
    std::function<void()> job;
    add.setRunAside([&](std::function<void()> next) {
      job = std::move(next);
      return true;
    });
    bool finished = false;
    QObject::connect(&add, &BackgroundAdd::finished, [&] { finished = true; });
    add.startSubtree(tree.root());
    QElapsedTimer waited;
    waited.start();
    while (!job && waited.elapsed() < 10000) QCoreApplication::processEvents();
    ASSERT_TRUE(job) << c.what << ": the end sorted the rows on the window's thread";
    // The walk and its progress window are over; the rows wait for their order.
    EXPECT_FALSE(finished) << c.what;
    EXPECT_TRUE(add.running()) << c.what;
    EXPECT_TRUE(add.ordering()) << c.what;
    EXPECT_FALSE(side.interaction.progressOpen) << c.what;
    EXPECT_FALSE(side.list.isSortingEnabled()) << c.what;
    EXPECT_EQ(side.list.count(), same.list.count()) << c.what;
    add.cancel();  // too late to stop anything: the rows are all there
    EXPECT_FALSE(finished) << c.what;
    c.meanwhile(side.list);
    int orders = 0;
    while (!finished && waited.elapsed() < 10000) {
      if (job) {
        std::thread aside(std::exchange(job, nullptr));
        aside.join();
        ++orders;
      }
      QCoreApplication::processEvents();
    }
    ASSERT_TRUE(finished) << c.what;
    EXPECT_EQ(orders, c.orders) << c.what;
    EXPECT_FALSE(add.running()) << c.what;
    EXPECT_EQ(add.result().outcome, AddOutcome::Done) << c.what;
    EXPECT_TRUE(side.list.isSortingEnabled()) << c.what;
    EXPECT_EQ(side.paths(), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace vek
