#include "core/DateStamp.h"

#include <cstdio>
#include <ctime>

namespace vek {

DateStamp DateStamp::fromLocal(int year, int month, int day, int hour, int minute, int second) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 ||
      hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60)
    return {};
  if (second == 60) second = 59;
  DateStamp stamp;
  stamp.m_value = ((((qint64(year) * 100 + month) * 100 + day) * 100 + hour) * 100 + minute) * 100 +
                  second;
  return stamp;
}

DateStamp DateStamp::fromSeconds(qint64 secondsSinceEpoch) {
  const time_t seconds = time_t(secondsSinceEpoch);
  if (qint64(seconds) != secondsSinceEpoch) return {};
  // TZ=:/etc/localtime (set at start) keeps this free of file reads. localtime_r fails for
  // years that do not fit its int; the rest is checked by fromLocal.
  struct tm local {};
  if (!localtime_r(&seconds, &local)) return {};
  if (local.tm_year > 9999 - 1900 || local.tm_year < 1 - 1900) return {};
  return fromLocal(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                   local.tm_min, local.tm_sec);
}

DateStamp DateStamp::fromDateTime(const QDateTime& dateTime) {
  if (!dateTime.isValid()) return {};
  const QDateTime local = dateTime.toLocalTime();
  const QDate d = local.date();
  const QTime t = local.time();
  return fromLocal(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

DateStamp DateStamp::fromText(QStringView text) {
  // YYYY/MM/DD HH:MM:SS naming a real day and time. Read without building a QDate and QTime:
  // the writers may read every date of a list through here.
  if (text.size() != 19) return {};
  static constexpr char shape[] = "0000/00/00 00:00:00";
  int parts[6] = {};
  int part = 0;
  for (int i = 0; i < 19; ++i) {
    const char16_t c = text[i].unicode();
    if (shape[i] != '0') {
      if (c != char16_t(shape[i])) return {};
      ++part;
    } else if (c >= u'0' && c <= u'9') {
      parts[part] = parts[part] * 10 + (c - u'0');
    } else {
      return {};
    }
  }
  const auto [year, month, day, hour, minute, second] = parts;
  static constexpr int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  if (year == 0 || month < 1 || month > 12 || day < 1) return {};
  if (day > monthDays[month - 1] + (month == 2 && leap ? 1 : 0)) return {};
  if (hour > 23 || minute > 59 || second > 59) return {};
  return fromLocal(year, month, day, hour, minute, second);
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
