#include "core/CompareState.h"

#include <QCoreApplication>
#include <QStringList>

namespace vek {

QString compareStateText(CompareState state) {
  switch (state) {
    case CompareState::Same:
      return QCoreApplication::translate("CompareState", "同じ");
    case CompareState::Added:
      return QCoreApplication::translate("CompareState", "追加");
    case CompareState::Removed:
      return QCoreApplication::translate("CompareState", "削除");
    case CompareState::Changed:
      return QCoreApplication::translate("CompareState", "変更");
    case CompareState::None:
      break;
  }
  return {};
}

const char* compareStateWord(CompareState state) {
  switch (state) {
    case CompareState::Same:
      return "same";
    case CompareState::Added:
      return "added";
    case CompareState::Removed:
      return "removed";
    case CompareState::Changed:
      return "changed";
    case CompareState::None:
      break;
  }
  return "";
}

QString compareChangesText(quint8 changes) {
  QStringList parts;
  if (changes & kSizeChanged) parts += QCoreApplication::translate("CompareState", "サイズ");
  if (changes & kModifiedChanged) parts += QCoreApplication::translate("CompareState", "更新日付");
  if (changes & kHashChanged) parts += QCoreApplication::translate("CompareState", "ハッシュ");
  return parts.join(QCoreApplication::translate("CompareState", "・"));
}

QString compareChangesWords(quint8 changes) {
  QStringList parts;
  if (changes & kSizeChanged) parts += QStringLiteral("size");
  if (changes & kModifiedChanged) parts += QStringLiteral("modified");
  if (changes & kHashChanged) parts += QStringLiteral("hash");
  return parts.join(u',');
}

}  // namespace vek
