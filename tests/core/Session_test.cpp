#include "core/Session.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace vek {
namespace {
using namespace Qt::StringLiterals;

TEST(Session, BatchModeAsksNothingAndOpensNothing) {
  Session session;
  int asked = 0;
  QStringList opened;
  session.setSaveQuestion([&](const QString&, QString& path) {
    ++asked;
    path = u"/chosen.csv"_s;
    return false;
  });
  session.setOpener([&](const QString& path) { opened.append(path); });

  // The window: the question decides and may change the path; the file is opened.
  QString path = u"/run.csv"_s;
  EXPECT_FALSE(session.confirmSave(u"CSVﾌｧｲﾙ|*.csv"_s, path));
  EXPECT_EQ(path, u"/chosen.csv"_s);
  session.openWithAssociatedApp(path);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(opened.size(), 1);

  // A batch run: go on at once with the run's own path; nothing is opened.
  session.setBatchMode();
  path = u"/run.csv"_s;
  EXPECT_FALSE(session.confirmSave(u"CSVﾌｧｲﾙ|*.csv"_s, path));
  EXPECT_EQ(path, u"/run.csv"_s);
  session.openWithAssociatedApp(path);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(opened.size(), 1);

  // Without a way to ask, the window cannot confirm: the writer stops.
  Session bare;
  EXPECT_TRUE(bare.confirmSave(u"x"_s, path));
}

}  // namespace
}  // namespace vek
