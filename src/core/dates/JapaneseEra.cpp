#include "core/dates/JapaneseEra.h"

#include <array>

namespace vek {

namespace {

struct EraStart {
  int firstDay;  // YYYYMMDD
  char16_t initial;
  const char16_t* name;
};

// Newest first, so the lookup stops at the first start on or before the date.
constexpr std::array<EraStart, 5> kEras{{
    {20190501, u'R', u"令和"},
    {19890108, u'H', u"平成"},
    {19261225, u'S', u"昭和"},
    {19120730, u'T', u"大正"},
    {18680908, u'M', u"明治"},
}};

}  // namespace

JapaneseEra JapaneseEra::of(int year, int month, int day) {
  const qint64 key = qint64(year) * 10000 + month * 100 + day;
  for (const EraStart& era : kEras) {
    if (key >= era.firstDay) {
      return {QStringView(era.name), QChar(era.initial), year - era.firstDay / 10000 + 1};
    }
  }
  return {QStringView(), QChar(), year};
}

}  // namespace vek
