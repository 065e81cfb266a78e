#include "core/text/SizeText.h"

#include <QVarLengthArray>

namespace vek {

namespace {

constexpr qint64 kKilo = 1024;
constexpr qint64 kMega = 1024 * 1024;

// Decimal digits of a non-negative value, optionally grouped by threes.
void appendDigits(QVarLengthArray<QChar, 48>& out, qint64 value, QStringView groupSeparator) {
  char16_t digits[20];
  int count = 0;
  do {
    digits[count++] = char16_t(u'0' + value % 10);
    value /= 10;
  } while (value > 0);
  for (int i = count - 1; i >= 0; --i) {
    out.append(QChar(digits[i]));
    if (i > 0 && i % 3 == 0) out.append(groupSeparator.data(), groupSeparator.size());
  }
}

// (n + 511) / 1024, rounded half away from zero; for n >= 0 this is n / 1024 rounded up.
qint64 kilobytes(qint64 n) {
  return n / kKilo + (n % kKilo != 0 ? 1 : 0);
}

// Tenths of (n + 511) / 1048576, rounded half away from zero. n is split at 1048576 so that
// nothing overflows near the top of the 64-bit range.
qint64 megabyteTenths(qint64 n) {
  const qint64 whole = n / kMega;
  const qint64 rest = n % kMega;
  return whole * 10 + ((rest + 511) * 10 + kMega / 2) / kMega;
}

}  // namespace

QString sizeText(qint64 bytes, SizeUnit unit, SizeStyle style, const QLocale& locale) {
  const qint64 n = bytes < 0 ? 0 : bytes;
  const QString separator = style == SizeStyle::Grouped ? locale.groupSeparator() : QString();
  QVarLengthArray<QChar, 48> out;
  switch (unit) {
    case SizeUnit::Bytes:
      // The plain style keeps the sign position of a non-negative number as a space.
      if (style == SizeStyle::Plain) out.append(u' ');
      appendDigits(out, n, separator);
      break;
    case SizeUnit::Kilobytes:
      appendDigits(out, kilobytes(n), separator);
      break;
    case SizeUnit::Megabytes: {
      const qint64 tenths = megabyteTenths(n);
      appendDigits(out, tenths / 10, separator);
      const QString point = locale.decimalPoint();
      out.append(point.constData(), point.size());
      out.append(QChar(char16_t(u'0' + tenths % 10)));
      break;
    }
  }
  return QString(out.constData(), out.size());
}

double sizeValue(qint64 bytes, SizeUnit unit) {
  const qint64 n = bytes < 0 ? 0 : bytes;
  switch (unit) {
    case SizeUnit::Bytes:
      return double(n);
    case SizeUnit::Kilobytes:
      return double(kilobytes(n));
    case SizeUnit::Megabytes: {
      // Both integers are exact below 2^53, so the division rounds once, as reading the
      // decimal text does; above that only the text is exact.
      const qint64 tenths = megabyteTenths(n);
      if (tenths < (qint64(1) << 53)) return double(tenths) / 10;
      return sizeText(n, unit, SizeStyle::Plain, QLocale::c()).toDouble();
    }
  }
  return 0;
}

QString sizeUnitSuffix(SizeUnit unit) {
  switch (unit) {
    case SizeUnit::Bytes:
      return QStringLiteral(" Byte");
    case SizeUnit::Kilobytes:
      return QStringLiteral(" KB");
    case SizeUnit::Megabytes:
      return QStringLiteral(" MB");
  }
  return {};
}

}  // namespace vek
