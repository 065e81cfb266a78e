#include "batch/CommandComposer.h"

#include <algorithm>

namespace vek {

namespace {

// Characters every shell takes literally anywhere in an unquoted word, and that no text box,
// terminal or clipboard changes. Nothing beyond ASCII is among them: U+00A0 becomes a space and
// U+2028 a line break on the way, and a shell may split words at either. ("=" would make the
// first word an assignment; it is quoted too.)
bool isPlainWordCharacter(QChar c) {
  const char16_t u = c.unicode();
  if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9')) {
    return true;
  }
  switch (u) {
    case u'/':
    case u'.':
    case u'_':
    case u'-':
    case u'+':
    case u',':
    case u'@':
    case u'%':
    case u':':
      return true;
    default:
      return false;
  }
}

}  // namespace

QString shellQuoted(QStringView text) {
  QString quoted;
  quoted.reserve(text.size() + 2);
  quoted += u'"';
  for (const QChar c : text) {
    switch (c.unicode()) {
      case u'$':
      case u'`':
      case u'\\':
      case u'"':
        quoted += u'\\';
        quoted += c;
        break;
      case u'!':
        quoted += QStringLiteral("\"'!'\"");
        break;
      default:
        quoted += c;
    }
  }
  quoted += u'"';
  return quoted;
}

QString shellWord(QStringView text) {
  if (text.isEmpty() || !std::all_of(text.begin(), text.end(), isPlainWordCharacter)) {
    return shellQuoted(text);
  }
  return text.toString();
}

QString filterPattern(QStringView filterText) {
  qsizetype space = filterText.indexOf(u' ');
  const qsizetype wide = filterText.indexOf(QChar(0x3000));
  if (wide >= 0 && (space < 0 || wide < space)) space = wide;
  if (space < 0) return filterText.isEmpty() ? QStringLiteral("*.*") : filterText.toString();
  qsizetype end = space;
  while (end > 0 && filterText[end - 1] == u';') --end;
  return end == 0 ? QStringLiteral("*.*") : filterText.first(end).toString();
}

QString composeCommand(const CommandForm& form) {
  const QString filePart =
      form.dateName ? u"DATE " + shellQuoted(form.outName) : shellQuoted(form.outName);
  const int sortNumber =
      form.sortKey && isListColumn(int(*form.sortKey)) ? int(*form.sortKey) + 1 : 0;
  QString line = shellWord(form.executable) + u" /I " + shellQuoted(form.inPath) + u" /O " +
                 shellQuoted(form.outPath) + u" /T " + outputTypeInfo(form.type).keyword + u" /F " +
                 filePart + u" /E " + shellWord(filterPattern(form.filter)) + u" /N " +
                 shellQuoted(form.title) + u" /S " + QString::number(sortNumber);
  if (form.encoding && outputTypeInfo(form.type).takesEncoding)
    line += u" /K " + listEncodingKeyword(*form.encoding);
  if (form.hash != HashKind::None) line += u" /M " + hashKindName(form.hash);
  if (form.checksumFile) line += u" /W";
  // Always quoted, as the folders are: the patterns are typed freely, and ";" separates them.
  if (!form.excluded.isEmpty()) line += u" /X " + shellQuoted(form.excluded);
  if (form.hiddenFiles) line += u" /A";
  if (form.oneFileSystem) line += u" /D";
  if (form.subfolders) line += u" /C ";
  return line;
}

}  // namespace vek
