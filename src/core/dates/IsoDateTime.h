// Local date-times as ISO 8601 text with the UTC offset they had ("2026-12-08T17:52:40+09:00"),
// and back. The offset of a local time is looked up once per minute of the clock and kept, so a
// list of a million rows costs a handful of time-zone lookups, not a million.
#pragma once

#include <optional>
#include <string_view>
#include <unordered_map>

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "core/dates/DateStamp.h"

namespace vek {

class IsoDateTime {
 public:
  // "YYYY-MM-DDTHH:MM:SS+HH:MM" (or "Z" never: the offset is always written, "+00:00" in UTC).
  // Empty for a null stamp.
  QByteArray format(const DateStamp& stamp);
  static QByteArray format(const QDateTime& dateTime);

  // The text above (any offset, "Z" too) as local time on this machine; nullopt when the text
  // is not such a date. A text whose offset is this machine's own for that time is taken as it
  // stands, without a time-zone lookup.
  std::optional<DateStamp> parse(std::string_view text);

 private:
  int offsetSeconds(const DateStamp& stamp);

  std::unordered_map<qint64, int> m_offsets;  // by the stamp's minute
};

}  // namespace vek
