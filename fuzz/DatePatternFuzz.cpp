// The date-pattern language: any pattern compiles or is refused without a crash, and a compiled
// one formats any time (any 64-bit second count, stored texts) without undefined behaviour.
#include <cstring>

#include <QLocale>

#include "FuzzCheck.h"
#include "core/dates/DateFormatter.h"

using namespace vek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Eight bytes of seconds, then the pattern in UTF-8.
  if (size < 8) return 0;
  qint64 seconds = 0;
  std::memcpy(&seconds, data, 8);
  const QString pattern = QString::fromUtf8(fuzz::bytesOf(data + 8, size - 8));

  static const QLocale locales[] = {QLocale(QLocale::Japanese, QLocale::Japan), QLocale::c()};
  for (const QLocale& locale : locales) {
    const std::optional<DateFormatter> formatter = DateFormatter::compile(pattern, locale);
    if (!formatter) continue;
    const DateStamp stamp = DateStamp::fromSeconds(seconds);
    const QString text = formatter->format(stamp);
    if (formatter->isStoredForm()) fuzz::require(text == stamp.text(), "the stored form is a copy");
    if (stamp.isNull()) fuzz::require(text.isEmpty(), "a missing date is an empty cell");
    formatter->format(QDateTime::fromSecsSinceEpoch(seconds % (400LL * 366 * 86400)));
    formatter->formatStored(stamp.text());
    formatter->formatStored(pattern);
  }
  return 0;
}
