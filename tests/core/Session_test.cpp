#include "core/settings/Session.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace vek {
namespace {
using namespace Qt::StringLiterals;

// A session whose save question answers with `answer` (nothing: the person cancelled) and
// whose opener records what it opened.
struct RecordingSession {
  explicit RecordingSession(std::optional<QString> answer) {
    session.setSaveQuestion([this, answer](const QString& filter) {
      asked.append(filter);
      return answer;
    });
    session.setOpener([this](const QString& path) { opened.append(path); });
  }
  Session session;
  QStringList asked;
  QStringList opened;
};

TEST(Session, TheWindowWritesWhereThePersonChoseAndOpensTheFile) {
  RecordingSession recording(u"/chosen.csv"_s);
  EXPECT_EQ(recording.session.confirmSave(u"CSVﾌｧｲﾙ|*.csv"_s, u"/run.csv"_s), u"/chosen.csv"_s);
  EXPECT_EQ(recording.asked, QStringList{u"CSVﾌｧｲﾙ|*.csv"_s});
  recording.session.openWithAssociatedApp(u"/chosen.csv"_s);
  EXPECT_EQ(recording.opened, QStringList{u"/chosen.csv"_s});
}

TEST(Session, ACancelledQuestionOrNoWayToAskWritesNothing) {
  RecordingSession cancelled(std::nullopt);
  EXPECT_EQ(cancelled.session.confirmSave(u"x"_s), std::nullopt);
  EXPECT_EQ(cancelled.asked.size(), 1);

  const Session bare;
  EXPECT_EQ(bare.confirmSave(u"x"_s, u"/run.csv"_s), std::nullopt);
  bare.openWithAssociatedApp(u"/run.csv"_s);  // nothing to open with: no crash
}

TEST(Session, ABatchRunGoesOnAtOnceWithItsOwnPathAndOpensNothing) {
  RecordingSession recording(u"/chosen.csv"_s);
  recording.session.setBatchMode();
  EXPECT_EQ(recording.session.confirmSave(u"CSVﾌｧｲﾙ|*.csv"_s, u"/run.csv"_s), u"/run.csv"_s);
  recording.session.openWithAssociatedApp(u"/run.csv"_s);
  EXPECT_TRUE(recording.asked.isEmpty());
  EXPECT_TRUE(recording.opened.isEmpty());
}

}  // namespace
}  // namespace vek
