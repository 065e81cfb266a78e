#include "core/messages/PrintedPath.h"

namespace vek {

namespace {

void appendByte(QString& out, unsigned byte) {
  out += u"\\x";
  out += QString::number(byte, 16).rightJustified(2, u'0');
}

}  // namespace

QString printedPath(QStringView path) {
  QString out;
  out.reserve(path.size());
  for (const QChar c : path) {
    const char16_t u = c.unicode();
    if (u == u'\\') {
      out += u"\\\\";
    } else if (u == u'\n') {
      out += u"\\n";
    } else if (u == u'\t') {
      out += u"\\t";
    } else if (u == u'\r') {
      out += u"\\r";
    } else if (u < 0x20 || u == 0x7F) {
      appendByte(out, u);
    } else if (u >= 0xDC80 && u <= 0xDCFF) {
      appendByte(out, u - 0xDC00);  // a byte of a name that is not UTF-8
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace vek
