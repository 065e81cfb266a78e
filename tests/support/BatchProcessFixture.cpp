#include "support/BatchProcessFixture.h"

#include <QDir>
#include <QFile>

#include "core/settings/IniFile.h"

namespace vek::test {
using namespace Qt::StringLiterals;

BatchProcessFixture::BatchProcessFixture()
    : home(tree.folder(u"home"_s)), source(tree.folder(u"in"_s)), output(tree.folder(u"out"_s)) {}

VekRunOptions BatchProcessFixture::options(bool unprivileged, const QStringList& alsoOpen) const {
  VekRunOptions result;
  result.home = home;
  result.workingFolder = tree.root();
  result.unprivileged = unprivileged;
  result.foldersToOpen = QStringList{tree.root(), home} + alsoOpen;
  return result;
}

VekRun BatchProcessFixture::run(const QStringList& arguments, bool unprivileged) const {
  return runVek(arguments, options(unprivileged));
}

QString BatchProcessFixture::setting(const QString& section, const QString& key) const {
  IniFile ini;
  EXPECT_TRUE(ini.load(home + u"/Vek.ini"_s)) << "no Vek.ini";
  return ini.value(section, key);
}

void BatchProcessFixture::writeSettings(const QByteArray& bytes) const {
  QFile file(home + u"/Vek.ini"_s);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QStringList BatchProcessFixture::csvLines(const QString& path) const {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {u"<missing "_s + path + u'>'};
  QStringList lines = QString::fromUtf8(file.readAll()).split(u"\r\n"_s);
  EXPECT_EQ(lines.takeLast(), QString());
  return lines;
}

QStringList BatchProcessFixture::entries(const QString& folder) const {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

}  // namespace vek::test
