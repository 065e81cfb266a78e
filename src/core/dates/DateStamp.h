// A local date-time to the second, held as the number YYYYMMDDhhmmss so that it is small,
// orders like the list's fixed text form "YYYY/MM/DD HH:MM:SS", and formats without a time
// zone lookup. A missing time (an access time the file system does not keep) is null, and so is
// a time outside the years 1 to 9999, which the fixed form cannot show.
#pragma once

#include <QDateTime>
#include <QString>

namespace vek {

class DateStamp {
 public:
  DateStamp() = default;
  // Null when a field is out of range or the year is outside 1..9999. A leap second (60, in a
  // time zone that counts them) becomes second 59.
  static DateStamp fromLocal(int year, int month, int day, int hour, int minute, int second);
  // A file-system time: seconds since 1970-01-01 00:00:00 UTC, in local time. Any value.
  static DateStamp fromSeconds(qint64 secondsSinceEpoch);
  // To be called after the process changes its time zone (TZ and tzset): fromSeconds keeps
  // what it learnt of the zone until then.
  static void zoneChanged();
  static DateStamp fromDateTime(const QDateTime& dateTime);  // converted to local time
  // Parses the fixed form "YYYY/MM/DD HH:MM:SS"; null for anything else.
  static DateStamp fromText(QStringView text);

  bool isNull() const { return m_value < 0; }
  qint64 value() const { return m_value; }
  int year() const { return int(m_value / 10000000000LL); }
  int month() const { return int(m_value / 100000000LL % 100); }
  int day() const { return int(m_value / 1000000 % 100); }
  int hour() const { return int(m_value / 10000 % 100); }
  int minute() const { return int(m_value / 100 % 100); }
  int second() const { return int(m_value % 100); }

  // "YYYY/MM/DD HH:MM:SS", or the empty text when null.
  QString text() const;
  QDate date() const;
  QTime time() const;

  auto operator<=>(const DateStamp&) const = default;

 private:
  qint64 m_value = -1;
};

}  // namespace vek
