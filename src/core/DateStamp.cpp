#include "core/DateStamp.h"

#include <cstdio>

namespace vek {

DateStamp DateStamp::fromLocal(int year, int month, int day, int hour, int minute, int second) {
  DateStamp stamp;
  stamp.m_value = ((((qint64(year) * 100 + month) * 100 + day) * 100 + hour) * 100 + minute) * 100 +
                  second;
  return stamp;
}

DateStamp DateStamp::fromDateTime(const QDateTime& dateTime) {
  if (!dateTime.isValid()) return {};
  const QDateTime local = dateTime.toLocalTime();
  const QDate d = local.date();
  const QTime t = local.time();
  return fromLocal(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

DateStamp DateStamp::fromText(QStringView text) {
  // YYYY/MM/DD HH:MM:SS
  if (text.size() != 19) return {};
  static constexpr char shape[] = "0000/00/00 00:00:00";
  for (int i = 0; i < 19; ++i) {
    const QChar c = text[i];
    if (shape[i] == '0' ? !(c >= u'0' && c <= u'9') : c != QLatin1Char(shape[i])) return {};
  }
  auto number = [&](int from, int length) { return text.mid(from, length).toInt(); };
  const QDate date(number(0, 4), number(5, 2), number(8, 2));
  const QTime time(number(11, 2), number(14, 2), number(17, 2));
  if (!date.isValid() || !time.isValid()) return {};
  return fromLocal(date.year(), date.month(), date.day(), time.hour(), time.minute(),
                   time.second());
}

QString DateStamp::text() const {
  if (isNull()) return {};
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d:%02d", year(), month(), day(),
                hour(), minute(), second());
  return QString::fromLatin1(buffer);
}

QDate DateStamp::date() const { return isNull() ? QDate() : QDate(year(), month(), day()); }

QTime DateStamp::time() const { return isNull() ? QTime() : QTime(hour(), minute(), second()); }

}  // namespace vek
