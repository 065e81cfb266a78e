// Text encodings through glibc iconv: the system's text encoding (UTF-8 on POSIX unless the
// locale names a Japanese legacy one) for Vek.ini, filter.txt and the text and HTML writers,
// and the five encodings of the XML writer.
#pragma once

#include <map>
#include <memory>
#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace vek {

// What an encoder does with a character its encoding cannot hold.
enum class Unmappable {
  Replace,           // writes "?" and counts the character as lost
  DecimalReference,  // writes "&#N;" through the same converter (HTML, XML)
};

// A stateful encoder: stateful encodings (ISO-2022-JP) keep their shift state across calls,
// so a writer may encode line by line and call finish() once at the end.
class TextEncoder {
 public:
  virtual ~TextEncoder() = default;
  virtual QByteArray encode(QStringView text) = 0;
  // Returns the bytes that bring a stateful encoding back to its initial state.
  virtual QByteArray finish() = 0;
  // Characters that did not reach the output as themselves so far: every "?" of Replace, and
  // in both modes each lone surrogate (half of a pair without its partner), which no encoding
  // holds; DecimalReference writes U+FFFD for it (or its reference) since a reference may not
  // name a surrogate.
  virtual qint64 lostCharacters() const = 0;
};

class TextCodec {
 public:
  // name is an iconv name ("UTF-8", "CP932", "EUC-JP", "ISO-2022-JP", "UTF-16LE", ...).
  // "UTF-16" is always little-endian and its encoders start the output with the byte-order mark
  // FF FE (what an XML document in UTF-16 needs); its decoder follows a mark when there is one.
  // "UTF-16LE" and "UTF-16BE" never write a mark.
  explicit TextCodec(QByteArray name);
  // The system's text encoding: UTF-8, or the Japanese legacy encoding the locale names
  // (ja_JP.eucJP, ja_JP.SJIS, even when that locale is not installed); a C/POSIX locale means
  // UTF-8, never ASCII. Computed once per process.
  static TextCodec system();
  // The encoding the system's text is in for a locale's character set name (nl_langinfo's
  // CODESET, or the part of a locale name after the dot): "EUC-JP", "CP932" or "UTF-8".
  static QByteArray encodingForCodeset(const QByteArray& codeset);
  // "ja_JP.eucJP@x" -> "eucJP"; empty when the name has no character set part.
  static QByteArray codesetOfLocaleName(const QByteArray& localeName);

  const QByteArray& name() const { return m_name; }
  bool isUtf8() const;
  // False when iconv cannot open this encoding here.
  bool isAvailable() const;

  // nullptr when the encoding is not available.
  std::unique_ptr<TextEncoder> makeEncoder(Unmappable mode) const;
  // One-shot helpers.
  QByteArray encode(QStringView text, Unmappable mode = Unmappable::Replace,
                    qint64* lost = nullptr) const;
  // The characters this encoding writes as another one (a best fit: CP932 writes U+301C WAVE
  // DASH as 0x8160, which reads back as U+FF5E), each with the character a reader gets back.
  // Found from iconv once per encoding; empty for UTF-8 and UTF-16.
  const std::map<char16_t, char16_t>& bestFits() const;
  // True when every character of text can be written in this encoding as itself.
  bool holds(QStringView text) const;
  // Invalid bytes become U+FFFD. A UTF-8 byte-order mark is kept (as U+FEFF). invalid, when
  // given, tells whether there were any (a U+FFFD the text itself holds is not one).
  QString decode(const QByteArray& bytes, bool* invalid = nullptr) const;

  // The byte-order mark a text file starts with: the encoding it names and its length in bytes.
  struct ByteOrderMark {
    QByteArray encoding;  // "UTF-8", "UTF-16LE" or "UTF-16BE"
    qsizetype length;
  };
  static std::optional<ByteOrderMark> byteOrderMark(QByteArrayView bytes);

 private:
  QByteArray m_name;
};

}  // namespace vek
