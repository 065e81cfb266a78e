// The texts of the workbook's cells, its number formats and its sheet names.
#include "writers/XlsxCellText.h"

#include <cmath>
#include <optional>

#include <QCoreApplication>

#include "writers/XlsxListWriter.h"

namespace vek {

namespace xlsx {

namespace {

bool isHex(QChar c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Excel reads "_xHHHH_" in a string as the character HHHH (the library writes control
// characters so); a name that holds such text itself gets its "_" written as "_x005F_".
QString escapeUnderscoreCodes(QStringView text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'_' && i + 6 < text.size() && text[i + 1] == u'x' && isHex(text[i + 2]) &&
        isHex(text[i + 3]) && isHex(text[i + 4]) && isHex(text[i + 5]) && text[i + 6] == u'_') {
      out += u"_x005F_";
      continue;
    }
    out += text[i];
  }
  return out;
}

QByteArray cellBytesOf(QStringView text) {
  bool lone = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (!c.isSurrogate()) continue;
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      ++i;
      continue;
    }
    lone = true;
    break;
  }
  if (!lone) return text.toUtf8();
  QString fixed;
  fixed.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      fixed += c;
      fixed += text[++i];
    } else {
      fixed += c.isSurrogate() ? QChar(u'?') : c;
    }
  }
  return fixed.toUtf8();
}

// Characters as libxlsxwriter counts them (a surrogate pair is one).
qsizetype codePoints(QStringView text) {
  qsizetype pairs = 0;
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i].isHighSurrogate() && text[i + 1].isLowSurrogate()) {
      ++pairs;
      ++i;
    }
  }
  return text.size() - pairs;
}

}  // namespace

QByteArray cellBytes(QStringView text) {
  if (!text.contains(u"_x")) return cellBytesOf(text);
  return cellBytesOf(escapeUnderscoreCodes(text));
}

QByteArray fittedCellBytes(QStringView text, bool& cut) {
  constexpr qsizetype longest = XlsxListWriter::kCellLength;
  if (text.size() <= longest) {
    if (!text.contains(u"_x")) return cellBytesOf(text);
    const QString escaped = escapeUnderscoreCodes(text);
    if (codePoints(escaped) <= longest) return cellBytesOf(escaped);
  }
  cut = true;
  qsizetype keep = std::min(text.size() - 1, longest - 1);
  for (;;) {
    if (keep > 0 && text[keep - 1].isHighSurrogate()) --keep;  // a pair stays whole or goes
    const QString escaped = escapeUnderscoreCodes(QString(text.left(keep) + u'…'));
    const qsizetype over = codePoints(escaped) - longest;
    if (over <= 0) return cellBytesOf(escaped);
    keep -= over;
  }
}

QString formatLiteral(QStringView text) {
  QString out;
  for (QChar c : text) {
    out += u'\\';
    out += c;
  }
  return out;
}

QString quotedSheet(const QString& name) {
  return u'\'' + QString(name).replace(u'\'', QLatin1String("''")) + u'\'';
}

QString columnLetters(lxw_col_t column) {
  QString letters;
  for (qint64 n = qint64(column) + 1; n > 0; n = (n - 1) / 26)
    letters.prepend(QChar(char16_t(u'A' + (n - 1) % 26)));
  return letters;
}

qint64 sizeSteps(double cellValue, SizeUnit unit) {
  return unit == SizeUnit::Megabytes ? qint64(std::llround(cellValue * 10)) : qint64(cellValue);
}

}  // namespace xlsx

using namespace xlsx;

