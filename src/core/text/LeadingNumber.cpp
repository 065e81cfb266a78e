#include "core/text/LeadingNumber.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace vek {

double leadingNumber(QStringView text) {
  const qsizetype n = text.size();
  auto isDigit = [&](qsizetype at) { return at < n && text[at] >= u'0' && text[at] <= u'9'; };
  qsizetype i = 0;
  while (i < n && (text[i] == u' ' || text[i] == u'\t')) ++i;
  const bool negative = i < n && text[i] == u'-';
  if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
  const qsizetype start = i;
  while (isDigit(i)) ++i;
  bool anyDigit = i > start;
  if (i < n && text[i] == u'.') {
    const qsizetype fractionStart = ++i;
    while (isDigit(i)) ++i;
    anyDigit = anyDigit || i > fractionStart;
  }
  if (!anyDigit) return 0;
  qsizetype end = i;
  bool negativeExponent = false;
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    qsizetype j = i + 1;
    negativeExponent = j < n && text[j] == u'-';
    if (j < n && (text[j] == u'+' || text[j] == u'-')) ++j;
    if (isDigit(j)) {
      while (isDigit(j)) ++j;
      end = j;
    } else {
      negativeExponent = false;
    }
  }
  // Only ASCII is left between start and end; from_chars ignores the locale.
  const std::string number = text.sliced(start, end - start).toLatin1().toStdString();
  double value = 0;
  const auto [last, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)last;
  if (error == std::errc::result_out_of_range)
    value = negativeExponent ? 0 : std::numeric_limits<double>::infinity();
  return negative ? -value : value;
}

std::optional<int> leadingInteger(QStringView text) {
  const double value = leadingNumber(text);
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = std::nearbyint(value);  // the default rounding mode: half to even
  if (rounded < double(std::numeric_limits<int>::min()) ||
      rounded > double(std::numeric_limits<int>::max()))
    return std::nullopt;
  return int(rounded);
}

}  // namespace vek
