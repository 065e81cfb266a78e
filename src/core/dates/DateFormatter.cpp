#include "core/dates/DateFormatter.h"

#include <cstdlib>

#include <QDate>
#include <QTime>
#include <QVarLengthArray>

#include "core/dates/JapaneseEra.h"

namespace vek {

namespace {

using Kind = DateFormatter::Kind;

struct TokenName {
  QLatin1StringView name;  // lower case
  Kind kind;
};

// Longest first: at each position the first name that matches is taken.
const TokenName kTokenNames[] = {
    {QLatin1StringView("dddddd"), Kind::LongDate},
    {QLatin1StringView("am/pm"), Kind::Designator},
    {QLatin1StringView("ddddd"), Kind::ShortDate},
    {QLatin1StringView("ttttt"), Kind::Time},
    {QLatin1StringView("yyyy"), Kind::Year4},
    {QLatin1StringView("mmmm"), Kind::MonthLongName},
    {QLatin1StringView("dddd"), Kind::DayLongName},
    {QLatin1StringView("aaaa"), Kind::WeekdayWord},
    {QLatin1StringView("ampm"), Kind::Designator},
    {QLatin1StringView("mmm"), Kind::MonthShortName},
    {QLatin1StringView("ddd"), Kind::DayShortName},
    {QLatin1StringView("aaa"), Kind::WeekdayKanji},
    {QLatin1StringView("ggg"), Kind::EraName},
    {QLatin1StringView("a/p"), Kind::Designator},
    {QLatin1StringView("yy"), Kind::Year2},
    {QLatin1StringView("mm"), Kind::Month2},
    {QLatin1StringView("dd"), Kind::Day2},
    {QLatin1StringView("ww"), Kind::WeekOfYear},
    {QLatin1StringView("gg"), Kind::EraKanji},
    {QLatin1StringView("ee"), Kind::EraYear2},
    {QLatin1StringView("hh"), Kind::Hour2},
    {QLatin1StringView("nn"), Kind::Minute2},
    {QLatin1StringView("ss"), Kind::Second2},
    {QLatin1StringView("y"), Kind::DayOfYear},
    {QLatin1StringView("q"), Kind::Quarter},
    {QLatin1StringView("m"), Kind::Month},
    {QLatin1StringView("d"), Kind::Day},
    {QLatin1StringView("w"), Kind::Weekday},
    {QLatin1StringView("g"), Kind::EraInitial},
    {QLatin1StringView("e"), Kind::EraYear},
    {QLatin1StringView("h"), Kind::Hour},
    {QLatin1StringView("n"), Kind::Minute},
    {QLatin1StringView("s"), Kind::Second},
    {QLatin1StringView("c"), Kind::DateAndTime},
};

constexpr char16_t kWeekdayKanji[7] = {u'日', u'月', u'火', u'水', u'木', u'金', u'土'};

bool matchesAt(QStringView pattern, qsizetype at, QLatin1StringView name) {
  if (pattern.size() - at < name.size()) return false;
  for (qsizetype i = 0; i < name.size(); ++i) {
    char16_t c = pattern[at + i].unicode();
    if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
    if (c != char16_t(name[i].unicode())) return false;
  }
  return true;
}

bool isAsciiLetter(QChar c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The separator that follows the first field of a QLocale date or time format ("yyyy/MM/dd"
// gives "/", "dd.MM.yy" gives ".", "AP h:mm" gives ":"), or the fallback when there is none.
QString separatorAfter(QStringView format, QStringView fieldLetters, QString fallback) {
  qsizetype i = 0;
  while (i < format.size() && !fieldLetters.contains(format[i])) ++i;
  while (i < format.size() && isAsciiLetter(format[i])) ++i;
  QString separator;
  while (i < format.size() && !isAsciiLetter(format[i]) && format[i] != u'\'')
    separator += format[i++];
  separator = separator.trimmed();
  return separator.isEmpty() ? fallback : separator;
}

// The locale's time form with seconds: the short form, which many locales give without them,
// with seconds added after the minutes.
QString timeFormatWithSeconds(const QLocale& locale, const QString& timeSeparator) {
  QString format = locale.timeFormat(QLocale::ShortFormat);
  if (format.contains(u's')) return format;
  qsizetype minutes = format.indexOf(u'm');
  if (minutes < 0) return format;
  while (minutes < format.size() && format[minutes] == u'm') ++minutes;
  format.insert(minutes, timeSeparator + QStringLiteral("ss"));
  return format;
}

// One result in fixed storage, so that a date costs a single allocation: the final QString.
class TextBuffer {
 public:
  void add(QChar c) { m_chars.append(c); }
  void add(QStringView text) { m_chars.append(text.data(), text.size()); }
  void addNumber(qint64 value, int minDigits) {
    if (value < 0) {
      add(u'-');
      value = -value;
    }
    QChar digits[20];
    int count = 0;
    do {
      digits[count++] = QChar(char16_t(u'0' + value % 10));
      value /= 10;
    } while (value > 0);
    for (int i = count; i < minDigits; ++i) add(u'0');
    while (count > 0) add(digits[--count]);
  }
  QString text() const { return QString(m_chars.constData(), m_chars.size()); }

 private:
  QVarLengthArray<QChar, 128> m_chars;
};

bool needsDate(Kind kind) {
  switch (kind) {
    case Kind::DayOfYear:
    case Kind::DayShortName:
    case Kind::DayLongName:
    case Kind::ShortDate:
    case Kind::LongDate:
    case Kind::WeekdayKanji:
    case Kind::WeekdayWord:
    case Kind::Weekday:
    case Kind::WeekOfYear:
    case Kind::DateAndTime:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::optional<DateFormatter> DateFormatter::compile(const QString& pattern, const QLocale& locale) {
  if (pattern.isEmpty()) return std::nullopt;
  // A control character, even quoted, would break the line or cell the date is written into.
  for (const QChar c : pattern) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7f) return std::nullopt;
  }

  DateFormatter formatter;
  formatter.m_locale = locale;
  const QString dateSeparator =
      separatorAfter(locale.dateFormat(QLocale::ShortFormat), u"yMd", QStringLiteral("/"));
  const QString timeSeparator =
      separatorAfter(locale.timeFormat(QLocale::ShortFormat), u"hH", QStringLiteral(":"));

  std::vector<Token>& tokens = formatter.m_tokens;
  QString literal;
  auto flushLiteral = [&] {
    if (literal.isEmpty()) return;
    tokens.push_back({Kind::Literal, literal, {}});
    literal.clear();
  };
  bool afterHour = false;  // the nearest preceding token is an hour: m and mm are minutes

  const qsizetype size = pattern.size();
  qsizetype i = 0;
  while (i < size) {
    const QChar c = pattern[i];
    if (c == u'"') {
      const qsizetype close = pattern.indexOf(u'"', i + 1);
      if (close < 0) return std::nullopt;
      literal += QStringView(pattern).mid(i + 1, close - i - 1);
      i = close + 1;
      continue;
    }
    if (c == u'\\') {
      if (i + 1 >= size) return std::nullopt;
      qsizetype length = 1;
      if (pattern[i + 1].isHighSurrogate() && i + 2 < size && pattern[i + 2].isLowSurrogate())
        length = 2;
      literal += QStringView(pattern).mid(i + 1, length);
      i += 1 + length;
      continue;
    }
    if (c == u'/') {
      literal += dateSeparator;
      ++i;
      continue;
    }
    if (c == u':') {
      literal += timeSeparator;
      ++i;
      continue;
    }

    const TokenName* match = nullptr;
    for (const TokenName& name : kTokenNames) {
      if (matchesAt(pattern, i, name.name)) {
        match = &name;
        break;
      }
    }
    if (!match) {
      literal += c;
      ++i;
      continue;
    }

    flushLiteral();
    Token token{match->kind, {}, {}};
    if (token.kind == Kind::Month && afterHour) token.kind = Kind::Minute;
    if (token.kind == Kind::Month2 && afterHour) token.kind = Kind::Minute2;
    if (token.kind == Kind::Designator) {
      if (match->name == QLatin1StringView("ampm")) {
        token.text = locale.amText();
        token.afternoon = locale.pmText();
      } else {
        // AM/PM and A/P give the morning and afternoon halves as the pattern writes them.
        const qsizetype half = match->name.size() / 2;
        token.text = pattern.mid(i, half);
        token.afternoon = pattern.mid(i + half + 1, half);
      }
      formatter.m_twelveHour = true;
    }
    afterHour = token.kind == Kind::Hour || token.kind == Kind::Hour2;
    formatter.m_needsDate = formatter.m_needsDate || needsDate(token.kind);
    tokens.push_back(std::move(token));
    i += match->name.size();
  }
  flushLiteral();
  // Nothing but empty quotes: no date would ever show.
  if (tokens.empty()) return std::nullopt;

  for (const Token& token : tokens) {
    switch (token.kind) {
      case Kind::MonthShortName:
        for (int m = 0; m < 12; ++m)
          formatter.m_monthNames[m] = locale.monthName(m + 1, QLocale::ShortFormat);
        break;
      case Kind::MonthLongName:
        for (int m = 0; m < 12; ++m)
          formatter.m_monthLongNames[m] = locale.monthName(m + 1, QLocale::LongFormat);
        break;
      case Kind::DayShortName:
        for (int d = 0; d < 7; ++d)
          formatter.m_dayNames[d] = locale.dayName(d == 0 ? 7 : d, QLocale::ShortFormat);
        break;
      case Kind::DayLongName:
        for (int d = 0; d < 7; ++d)
          formatter.m_dayLongNames[d] = locale.dayName(d == 0 ? 7 : d, QLocale::LongFormat);
        break;
      case Kind::Time:
      case Kind::DateAndTime:
        formatter.m_timeFormat = timeFormatWithSeconds(locale, timeSeparator);
        break;
      default:
        break;
    }
  }

  // The list's own form: every stored date is already the answer.
  struct Shape {
    Kind kind;
    const char16_t* literal;
  };
  static const Shape storedShape[] = {
      {Kind::Year4, nullptr}, {Kind::Literal, u"/"},   {Kind::Month2, nullptr},
      {Kind::Literal, u"/"},  {Kind::Day2, nullptr},   {Kind::Literal, u" "},
      {Kind::Hour2, nullptr}, {Kind::Literal, u":"},   {Kind::Minute2, nullptr},
      {Kind::Literal, u":"},  {Kind::Second2, nullptr}};
  if (tokens.size() == std::size(storedShape) && !formatter.m_twelveHour) {
    bool same = true;
    for (size_t t = 0; t < tokens.size() && same; ++t) {
      same = tokens[t].kind == storedShape[t].kind &&
             (!storedShape[t].literal || tokens[t].text == QStringView(storedShape[t].literal));
    }
    formatter.m_isStoredForm = same;
  }
  return formatter;
}

QString DateFormatter::timeText(const Fields& fields) const {
  return m_locale.toString(QTime(fields.hour, fields.minute, fields.second), m_timeFormat);
}

QString DateFormatter::formatFields(const Fields& f) const {
  QDate date;
  int dayOfWeek = 0;  // 0 is Sunday
  if (m_needsDate) {
    date = QDate(f.year, f.month, f.day);
    dayOfWeek = date.dayOfWeek() % 7;
  }
  std::optional<JapaneseEra> era;
  auto eraOf = [&]() -> const JapaneseEra& {
    if (!era) era = JapaneseEra::of(f.year, f.month, f.day);
    return *era;
  };
  const int hour = m_twelveHour ? (f.hour % 12 == 0 ? 12 : f.hour % 12) : f.hour;

  TextBuffer out;
  for (const Token& token : m_tokens) {
    switch (token.kind) {
      case Kind::Literal:
        out.add(token.text);
        break;
      case Kind::Year4:
        out.addNumber(f.year, 4);
        break;
      case Kind::Year2:
        out.addNumber(std::abs(f.year) % 100, 2);
        break;
      case Kind::DayOfYear:
        out.addNumber(date.dayOfYear(), 1);
        break;
      case Kind::Quarter:
        out.addNumber((f.month - 1) / 3 + 1, 1);
        break;
      case Kind::Month:
        out.addNumber(f.month, 1);
        break;
      case Kind::Month2:
        out.addNumber(f.month, 2);
        break;
      case Kind::MonthShortName:
        out.add(m_monthNames[(f.month - 1) % 12]);
        break;
      case Kind::MonthLongName:
        out.add(m_monthLongNames[(f.month - 1) % 12]);
        break;
      case Kind::Day:
        out.addNumber(f.day, 1);
        break;
      case Kind::Day2:
        out.addNumber(f.day, 2);
        break;
      case Kind::DayShortName:
        out.add(m_dayNames[dayOfWeek]);
        break;
      case Kind::DayLongName:
        out.add(m_dayLongNames[dayOfWeek]);
        break;
      case Kind::ShortDate:
        out.add(m_locale.toString(date, QLocale::ShortFormat));
        break;
      case Kind::LongDate:
        out.add(m_locale.toString(date, QLocale::LongFormat));
        break;
      case Kind::WeekdayKanji:
        out.add(QChar(kWeekdayKanji[dayOfWeek]));
        break;
      case Kind::WeekdayWord:
        out.add(QChar(kWeekdayKanji[dayOfWeek]));
        out.add(QStringView(u"曜日"));
        break;
      case Kind::Weekday:
        out.addNumber(dayOfWeek + 1, 1);
        break;
      case Kind::WeekOfYear: {
        // Weeks start on Sunday; week 1 is the one holding 1 January.
        const int firstWeekday = QDate(f.year, 1, 1).dayOfWeek() % 7;
        out.addNumber((date.dayOfYear() - 1 + firstWeekday) / 7 + 1, 1);
        break;
      }
      case Kind::EraInitial:
        if (!eraOf().initial.isNull()) out.add(eraOf().initial);
        break;
      case Kind::EraKanji:
        out.add(eraOf().name.left(1));
        break;
      case Kind::EraName:
        out.add(eraOf().name);
        break;
      case Kind::EraYear:
        out.addNumber(eraOf().year, 1);
        break;
      case Kind::EraYear2:
        out.addNumber(eraOf().year, 2);
        break;
      case Kind::Hour:
        out.addNumber(hour, 1);
        break;
      case Kind::Hour2:
        out.addNumber(hour, 2);
        break;
      case Kind::Minute:
        out.addNumber(f.minute, 1);
        break;
      case Kind::Minute2:
        out.addNumber(f.minute, 2);
        break;
      case Kind::Second:
        out.addNumber(f.second, 1);
        break;
      case Kind::Second2:
        out.addNumber(f.second, 2);
        break;
      case Kind::Time:
        out.add(timeText(f));
        break;
      case Kind::DateAndTime:
        out.add(m_locale.toString(date, QLocale::ShortFormat));
        out.add(u' ');
        out.add(timeText(f));
        break;
      case Kind::Designator:
        out.add(f.hour < 12 ? token.text : token.afternoon);
        break;
    }
  }
  return out.text();
}

QString DateFormatter::format(const QDateTime& dateTime) const {
  if (!dateTime.isValid()) return {};
  const QDate d = dateTime.date();
  const QTime t = dateTime.time();
  return formatFields({d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()});
}

QString DateFormatter::format(const DateStamp& stamp) const {
  if (stamp.isNull()) return {};
  // A stamp that names no real day has no weekday or name to give; show it as stored.
  if (stamp.month() < 1 || stamp.month() > 12 || (m_needsDate && !stamp.date().isValid()))
    return stamp.text();
  if (m_isStoredForm && stamp.year() >= 0 && stamp.year() <= 9999) {
    // The default pattern on every row of a list: write the 19 characters in place.
    QString text(19, Qt::Uninitialized);
    QChar* out = text.data();
    auto put = [&out](int value, int digits) {
      for (int i = digits - 1; i >= 0; --i, value /= 10)
        out[i] = QChar(char16_t(u'0' + value % 10));
      out += digits;
    };
    put(stamp.year(), 4);
    *out++ = u'/';
    put(stamp.month(), 2);
    *out++ = u'/';
    put(stamp.day(), 2);
    *out++ = u' ';
    put(stamp.hour(), 2);
    *out++ = u':';
    put(stamp.minute(), 2);
    *out++ = u':';
    put(stamp.second(), 2);
    return text;
  }
  return formatFields(
      {stamp.year(), stamp.month(), stamp.day(), stamp.hour(), stamp.minute(), stamp.second()});
}

QString DateFormatter::formatStored(const QString& stored) const {
  // In the stored form a date comes back as it is, and so does anything that is not a date.
  if (stored.isEmpty() || m_isStoredForm) return stored;
  const DateStamp stamp = DateStamp::fromText(stored);
  if (stamp.isNull()) return stored;
  return formatFields(
      {stamp.year(), stamp.month(), stamp.day(), stamp.hour(), stamp.minute(), stamp.second()});
}

std::optional<QString> formatDateTime(const QDateTime& dateTime, const QString& pattern,
                                      const QLocale& locale) {
  if (!dateTime.isValid()) return std::nullopt;
  const std::optional<DateFormatter> formatter = DateFormatter::compile(pattern, locale);
  if (!formatter) return std::nullopt;
  return formatter->format(dateTime);
}

}  // namespace vek
