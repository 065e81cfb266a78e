#include "core/ListTotals.h"

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
  return grouped(bytes) + QStringLiteral(" バイト");
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

QString tickedTotalsCaption(qint64 files, qint64 bytes) {
  QString text =
      QStringLiteral("ﾁｪｯｸ済み：%1 ﾌｧｲﾙ　合計 %2").arg(grouped(files), readableSizeText(bytes));
  if (bytes >= 1024) text += QStringLiteral("（%1）").arg(byteCountText(bytes));
  return text;
}

}  // namespace vek
