// The date-pattern language of the writers, the batch file name and the date dialog. A pattern
// is compiled once into tokens and then applied to any number of dates.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include <QDateTime>
#include <QLocale>
#include <QString>

#include "core/dates/DateStamp.h"

namespace vek {

class DateFormatter {
 public:
  // nullopt when the pattern cannot be applied (empty, an unterminated double quote, a lone
  // trailing backslash, a control character, or nothing but empty quotes).
  static std::optional<DateFormatter> compile(const QString& pattern,
                                              const QLocale& locale = QLocale());

  // The date and time as given (no time-zone conversion); the empty text when invalid.
  QString format(const QDateTime& dateTime) const;
  // The empty text for a null stamp.
  QString format(const DateStamp& stamp) const;
  // A stored "YYYY/MM/DD HH:MM:SS" text: empty gives empty, anything that is not a date
  // comes back unchanged.
  QString formatStored(const QString& stored) const;

  // True when the pattern gives exactly the stored form, so formatting is a copy.
  bool isStoredForm() const { return m_isStoredForm; }

  enum class Kind {
    Literal,
    Year4,
    Year2,
    DayOfYear,
    Quarter,
    Month,
    Month2,
    MonthShortName,
    MonthLongName,
    Day,
    Day2,
    DayShortName,
    DayLongName,
    ShortDate,
    LongDate,
    WeekdayKanji,
    WeekdayWord,
    Weekday,
    WeekOfYear,
    EraInitial,
    EraKanji,
    EraName,
    EraYear,
    EraYear2,
    Hour,
    Hour2,
    Minute,
    Minute2,
    Second,
    Second2,
    Time,
    DateAndTime,
    Designator,  // morning text / afternoon text
  };
  struct Token {
    Kind kind = Kind::Literal;
    QString text;       // the literal, or the morning designator
    QString afternoon;  // the afternoon designator
  };

  // The compiled pattern, for a writer that turns it into another notation (a workbook's
  // number format); twelveHour tells whether the hours are counted on a 12-hour clock.
  const std::vector<Token>& tokens() const { return m_tokens; }
  bool twelveHour() const { return m_twelveHour; }

 private:
  struct Fields {
    int year, month, day, hour, minute, second;
  };

  DateFormatter() = default;
  QString formatFields(const Fields& fields) const;
  QString timeText(const Fields& fields) const;

  std::vector<Token> m_tokens;
  QLocale m_locale;
  bool m_twelveHour = false;
  bool m_isStoredForm = false;  // the pattern gives exactly the stored form: no work per date
  bool m_needsDate = false;     // some token needs the weekday, day of year or a locale form
  QString m_timeFormat;         // the locale's time form with seconds, in QLocale's notation
  // The locale's names, filled only when the pattern uses them; days start with Sunday.
  std::array<QString, 12> m_monthNames;
  std::array<QString, 12> m_monthLongNames;
  std::array<QString, 7> m_dayNames;
  std::array<QString, 7> m_dayLongNames;
};

// One-shot: nullopt when the pattern cannot be applied or the date-time is invalid.
std::optional<QString> formatDateTime(const QDateTime& dateTime, const QString& pattern,
                                      const QLocale& locale = QLocale());

}  // namespace vek