QString XlsxListWriter::sheetName(const QString& title) {
  QString name = title;
  // The listed folder names the sheet by its last folder (the root by its separator). Only an
  // absolute path is one: a title such as "Sales 1/2" is a name and keeps its every part.
  const bool drive = name.size() >= 3 && name[0].isLetter() && name[1] == u':' &&
                     (name[2] == u'\\' || name[2] == u'/');
  if (name.startsWith(u'/') || name.startsWith(u"\\\\") || drive) {
    while (name.size() > 1 && (name.endsWith(u'/') || name.endsWith(u'\\'))) name.chop(1);
    const qsizetype cut = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    if (cut >= 0 && name.size() > 1) name = name.mid(cut + 1);
  }
  for (QChar& c : name) {
    if (QStringView(u"[]:*?/\\").contains(c) || c.unicode() < 0x20) c = u'_';
  }
  // Lone surrogates (bytes of a name that is not UTF-8) cannot be written.
  QString legal;
  for (qsizetype i = 0; i < name.size(); ++i) {
    const QChar c = name[i];
    if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
      legal += c;
      legal += name[++i];
    } else {
      legal += c.isSurrogate() ? QChar(u'_') : c;
    }
  }
  if (legal.size() > kSheetNameLength) {
    legal.truncate(kSheetNameLength);
    if (legal.back().isHighSurrogate()) legal.chop(1);
  }
  while (legal.startsWith(u'\'')) legal.remove(0, 1);
  while (legal.endsWith(u'\'')) legal.chop(1);
  if (legal.trimmed().isEmpty() || legal.compare(u"History", Qt::CaseInsensitive) == 0)
    return QCoreApplication::translate("XlsxListWriter", "リスト");
  return legal;
}

QString XlsxListWriter::dateNumberFormat(const DateFormatter& formatter) {
  using Kind = DateFormatter::Kind;
  if (formatter.twelveHour()) return {};
  const auto& tokens = formatter.tokens();
  // Excel reads "m" as minutes right after an hour code or right before a seconds code, as
  // months elsewhere: a pattern where that would read a month as minutes (or the reverse) is
  // written as text.
  const auto neighbour = [&](std::size_t i, int step) -> std::optional<Kind> {
    for (auto j = qint64(i) + step; j >= 0 && j < qint64(tokens.size()); j += step)
      if (tokens[std::size_t(j)].kind != Kind::Literal) return tokens[std::size_t(j)].kind;
    return std::nullopt;
  };
  const auto isHour = [](std::optional<Kind> k) { return k == Kind::Hour || k == Kind::Hour2; };
  const auto isSecond = [](std::optional<Kind> k) {
    return k == Kind::Second || k == Kind::Second2;
  };
  QString format;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const DateFormatter::Token& token = tokens[i];
    const bool readAsMinute = isHour(neighbour(i, -1)) || isSecond(neighbour(i, +1));
    switch (token.kind) {
      case Kind::Literal:
        format += formatLiteral(token.text);
        break;
      case Kind::Year4:
        format += u"yyyy";
        break;
      case Kind::Year2:
        format += u"yy";
        break;
      case Kind::Month:
      case Kind::Month2:
        if (readAsMinute) return {};
        format += token.kind == Kind::Month ? u"m" : u"mm";
        break;
      case Kind::Day:
        format += u"d";
        break;
      case Kind::Day2:
        format += u"dd";
        break;
      case Kind::Hour:
        format += u"h";
        break;
      case Kind::Hour2:
        format += u"hh";
        break;
      case Kind::Minute:
      case Kind::Minute2:
        if (!readAsMinute) return {};
        format += token.kind == Kind::Minute ? u"m" : u"mm";
        break;
      case Kind::Second:
        format += u"s";
        break;
      case Kind::Second2:
        format += u"ss";
        break;
      default:
        return {};
    }
  }
  return format;
}

QString XlsxListWriter::sizeNumberFormat(const ColumnOptions& options) {
  const SizeUnit unit = options.optSizeType;
  QString format = unit == SizeUnit::Megabytes ? QStringLiteral("0.0") : QStringLiteral("0");
  if (options.chkAddUnit) format += formatLiteral(sizeUnitSuffix(unit));
  return format;
}

}  // namespace vek
