#include "writers/HtmlText.h"

#include "core/platform/FileNameBytes.h"

namespace vek {

void appendHtmlEscaped(QString& out, QStringView text) {
  qsizetype plainStart = 0;
  const qsizetype size = text.size();
  for (qsizetype i = 0; i < size; ++i) {
    QLatin1StringView reference;
    switch (text[i].unicode()) {
      case u'&':
        reference = QLatin1StringView("&amp;");
        break;
      case u'<':
        reference = QLatin1StringView("&lt;");
        break;
      case u'>':
        reference = QLatin1StringView("&gt;");
        break;
      case u'"':
        reference = QLatin1StringView("&quot;");
        break;
      case u'\'':
        reference = QLatin1StringView("&#39;");
        break;
      default:
        continue;
    }
    out.append(text.mid(plainStart, i - plainStart));
    out.append(reference);
    plainStart = i + 1;
  }
  out.append(text.mid(plainStart));
}

QString htmlEscaped(QStringView text) {
  QString out;
  out.reserve(text.size());
  appendHtmlEscaped(out, text);
  return out;
}

QString htmlColourText(Colour colour) {
  const quint32 c = quint32(colour);
  const quint32 red = c & 0xFF, green = (c >> 8) & 0xFF, blue = (c >> 16) & 0xFF;
  return u'#' %
         QString::number((red << 16) | (green << 8) | blue, 16).toUpper().rightJustified(6, u'0');
}

namespace {

// The name's bytes with every byte but the unreserved ones and "/" percent-encoded, in
// upper-case hex.
void appendPercentEncoded(QString& out, QStringView text) {
  out.append(QLatin1StringView(encodeFileName(text).toPercentEncoding("/")));
}

}  // namespace

void appendUrlEncoded(QString& out, QStringView name) {
  appendPercentEncoded(out, name);
}

QString fileUrl(QStringView fullPath, PathStyle style) {
  QString out = QStringLiteral("file://");
  if (style == PathStyle::Windows) {
    QString slashed = fullPath.toString();
    slashed.replace(u'\\', u'/');
    if (slashed.startsWith(u"//")) {
      // \\server\share\... : the server is the URL's host.
      appendPercentEncoded(out, QStringView(slashed).mid(2));
    } else {
      out.append(u'/');
      // Keep the drive's colon ("C:"), encode any other.
      const bool drive = slashed.size() >= 2 && slashed[1] == u':' && slashed[0].isLetter();
      if (drive) {
        out.append(QStringView(slashed).left(2));
        appendPercentEncoded(out, QStringView(slashed).mid(2));
      } else {
        appendPercentEncoded(out, slashed);
      }
    }
  } else {
    if (!fullPath.startsWith(u'/')) out.append(u'/');
    appendPercentEncoded(out, fullPath);
  }
  return out;
}

}  // namespace vek
