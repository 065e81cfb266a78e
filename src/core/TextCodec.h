// Text encodings through glibc iconv: the system's text encoding (UTF-8 on POSIX unless the
// locale names a Japanese legacy one) for Vek.ini, filter.txt and the text and HTML writers,
// and the five encodings of the XML writer.
#pragma once

#include <memory>

#include <QByteArray>
#include <QString>

namespace vek {

// What an encoder does with a character its encoding cannot hold.
enum class Unmappable {
  Replace,            // writes "?" and counts the character as lost
  DecimalReference,   // writes "&#N;" through the same converter (HTML, XML)
};

// A stateful encoder: stateful encodings (ISO-2022-JP) keep their shift state across calls,
// so a writer may encode line by line and call finish() once at the end.
class TextEncoder {
 public:
  virtual ~TextEncoder() = default;
  virtual QByteArray encode(QStringView text) = 0;
  // Returns the bytes that bring a stateful encoding back to its initial state.
  virtual QByteArray finish() = 0;
  // Characters written as "?" so far.
  virtual qint64 lostCharacters() const = 0;
};

class TextCodec {
 public:
  // name is an iconv name ("UTF-8", "CP932", "EUC-JP", "ISO-2022-JP", "UTF-16LE", ...).
  explicit TextCodec(QByteArray name);
  // The system's text encoding as design decided: UTF-8, or the locale's Japanese legacy
  // encoding (ja_JP.eucJP, ja_JP.SJIS); a C/POSIX locale means UTF-8.
  static TextCodec system();

  const QByteArray& name() const { return m_name; }
  bool isUtf8() const;
  // False when iconv cannot open this encoding here.
  bool isAvailable() const;

  // nullptr when the encoding is not available.
  std::unique_ptr<TextEncoder> makeEncoder(Unmappable mode) const;
  // One-shot helpers.
  QByteArray encode(QStringView text, Unmappable mode = Unmappable::Replace,
                    qint64* lost = nullptr) const;
  // Invalid bytes become U+FFFD.
  QString decode(const QByteArray& bytes) const;

 private:
  QByteArray m_name;
};

}  // namespace vek
