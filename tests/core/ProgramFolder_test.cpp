#include <QFileInfo>

#include <gtest/gtest.h>

#include "core/settings/ProgramFolder.h"
#include "support/TempTree.h"

using vek::ProgramFolder;

TEST(ProgramFolder, ChoosesChosenThenPortableThenUserFolder) {
  struct Case {
    const char* name;
    const char* vekHome;
    bool iniBesideExecutable;
    const char* xdgConfigHome;
    const char* expectedPath;
    ProgramFolder::Kind kind;
    const char* expectedWorking;
  };
  const Case cases[] = {
      {"VEK_HOME wins", "mine/vek home", true, "xdg", "mine/vek home/", ProgramFolder::Kind::Chosen,
       "mine/vek home/"},
      {"portable", "", true, "xdg", "bin/", ProgramFolder::Kind::Portable, "bin/"},
      {"XDG_CONFIG_HOME", "", false, "xdg", "xdg/vek/", ProgramFolder::Kind::User, "home/"},
      {"default config", "", false, "", "home/.config/vek/", ProgramFolder::Kind::User, "home/"},
      {"relative XDG ignored", "", false, "relative", "home/.config/vek/",
       ProgramFolder::Kind::User, "home/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    vek::test::TempTree tree;
    const QString root = tree.root() + u'/';
    tree.folder(QStringLiteral("bin"));
    tree.folder(QStringLiteral("home"));
    if (c.iniBesideExecutable) tree.file(QStringLiteral("bin/Vek.ini"), "[Main]\r\n");
    ProgramFolder::Inputs inputs;
    inputs.vekHome = *c.vekHome ? root + QString::fromUtf8(c.vekHome) : QString();
    inputs.executableFolder = root + u"bin";
    const QString xdg = QString::fromUtf8(c.xdgConfigHome);
    inputs.xdgConfigHome = xdg == u"relative" ? xdg : xdg.isEmpty() ? QString() : root + xdg;
    inputs.homeFolder = root + u"home";

    const ProgramFolder folder(inputs);
    EXPECT_EQ(folder.path().toStdString(),
              QString(root + QString::fromUtf8(c.expectedPath)).toStdString());
    EXPECT_EQ(folder.kind(), c.kind);
    EXPECT_TRUE(QFileInfo(folder.path()).isDir());
    EXPECT_TRUE(folder.createError().isEmpty());
    EXPECT_EQ(folder.defaultWorkingFolder().toStdString(),
              QString(root + QString::fromUtf8(c.expectedWorking)).toStdString());
    EXPECT_EQ(folder.filePath(QStringLiteral("Vek.ini")), folder.path() + u"Vek.ini");
  }
}

TEST(ProgramFolder, ReportsAFolderThatCannotBeCreated) {
  vek::test::TempTree tree;
  ProgramFolder::Inputs inputs;
  inputs.vekHome = tree.file(QStringLiteral("plain file")) + u"/vek";
  inputs.homeFolder = tree.root();
  EXPECT_FALSE(ProgramFolder(inputs).createError().isEmpty());
}
