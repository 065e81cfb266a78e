// The date-pattern language of the writers, the batch file name and the date dialog. A pattern
// is compiled once into tokens and then applied to any number of dates.
#pragma once

#include <optional>
#include <vector>

#include <QDateTime>
#include <QLocale>
#include <QString>

#include "core/DateStamp.h"

namespace vek {

class DateFormatter {
 public:
  // nullopt when the pattern cannot be applied (empty, an unterminated double quote, a lone
  // trailing backslash, ...).
  static std::optional<DateFormatter> compile(const QString& pattern,
                                              const QLocale& locale = QLocale());

  QString format(const QDateTime& dateTime) const;
  // The empty text for a null stamp.
  QString format(const DateStamp& stamp) const;
  // A stored "YYYY/MM/DD HH:MM:SS" text: empty gives empty, anything that is not a date
  // comes back unchanged.
  QString formatStored(const QString& stored) const;

  struct Token;  // defined in the .cpp

 private:
  DateFormatter() = default;
  std::vector<Token> m_tokens;
  QLocale m_locale;
  bool m_twelveHour = false;
  bool m_isStoredForm = false;  // the pattern gives exactly the stored form: no work per date
};

// One-shot: nullopt when the pattern cannot be applied.
std::optional<QString> formatDateTime(const QDateTime& dateTime, const QString& pattern,
                                      const QLocale& locale = QLocale());

}  // namespace vek
