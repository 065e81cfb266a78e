// The Japanese era (明治 to 令和) of a Gregorian date, for the era tokens of date patterns.
#pragma once

#include <QChar>
#include <QStringView>

namespace vek {

struct JapaneseEra {
  QStringView name;  // "平成"; empty before 明治
  QChar initial;     // 'H'; null before 明治
  // The year within the era, 1 for its first (元年); the Gregorian year before 明治.
  int year = 0;

  // 明治 is counted from 1868-09-08 (Gregorian), the first day that calendar libraries
  // commonly give it; the era was proclaimed then and back-dated over a lunar-calendar year that
  // has no clean Gregorian start. Earlier dates get no era.
  static JapaneseEra of(int year, int month, int day);
};

}  // namespace vek
