// A temporary folder tree for tests: files with given contents, folders, links.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace vek::test {

class TempTree {
 public:
  TempTree();
  // The tree's root folder, without a trailing separator.
  QString root() const { return m_dir.path(); }
  // root + "/" + relative
  QString path(const QString& relative) const;
  // Writes a file (creating its folders) and returns its full path.
  QString file(const QString& relative, const QByteArray& content = QByteArray());
  QString folder(const QString& relative);
  // A symbolic link at relative pointing at target (taken as given).
  QString link(const QString& relative, const QString& target);
  QByteArray read(const QString& relative) const;

 private:
  QTemporaryDir m_dir;
};

}  // namespace vek::test
