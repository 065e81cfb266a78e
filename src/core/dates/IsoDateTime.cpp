#include "core/dates/IsoDateTime.h"

#include <cstdio>

#include <QTimeZone>

namespace vek {

namespace {

void putDigits(char* out, int value, int digits) {
  for (int i = digits - 1; i >= 0; --i) {
    out[i] = char('0' + value % 10);
    value /= 10;
  }
}

QByteArray formatParts(int year, int month, int day, int hour, int minute, int second, int offset) {
  QByteArray text(25, Qt::Uninitialized);
  char* out = text.data();
  putDigits(out, year, 4);
  out[4] = '-';
  putDigits(out + 5, month, 2);
  out[7] = '-';
  putDigits(out + 8, day, 2);
  out[10] = 'T';
  putDigits(out + 11, hour, 2);
  out[13] = ':';
  putDigits(out + 14, minute, 2);
  out[16] = ':';
  putDigits(out + 17, second, 2);
  out[19] = offset < 0 ? '-' : '+';
  const int magnitude = (offset < 0 ? -offset : offset) / 60;
  putDigits(out + 20, magnitude / 60, 2);
  out[22] = ':';
  putDigits(out + 23, magnitude % 60, 2);
  return text;
}

// The digits text[from, from + count) as a number; -1 when one is not a digit.
int digitsAt(std::string_view text, std::size_t from, std::size_t count) {
  int value = 0;
  for (std::size_t i = from; i < from + count; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

int IsoDateTime::offsetSeconds(const DateStamp& stamp) {
  const qint64 minute = stamp.value() / 100;
  const auto found = m_offsets.find(minute);
  if (found != m_offsets.end()) return found->second;
  const int offset = QDateTime(stamp.date(), stamp.time(), Qt::LocalTime).offsetFromUtc();
  m_offsets.emplace(minute, offset);
  return offset;
}

QByteArray IsoDateTime::format(const DateStamp& stamp) {
  if (stamp.isNull()) return {};
  return formatParts(stamp.year(), stamp.month(), stamp.day(), stamp.hour(), stamp.minute(),
                     stamp.second(), offsetSeconds(stamp));
}

QByteArray IsoDateTime::format(const QDateTime& dateTime) {
  const QDate date = dateTime.date();
  const QTime time = dateTime.time();
  return formatParts(date.year(), date.month(), date.day(), time.hour(), time.minute(),
                     time.second(), dateTime.offsetFromUtc());
}

std::optional<DateStamp> IsoDateTime::parse(std::string_view text) {
  if (text.size() < 20 || text[4] != '-' || text[7] != '-' ||
      (text[10] != 'T' && text[10] != ' ') || text[13] != ':' || text[16] != ':')
    return std::nullopt;
  const int year = digitsAt(text, 0, 4), month = digitsAt(text, 5, 2), day = digitsAt(text, 8, 2);
  const int hour = digitsAt(text, 11, 2), minute = digitsAt(text, 14, 2);
  const int second = digitsAt(text, 17, 2);
  if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0) return std::nullopt;
  std::size_t at = 19;
  if (at < text.size() && text[at] == '.') {  // fractions of a second are not kept
    ++at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
  }
  int offset = 0;
  if (text.size() == at + 1 && text[at] == 'Z') {
    offset = 0;
  } else if (text.size() == at + 6 && (text[at] == '+' || text[at] == '-') && text[at + 3] == ':') {
    const int hours = digitsAt(text, at + 1, 2), minutes = digitsAt(text, at + 4, 2);
    if (hours < 0 || minutes < 0 || hours > 23 || minutes > 59) return std::nullopt;
    offset = (hours * 60 + minutes) * 60 * (text[at] == '-' ? -1 : 1);
  } else {
    return std::nullopt;
  }
  const DateStamp local = DateStamp::fromLocal(year, month, day, hour, minute, second);
  if (local.isNull()) return std::nullopt;
  if (offsetSeconds(local) == offset) return local;
  // Written in another time zone (or at the other side of a clock change): through UTC.
  const QDateTime utc(QDate(year, month, day), QTime(hour, minute, second), QTimeZone(offset));
  if (!utc.isValid()) return std::nullopt;
  const DateStamp converted = DateStamp::fromDateTime(utc);
  if (converted.isNull()) return std::nullopt;
  return converted;
}

}  // namespace vek
