#include "core/list/FileEntry.h"

#include <QCoreApplication>

namespace vek {

QString FileEntry::columnText(ListColumn column) const {
  switch (column) {
    case ListColumn::Name:
      return name;
    case ListColumn::Extension:
      return extension;
    case ListColumn::Folder:
      return folder;
    case ListColumn::Type:
      return type;
    case ListColumn::Size:
      return QString::number(size);
    case ListColumn::Created:
      return created.text();
    case ListColumn::Accessed:
      return accessed.text();
    case ListColumn::Modified:
      return modified.text();
    case ListColumn::DeliveryCheck:
      break;  // the list's: it needs the other names of the folder
    case ListColumn::State:
      return stateText();
  }
  return {};
}

QString FileEntry::stateText() const {
  QString why;
  switch (state) {
    case CompareState::Changed:
      why = detail ? compareChangesText(changes, *detail, size, modified)
                   : compareChangesText(changes);
      break;
    case CompareState::Moved:
      if (detail) why = QCoreApplication::translate("FileEntry", "元: %1").arg(detail->movedFrom);
      break;
    case CompareState::Unverified:
      if (detail) why = unverifiedText(detail->reason);
      break;
    default:
      break;
  }
  if (why.isEmpty()) return compareStateText(state);
  return QCoreApplication::translate("FileEntry", "%1（%2）").arg(compareStateText(state), why);
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

namespace vek {

QString FileEntry::relativePath() const {
  const qsizetype from =
      rootLength >= 0 && rootLength <= folder.size() ? rootLength : folder.size();
  return QStringView(folder).mid(from) + name + extension;
}

}  // namespace vek
