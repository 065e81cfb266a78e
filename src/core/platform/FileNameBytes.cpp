// File names as bytes and as text, both ways without loss.
#include "core/platform/FileNameBytes.h"

#include <algorithm>
#include <cstring>

namespace vek {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// The length of the valid UTF-8 sequence at s[0] (strict: no overlong forms, no surrogates,
// nothing above U+10FFFF), or 0 when the byte there starts none.
int utf8SequenceLength(const unsigned char* s, std::size_t left) {
  const unsigned char c = s[0];
  if (c < 0x80) return 1;
  auto continuation = [&](std::size_t i, unsigned char low = 0x80, unsigned char high = 0xBF) {
    return i < left && s[i] >= low && s[i] <= high;
  };
  if (c >= 0xC2 && c <= 0xDF) return continuation(1) ? 2 : 0;
  if (c >= 0xE0 && c <= 0xEF) {
    const unsigned char low = c == 0xE0 ? 0xA0 : 0x80;
    const unsigned char high = c == 0xED ? 0x9F : 0xBF;
    return continuation(1, low, high) && continuation(2) ? 3 : 0;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    const unsigned char low = c == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = c == 0xF4 ? 0x8F : 0xBF;
    return continuation(1, low, high) && continuation(2) && continuation(3) ? 4 : 0;
  }
  return 0;
}

}  // namespace

QString decodeFileName(const char* name) {
  // Decoded here rather than by QString::fromUtf8, which drops a byte-order mark at the start
  // of what it is given: a name "\uFEFFtwin" must not read as "twin".
  const auto* bytes = reinterpret_cast<const unsigned char*>(name);
  const std::size_t size = std::strlen(name);
  QString text(qsizetype(size), Qt::Uninitialized);
  char16_t* out = reinterpret_cast<char16_t*>(text.data());
  std::size_t i = 0;
  while (i < size) {
    const unsigned char c = bytes[i];
    const int length = utf8SequenceLength(bytes + i, size - i);
    if (length == 1) {
      *out++ = c;
    } else if (length == 0) {
      *out++ = char16_t(kEscapeBase + c);
    } else {
      char32_t code = c & (0xFF >> (length + 1));
      for (int k = 1; k < length; ++k) code = (code << 6) | (bytes[i + std::size_t(k)] & 0x3F);
      if (code >= 0x10000) {
        *out++ = QChar::highSurrogate(code);
        *out++ = QChar::lowSurrogate(code);
      } else {
        *out++ = char16_t(code);
      }
    }
    i += std::size_t(length == 0 ? 1 : length);
  }
  text.truncate(out - reinterpret_cast<const char16_t*>(text.constData()));
  return text;
}

QByteArray encodeFileName(QStringView text) {
  qsizetype i = 0;
  while (i < text.size() && !text[i].isSurrogate()) ++i;
  if (i == text.size()) return text.toUtf8();

  QByteArray bytes = text.first(i).toUtf8();
  qsizetype run = i;  // start of the text not yet converted
  while (i < text.size()) {
    const char16_t unit = text[i].unicode();
    if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
        QChar::isLowSurrogate(text[i + 1].unicode())) {
      i += 2;
    } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
      bytes += text.sliced(run, i - run).toUtf8();
      bytes += char(unit - kEscapeBase);
      run = ++i;
    } else {
      ++i;
    }
  }
  bytes += text.sliced(run).toUtf8();
  return bytes;
}

bool holdsRawBytes(QStringView text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) {
    return c.unicode() >= kEscapeBase + 0x80 && c.unicode() <= kEscapeBase + 0xFF;
  });
}

}  // namespace vek
