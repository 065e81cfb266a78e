#include "core/dates/DateStamp.h"

#include <array>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <limits>

namespace vek {

DateStamp DateStamp::fromLocal(int year, int month, int day, int hour, int minute, int second) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 ||
      hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60)
    return {};
  if (second == 60) second = 59;
  DateStamp stamp;
  stamp.m_value =
      ((((qint64(year) * 100 + month) * 100 + day) * 100 + hour) * 100 + minute) * 100 + second;
  return stamp;
}

namespace {

std::atomic<int> zoneGeneration{0};

qint64 floorDivide(qint64 value, qint64 by) {
  return value / by - (value % by < 0 ? 1 : 0);
}

// Days since 1970-01-01 as a date of the proleptic Gregorian calendar.
void civilFromDays(qint64 days, int& year, int& month, int& day) {
  days += 719468;
  const qint64 era = floorDivide(days, 146097);
  const auto dayOfEra = unsigned(days - era * 146097);
  const unsigned yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;  // March is 0
  day = int(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  month = int(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  year = int(qint64(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0));
}

// The stamp of a local time counted in seconds from 1970-01-01 00:00:00 local time.
DateStamp stampOfLocalSeconds(qint64 local) {
  const qint64 days = floorDivide(local, 86400);
  const qint64 second = local - days * 86400;
  int year = 0;
  int month = 0;
  int day = 0;
  civilFromDays(days, year, month, day);
  return DateStamp::fromLocal(year, month, day, int(second / 3600), int(second / 60 % 60),
                              int(second % 60));
}

DateStamp stampOfLocalTime(const struct tm& local) {
  // localtime_r fails for years that do not fit its int; the rest is checked by fromLocal.
  if (local.tm_year > 9999 - 1900 || local.tm_year < 1 - 1900) return {};
  return DateStamp::fromLocal(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                              local.tm_min, local.tm_sec);
}

DateStamp systemConversion(time_t seconds) {
  struct tm local {};
  if (!localtime_r(&seconds, &local)) return {};
  return stampOfLocalTime(local);
}

// One hour of the local time zone: plain when every second of it is the same offset from
// UTC and adding that offset gives what the system's conversion gives (in a zone that counts
// leap seconds it does not).
struct ZoneHour {
  qint64 hour = std::numeric_limits<qint64>::min();
  int generation = -1;
  bool plain = false;
  long offset = 0;
};

ZoneHour examineHour(qint64 hour, int generation) {
  ZoneHour result;
  result.hour = hour;
  result.generation = generation;
  const auto first = time_t(hour * 3600);
  const time_t last = first + 3599;
  struct tm atFirst {};
  struct tm atLast {};
  if (!localtime_r(&first, &atFirst) || !localtime_r(&last, &atLast) ||
      atFirst.tm_gmtoff != atLast.tm_gmtoff)
    return result;
  const DateStamp firstStamp = stampOfLocalTime(atFirst);
  result.offset = atFirst.tm_gmtoff;
  result.plain = !firstStamp.isNull() &&
                 stampOfLocalSeconds(qint64(first) + result.offset) == firstStamp &&
                 stampOfLocalSeconds(qint64(last) + result.offset) == stampOfLocalTime(atLast);
  return result;
}

}  // namespace

DateStamp DateStamp::fromSeconds(qint64 secondsSinceEpoch) {
  const time_t seconds = time_t(secondsSinceEpoch);
  if (qint64(seconds) != secondsSinceEpoch) return {};
  // The system's conversion takes a process-wide lock and walks the zone's rules on every
  // call, and a scan converts three times per file on several threads. Times within one hour
  // share one look at the zone. (TZ=:/etc/localtime, set at start, keeps the look free of
  // file reads.) Beyond about the year 9000 the arithmetic is not tried.
  constexpr qint64 kPlainRange = 220'000'000'000LL;
  if (secondsSinceEpoch > -kPlainRange && secondsSinceEpoch < kPlainRange) {
    thread_local std::array<ZoneHour, 64> hours;
    const qint64 hour = floorDivide(secondsSinceEpoch, 3600);
    const int generation = zoneGeneration.load(std::memory_order_relaxed);
    ZoneHour& known = hours[std::size_t(hour & 63)];
    if (known.hour != hour || known.generation != generation) known = examineHour(hour, generation);
    if (known.plain) return stampOfLocalSeconds(secondsSinceEpoch + known.offset);
  }
  return systemConversion(seconds);
}

void DateStamp::zoneChanged() {
  zoneGeneration.fetch_add(1, std::memory_order_relaxed);
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

QDate DateStamp::date() const {
  return isNull() ? QDate() : QDate(year(), month(), day());
}

QTime DateStamp::time() const {
  return isNull() ? QTime() : QTime(hour(), minute(), second());
}

}  // namespace vek
