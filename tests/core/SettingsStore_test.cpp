// The keeper of Vek.ini: what the read at start came to, the write at the end it allows, and
// one message per failure.
#include <sys/stat.h>

#include <functional>

#include <QFile>

#include <gtest/gtest.h>

#include "core/settings/SettingsStore.h"
#include "support/QStringPrinter.h"
#include "support/RecordingInteraction.h"
#include "support/TempTree.h"

namespace vek {
namespace {

using Outcome = SettingsStore::Outcome;

WindowState screenState() {
  WindowState window;
  window.screenWidth = 28800;
  window.screenHeight = 16200;
  return window;
}

TEST(SettingsStore, EachOutcomeDecidesTheWriteAndIsToldOnce) {
  struct Case {
    const char* name;
    std::function<QString(test::TempTree&)> prepare;  // returns the path of Vek.ini
    Outcome outcome;
    bool written;  // whether the save at the end wrote the file
  };
  const Case cases[] = {
      {"a readable file",
       [](test::TempTree& t) {
         return t.file(QStringLiteral("Vek.ini"), "[Option]\r\nOverLap=1\r\n");
       },
       Outcome::Read, true},
      {"no file", [](test::TempTree& t) { return t.path(QStringLiteral("Vek.ini")); },
       Outcome::Created, true},
      {"not a regular file",
       [](test::TempTree& t) {
         const QString path = t.path(QStringLiteral("Vek.ini"));
         ::mkfifo(QFile::encodeName(path).constData(), 0600);
         return path;
       },
       Outcome::NotRead, false},
      {"a folder that does not exist",
       [](test::TempTree& t) { return t.path(QStringLiteral("none/Vek.ini")); },
       Outcome::NotCreated, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempTree tree;
    const QString path = c.prepare(tree);
    test::RecordingInteraction interaction;
    SettingsStore store(path, interaction);
    EXPECT_EQ(store.outcome(), Outcome::NotLoaded);
    Settings settings;
    WindowState window = screenState();
    const QString folder = tree.root() + u'/';
    const bool readOrCreated = c.outcome == Outcome::Read || c.outcome == Outcome::Created;
    EXPECT_EQ(store.load(settings, window, folder), readOrCreated);
    EXPECT_EQ(store.outcome(), c.outcome);
    EXPECT_EQ(store.mayWrite(), c.written);
    EXPECT_EQ(interaction.messages.size(), readOrCreated ? 0u : 1u);
    if (!interaction.messages.empty()) {
      EXPECT_EQ(interaction.messages[0].title, QStringLiteral("警告"));
      EXPECT_TRUE(interaction.messages[0].text.startsWith(
          QStringLiteral("設定ファイルを読み書きできません。\r\n")));
      EXPECT_TRUE(interaction.messages[0].text.contains(path));
    }
    settings.option.listOpen = 1;
    EXPECT_EQ(store.save(settings, window, folder), c.written);
    EXPECT_EQ(interaction.messages.size(), readOrCreated ? 0u : 1u);  // not a second time
    if (c.written) {
      Settings again;
      WindowState w = screenState();
      SettingsStore reader(path, interaction);
      ASSERT_TRUE(reader.load(again, w, folder));
      EXPECT_EQ(again.option.listOpen, 1);
    }
  }
}

TEST(SettingsStore, AFailedWriteIsToldOnce) {
  test::TempTree tree;
  const QString path = tree.file(QStringLiteral("Vek.ini"), "[Option]\r\nOverLap=1\r\n");
  test::RecordingInteraction interaction;
  SettingsStore store(path, interaction);
  Settings settings;
  WindowState window = screenState();
  ASSERT_TRUE(store.load(settings, window, tree.root() + u'/'));
  // A folder took the file's place during the run: it can be neither read nor replaced.
  QFile::remove(path);
  tree.folder(QStringLiteral("Vek.ini"));
  EXPECT_FALSE(store.save(settings, window, tree.root() + u'/'));
  EXPECT_FALSE(store.save(settings, window, tree.root() + u'/'));
  ASSERT_EQ(interaction.messages.size(), 1u);
  EXPECT_TRUE(interaction.messages[0].text.contains(path));
}

}  // namespace
}  // namespace vek
