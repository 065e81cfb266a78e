// The text codec: which encoder an encoding gets, decoding, and the choice of the system's
// text encoding from the locale.
#include "core/text/TextCodec.h"

#include <algorithm>
#include <clocale>
#include <cstdlib>

#include <langinfo.h>
#include <locale.h>

#include <QStringDecoder>

#include "core/text/IconvText.h"
#include "core/text/TextEncoders.h"

namespace vek {

using namespace iconvtext;

TextCodec::TextCodec(QByteArray name) : m_name(std::move(name)) {}

bool TextCodec::isUtf8() const {
  return normalizedName(m_name) == "UTF8";
}

bool TextCodec::isAvailable() const {
  if (isUtf8()) return true;
  const IconvHandle cd(isUtf16WithMark(m_name) ? "UTF-16LE" : m_name.constData(), kHostUtf16);
  return cd.isOpen();
}

std::unique_ptr<TextEncoder> TextCodec::makeEncoder(Unmappable mode) const {
  if (isUtf8()) return makeUtf8Encoder(mode);
  if (mode == Unmappable::Replace)
    if (const CharacterTable* table = CharacterTable::of(m_name))
      return makeTableEncoder(*table, m_name);
  return makeIconvEncoder(m_name, mode);
}

QByteArray TextCodec::encode(QStringView text, Unmappable mode, qint64* lost) const {
  const auto encoder = makeEncoder(mode);
  if (!encoder) {
    if (lost) *lost = text.size();
    return {};
  }
  QByteArray out = encoder->encode(text);
  out += encoder->finish();
  if (lost) *lost = encoder->lostCharacters();
  return out;
}

const std::map<char16_t, char16_t>& TextCodec::bestFits() const {
  static const std::map<char16_t, char16_t> none;
  return isUtf8() ? none : bestFitReadBack(m_name);
}

bool TextCodec::holds(QStringView text) const {
  // Asked once per listed name: the usual encoding's table without a look-up by name.
  static const CharacterTable* const windows31J = CharacterTable::of(QByteArrayLiteral("CP932"));
  const CharacterTable* table = m_name == "CP932" ? windows31J : CharacterTable::of(m_name);
  if (table) {
    // Characters beyond the table's plane (pairs, lone halves) go to iconv below.
    const bool inTable = std::all_of(text.begin(), text.end(), [table](QChar c) {
      return !c.isSurrogate() && (*table)[c.unicode()].length != 0;
    });
    if (inTable) return true;
  }
  qint64 lost = 0;
  encode(text, Unmappable::Replace, &lost);
  return lost == 0;
}

QString TextCodec::decode(const QByteArray& bytes, bool* invalid) const {
  if (invalid) *invalid = false;
  if (isUtf8() && !invalid) return QString::fromUtf8(bytes);
  if (isUtf8()) {
    // As QString::fromUtf8 does: a leading mark is kept as U+FEFF.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder(bytes);
    if (invalid) *invalid = decoder.hasError();
    return text;
  }
  if (isUtf16WithMark(m_name)) {
    // The mark decides the byte order; without one, the order this class writes.
    if (bytes.startsWith("\xFE\xFF")) return decodeWithIconv("UTF-16BE", bytes.sliced(2), invalid);
    if (bytes.startsWith("\xFF\xFE")) return decodeWithIconv("UTF-16LE", bytes.sliced(2), invalid);
    return decodeWithIconv("UTF-16LE", bytes, invalid);
  }
  return decodeWithIconv(m_name.constData(), bytes, invalid);
}

std::optional<TextCodec::ByteOrderMark> TextCodec::byteOrderMark(QByteArrayView bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) return ByteOrderMark{"UTF-8", 3};
  if (bytes.startsWith("\xFF\xFE")) return ByteOrderMark{"UTF-16LE", 2};
  if (bytes.startsWith("\xFE\xFF")) return ByteOrderMark{"UTF-16BE", 2};
  return std::nullopt;
}

QByteArray TextCodec::encodingForCodeset(const QByteArray& codeset) {
  const QByteArray n = normalizedName(codeset);
  if (n == "EUCJP" || n == "UJIS" || n == "EUCJPMS") return QByteArrayLiteral("EUC-JP");
  // Shift_JIS text on these systems is the Windows code page: CP932 also holds the NEC and IBM
  // extensions (①, ∥) and maps ～ the way files made on Windows expect.
  if (n == "SJIS" || n == "SHIFTJIS" || n == "CP932" || n == "WINDOWS31J" || n == "MSKANJI" ||
      n == "PCK")
    return QByteArrayLiteral("CP932");
  return QByteArrayLiteral("UTF-8");
}

QByteArray TextCodec::codesetOfLocaleName(const QByteArray& localeName) {
  // language_TERRITORY.codeset@modifier
  const qsizetype dot = localeName.indexOf('.');
  if (dot < 0) return {};
  QByteArray codeset = localeName.sliced(dot + 1);
  if (const qsizetype at = codeset.indexOf('@'); at >= 0) codeset.truncate(at);
  return codeset;
}

TextCodec TextCodec::system() {
  static const QByteArray name = [] {
    // A private locale object leaves the process's own locale alone.
    if (locale_t loc = newlocale(LC_CTYPE_MASK, "", locale_t(nullptr))) {
      const QByteArray codeset = nl_langinfo_l(CODESET, loc);
      freelocale(loc);
      return encodingForCodeset(codeset);
    }
    // The locale the environment names is not installed: its name still tells which encoding
    // the user's files are in.
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
      const QByteArray value = qgetenv(variable);
      if (!value.isEmpty()) return encodingForCodeset(codesetOfLocaleName(value));
    }
    return QByteArrayLiteral("UTF-8");
  }();
  return TextCodec(name);
}

}  // namespace vek
