#include "core/list/ListTotals.h"

#include <QCoreApplication>
#include <QLocale>

namespace vek {

namespace {

QString grouped(qint64 number) {
  // Always "," between thousands, whatever the system's locale.
  static const QLocale locale = [] {
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::DefaultNumberOptions);
    return c;
  }();
  return locale.toString(number);
}

}  // namespace

QString byteCountText(qint64 bytes) {
  // English says "1 byte" but "2 bytes"; Japanese writes both alike.
  if (bytes == 1) return QCoreApplication::translate("ListTotals", "1 バイト");
  return QCoreApplication::translate("ListTotals", "%1 バイト").arg(grouped(bytes));
}

QString readableSizeText(qint64 bytes) {
  static const char* const units[] = {"KB", "MB", "GB", "TB", "PB"};
  if (bytes < 1024) return byteCountText(bytes);
  double value = double(bytes) / 1024;
  int unit = 0;
  while (value >= 1024 && unit + 1 < int(std::size(units))) {
    value /= 1024;
    ++unit;
  }
  return QString::number(value, 'f', 1) + u' ' + QLatin1String(units[unit]);
}

QString tickedTotalsCaption(qint64 files, qint64 bytes, bool withByteCount) {
  if (bytes < 1024 || !withByteCount) {
    return QCoreApplication::translate("ListTotals", "ﾁｪｯｸ済み：%1 ﾌｧｲﾙ　合計 %2")
        .arg(grouped(files), readableSizeText(bytes));
  }
  return QCoreApplication::translate("ListTotals", "ﾁｪｯｸ済み：%1 ﾌｧｲﾙ　合計 %2（%3）")
      .arg(grouped(files), readableSizeText(bytes), byteCountText(bytes));
}

}  // namespace vek
