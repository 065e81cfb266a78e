#include "core/list/CompareState.h"

#include <QCoreApplication>
#include <QStringList>

#include "core/dates/IsoDateTime.h"

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
    case CompareState::Moved:
      return QCoreApplication::translate("CompareState", "移動");
    case CompareState::Unverified:
      return QCoreApplication::translate("CompareState", "未確認");
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
    case CompareState::Moved:
      return "moved";
    case CompareState::Unverified:
      return "unverified";
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

namespace {

QString beforeAndNow(const QString& what, const QString& before, const QString& now) {
  return what + u' ' + before + u" → " + now;
}

}  // namespace

QString compareChangesText(quint8 changes, const CompareDetail& detail, qint64 sizeNow,
                           const DateStamp& modifiedNow) {
  QStringList parts;
  if (changes & kSizeChanged) {
    parts += beforeAndNow(QCoreApplication::translate("CompareState", "サイズ"),
                          QString::number(detail.sizeBefore), QString::number(sizeNow));
  }
  if (changes & kModifiedChanged) {
    parts += beforeAndNow(QCoreApplication::translate("CompareState", "更新日付"),
                          detail.modifiedBefore.text(), modifiedNow.text());
  }
  if (changes & kHashChanged) {
    parts +=
        beforeAndNow(QCoreApplication::translate("CompareState", "ハッシュ"),
                     QString::fromLatin1(detail.hashBefore), QString::fromLatin1(detail.hashNow));
  }
  return parts.join(QCoreApplication::translate("CompareState", "・"));
}

QString compareChangesWords(quint8 changes, const CompareDetail& detail, qint64 sizeNow,
                            const DateStamp& modifiedNow) {
  QStringList parts;
  if (changes & kSizeChanged) {
    parts += beforeAndNow(QStringLiteral("size"), QString::number(detail.sizeBefore),
                          QString::number(sizeNow));
  }
  if (changes & kModifiedChanged) {
    IsoDateTime iso;
    parts += beforeAndNow(QStringLiteral("modified"),
                          QString::fromLatin1(iso.format(detail.modifiedBefore)),
                          QString::fromLatin1(iso.format(modifiedNow)));
  }
  if (changes & kHashChanged) {
    parts += beforeAndNow(QStringLiteral("hash"), QString::fromLatin1(detail.hashBefore),
                          QString::fromLatin1(detail.hashNow));
  }
  return parts.join(u", ");
}

QString unverifiedText(UnverifiedReason reason) {
  switch (reason) {
    case UnverifiedReason::NotRead:
      return QCoreApplication::translate("CompareState", "読み取れません");
    case UnverifiedReason::NoDigestBefore:
      return QCoreApplication::translate("CompareState",
                                         "保存されたリストにハッシュ値がありません");
    case UnverifiedReason::NoDigestNow:
      return QCoreApplication::translate("CompareState", "ハッシュ値を計算できません");
  }
  return {};
}

const char* unverifiedWords(UnverifiedReason reason) {
  switch (reason) {
    case UnverifiedReason::NotRead:
      return "unreadable";
    case UnverifiedReason::NoDigestBefore:
      return "no digest saved";
    case UnverifiedReason::NoDigestNow:
      return "not hashed";
  }
  return "";
}

}  // namespace vek
