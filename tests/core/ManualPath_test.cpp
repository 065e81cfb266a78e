#include <QDate>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include "core/settings/ManualPath.h"
#include "core/settings/ProgramVersion.h"
#include "support/QStringPrinter.h"
#include "support/TempTree.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

// The manual found with these files in a tree of the program folder "prog", the executable's
// folder "bin" and the data folder below "share": its path below the tree, or empty (any other
// form of the path is returned whole, so that it matches no expected one).
QString manualFound(const QStringList& files, InterfaceLanguage language) {
  test::TempTree tree;
  tree.folder(u"prog"_s);
  tree.folder(u"bin"_s);
  for (const QString& file : files) tree.file(file, "<html></html>");
  const QString found = manualPath(tree.path(u"prog"_s), tree.path(u"bin"_s), language);
  const QString root = tree.root() + u'/';
  return found.startsWith(root) ? found.sliced(root.size()) : found;
}

TEST(ManualPath, PrefersTheProgramFolderThenBesideTheProgramThenTheDataFolder) {
  const struct {
    const char* name;
    QStringList files;
    QString expected;  // relative to the tree; empty: no manual
  } cases[] = {
      {"portable",
       {u"prog/readme.htm"_s, u"bin/readme.htm"_s, u"share/vek/readme.htm"_s},
       u"prog/readme.htm"_s},
      {"beside the executable",
       {u"bin/readme.htm"_s, u"share/vek/readme.htm"_s},
       u"bin/readme.htm"_s},
      {"installed", {u"share/vek/readme.htm"_s}, u"share/vek/readme.htm"_s},
      {"a folder of that name is no manual", {u"prog/readme.htm/x"_s}, QString()},
      {"missing", {}, QString()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(manualFound(c.files, InterfaceLanguage::Japanese), c.expected);
  }
}

TEST(ManualPath, InEnglishEachFolderOffersItsEnglishManualFirst) {
  const struct {
    const char* name;
    QStringList files;
    InterfaceLanguage language;
    QString expected;
  } cases[] = {
      {"English beside Japanese",
       {u"share/vek/readme.htm"_s, u"share/vek/readme-en.htm"_s},
       InterfaceLanguage::English,
       u"share/vek/readme-en.htm"_s},
      {"Japanese beside English",
       {u"share/vek/readme.htm"_s, u"share/vek/readme-en.htm"_s},
       InterfaceLanguage::Japanese,
       u"share/vek/readme.htm"_s},
      {"a portable Japanese manual before an installed English one",
       {u"prog/readme.htm"_s, u"share/vek/readme-en.htm"_s},
       InterfaceLanguage::English,
       u"prog/readme.htm"_s},
      {"only the English manual, in Japanese",
       {u"bin/readme-en.htm"_s},
       InterfaceLanguage::Japanese,
       QString()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(manualFound(c.files, c.language), c.expected);
  }
}

TEST(ProgramVersion, ReleaseDateIsARealDateInSlashForm) {
  EXPECT_TRUE(QDate::fromString(releaseDate(), u"yyyy/MM/dd"_s).isValid())
      << releaseDate().toStdString();
  EXPECT_TRUE(QRegularExpression(u"^\\d+\\.\\d+\\.\\d+$"_s).match(programVersion()).hasMatch());
  EXPECT_EQ(versionLine(), u"vek "_s + programVersion() + u" ("_s + releaseDate() + u')');
}

}  // namespace
}  // namespace vek
