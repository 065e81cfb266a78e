#include "core/FileEntry.h"

namespace vek {

QString FileEntry::columnText(int column) const {
  switch (column) {
    case 0: return name;
    case 1: return extension;
    case 2: return folder;
    case 3: return type;
    case 4: return QString::number(size);
    case 5: return created.text();
    case 6: return accessed.text();
    case 7: return modified.text();
    default: return {};
  }
}

void FileEntry::splitName(const QString& fileName, QString& name, QString& extension) {
  const qsizetype dot = fileName.lastIndexOf(u'.');
  if (dot < 0) {
    name = fileName;
    extension.clear();
  } else {
    name = fileName.left(dot);
    extension = fileName.mid(dot);
  }
}

}  // namespace vek
