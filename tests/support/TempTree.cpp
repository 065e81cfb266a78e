#include "support/TempTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace vek::test {

TempTree::TempTree() {
  EXPECT_TRUE(m_dir.isValid());
}

QString TempTree::path(const QString& relative) const {
  return relative.isEmpty() ? root() : root() + u'/' + relative;
}

QString TempTree::file(const QString& relative, const QByteArray& content) {
  const QString full = path(relative);
  QDir().mkpath(QFileInfo(full).absolutePath());
  QFile f(full);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << full.toStdString();
  f.write(content);
  return full;
}

QString TempTree::folder(const QString& relative) {
  const QString full = path(relative);
  EXPECT_TRUE(QDir().mkpath(full));
  return full;
}

QString TempTree::link(const QString& relative, const QString& target) {
  const QString full = path(relative);
  QDir().mkpath(QFileInfo(full).absolutePath());
  EXPECT_TRUE(QFile::link(target, full)) << full.toStdString();
  return full;
}

QByteArray TempTree::read(const QString& relative) const {
  QFile f(path(relative));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

}  // namespace vek::test
