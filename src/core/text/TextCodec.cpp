// Encoders and decoders over glibc iconv, a UTF-8 fast path over Qt's own converter, and the
// choice of the system's text encoding from the locale.
#include "core/text/TextCodec.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <mutex>
#include <vector>

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <QStringDecoder>

namespace vek {

namespace {

// QString's code units as iconv sees them.
const char* const kHostUtf16 = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? "UTF-16LE" : "UTF-16BE";

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Upper case without '-' and '_', so that "utf8", "UTF-8" and "Utf_8" compare equal.
QByteArray normalizedName(const QByteArray& name) {
  QByteArray result;
  result.reserve(name.size());
  for (char c : name)
    if (c != '-' && c != '_') result.append(c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c);
  return result;
}

// "UTF-16" means little-endian with a byte-order mark on every platform: the encoder writes the
// mark itself rather than relying on what the C library's "UTF-16" happens to choose.
bool isUtf16WithMark(const QByteArray& name) {
  return normalizedName(name) == "UTF16";
}

class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
  ~IconvHandle() {
    if (isOpen()) iconv_close(m_cd);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
  bool isOpen() const { return m_cd != iconv_t(-1); }
  iconv_t get() const { return m_cd; }

 private:
  iconv_t m_cd;
};

// One character of the input at index i: its code point and length in code units; a surrogate
// without its partner comes back as lone.
struct CharAt {
  char32_t codePoint;
  qsizetype length;
  bool lone;
};

CharAt charAt(QStringView text, qsizetype i) {
  const char16_t unit = text[i].unicode();
  if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
      QChar::isLowSurrogate(text[i + 1].unicode()))
    return {QChar::surrogateToUcs4(unit, text[i + 1].unicode()), 2, false};
  if (QChar::isSurrogate(unit)) return {unit, 1, true};
  return {unit, 1, false};
}

QString decimalReference(char32_t codePoint) {
  return u"&#" + QString::number(quint32(codePoint)) + u';';
}

// Shared by both encoders: a trailing high surrogate is held until the next call, since its
// partner may start the next piece of text.
class EncoderBase : public TextEncoder {
 public:
  explicit EncoderBase(Unmappable mode) : m_mode(mode) {}
  qint64 lostCharacters() const override { return m_lost; }

 protected:
  // Joins a held high surrogate to the text and holds a new trailing one.
  QStringView takeText(QStringView text, QString& joined) {
    if (!m_held.isNull()) {
      joined = QString(m_held) + text;
      m_held = QChar();
      text = joined;
    }
    if (!text.isEmpty() && text.back().isHighSurrogate()) {
      m_held = text.back();
      text.chop(1);
    }
    return text;
  }
  QChar takeHeld() {
    const QChar held = m_held;
    m_held = QChar();
    return held;
  }

  Unmappable m_mode;
  qint64 m_lost = 0;

 private:
  QChar m_held;
};

class Utf8Encoder final : public EncoderBase {
 public:
  using EncoderBase::EncoderBase;

  QByteArray encode(QStringView input) override {
    QString joined;
    const QStringView text = takeText(input, joined);
    qsizetype firstSurrogate = -1;
    for (qsizetype i = 0; i < text.size(); ++i)
      if (text[i].isSurrogate()) {
        firstSurrogate = i;
        break;
      }
    if (firstSurrogate < 0) return text.toUtf8();

    QByteArray out = text.first(firstSurrogate).toUtf8();
    qsizetype runStart = firstSurrogate;
    for (qsizetype i = firstSurrogate; i < text.size();) {
      const CharAt c = charAt(text, i);
      if (c.lone) {
        out += text.sliced(runStart, i - runStart).toUtf8();
        out += lone();
        runStart = i + 1;
      }
      i += c.length;
    }
    out += text.sliced(runStart).toUtf8();
    return out;
  }

  QByteArray finish() override { return takeHeld().isNull() ? QByteArray() : lone(); }

 private:
  QByteArray lone() {
    ++m_lost;
    return m_mode == Unmappable::Replace ? QByteArrayLiteral("?") : QStringView(u"\uFFFD").toUtf8();
  }
};

class IconvEncoder final : public EncoderBase {
 public:
  IconvEncoder(const QByteArray& name, Unmappable mode)
      : EncoderBase(mode),
        m_withMark(isUtf16WithMark(name)),
        m_cd(m_withMark ? "UTF-16LE" : name.constData(), kHostUtf16) {}

  bool isOpen() const { return m_cd.isOpen(); }

  QByteArray encode(QStringView input) override {
    QString joined;
    const QStringView text = takeText(input, joined);
    QByteArray out = mark();
    out.reserve(out.size() + text.size() * 2 + 16);
    qsizetype done = 0;
    while (done < text.size()) {
      done += convert(text.sliced(done), out);
      if (done < text.size()) {
        // iconv stopped on a character it cannot write (or a lone surrogate).
        const CharAt c = charAt(text, done);
        unmappable(c, out);
        done += c.length;
      }
    }
    return out;
  }

  QByteArray finish() override {
    QByteArray out = mark();
    if (const QChar held = takeHeld(); !held.isNull()) unmappable({held.unicode(), 1, true}, out);
    char buffer[64];
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    iconv(m_cd.get(), nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, outPtr - buffer);
    m_markWritten = false;  // a reused encoder starts a new stream
    return out;
  }

 private:
  QByteArray mark() {
    if (!m_withMark || m_markWritten) return {};
    m_markWritten = true;
    return QByteArrayLiteral("\xFF\xFE");
  }

  // Converts as much of text as iconv accepts, appending to out; returns the code units taken.
  qsizetype convert(QStringView text, QByteArray& out) {
    char* in = const_cast<char*>(reinterpret_cast<const char*>(text.utf16()));
    size_t inLeft = size_t(text.size()) * 2;
    char buffer[4096];
    while (inLeft > 0) {
      char* outPtr = buffer;
      size_t outLeft = sizeof buffer;
      const size_t result = iconv(m_cd.get(), &in, &inLeft, &outPtr, &outLeft);
      out.append(buffer, outPtr - buffer);
      if (result == size_t(-1) && errno != E2BIG) break;
    }
    return text.size() - qsizetype(inLeft / 2);
  }

  // Converts text that must fit whole; false (and nothing written) when it does not.
  bool convertWhole(QStringView text, QByteArray& out) {
    QByteArray piece;
    if (convert(text, piece) != text.size()) return false;
    out += piece;
    return true;
  }

  void unmappable(const CharAt& c, QByteArray& out) {
    if (m_mode == Unmappable::Replace) {
      ++m_lost;
      convertWhole(u"?", out);
      return;
    }
    if (c.lone) {
      // No encoding holds a lone surrogate, nor may a reference name one.
      ++m_lost;
      const char16_t replacement = char16_t(kReplacementCharacter);
      if (convertWhole(QStringView(&replacement, 1), out)) return;
      convertWhole(decimalReference(kReplacementCharacter), out);
      return;
    }
    convertWhole(decimalReference(c.codePoint), out);
  }

  bool m_withMark;
  bool m_markWritten = false;
  IconvHandle m_cd;
};

// One character of the Basic Multilingual Plane through cd from its initial state, the shift
// state closed after it: the number of bytes written to out, or -1 when the encoding cannot
// hold the character (or size is too small).
qsizetype encodeCharacter(iconv_t cd, char16_t unit, char* out, size_t size) {
  char* in = const_cast<char*>(reinterpret_cast<const char*>(&unit));
  size_t inLeft = 2;
  char* at = out;
  size_t outLeft = size;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &in, &inLeft, &at, &outLeft) == size_t(-1) || inLeft != 0) return -1;
  iconv(cd, nullptr, nullptr, &at, &outLeft);  // back to the initial state
  return at - out;
}

// A stateless double-byte encoding such as CP932 through a table of what iconv makes of each
// character of the Basic Multilingual Plane, filled once per process from iconv itself: the
// same bytes, without a library call per character. Characters beyond the plane go through
// iconv as they come.
class CharacterTable {
 public:
  explicit CharacterTable(const QByteArray& name) {
    IconvHandle cd(name.constData(), kHostUtf16);
    if (!cd.isOpen()) return;
    m_entries.resize(0x10000);
    for (char32_t c = 0; c < 0x10000; ++c) {
      if (QChar::isSurrogate(c)) continue;
      char buffer[8];
      const qsizetype length = encodeCharacter(cd.get(), char16_t(c), buffer, sizeof buffer);
      if (length <= 0 || length > 3) continue;
      Entry& entry = m_entries[c];
      entry.length = quint8(length);
      std::copy(buffer, buffer + length, entry.bytes);
    }
    m_ready = true;
  }
  bool isReady() const { return m_ready; }
  struct Entry {
    char bytes[3] = {};
    quint8 length = 0;  // 0: the encoding cannot hold the character
  };
  const Entry& operator[](char16_t c) const { return m_entries[c]; }

  // One table per encoding, made when it is first asked for; nullptr when there is none.
  static const CharacterTable* of(const QByteArray& name) {
    const QByteArray n = normalizedName(name);
    if (n == "CP932") {
      static const CharacterTable table(QByteArrayLiteral("CP932"));
      return table.isReady() ? &table : nullptr;
    }
    return nullptr;
  }

 private:
  std::vector<Entry> m_entries;
  bool m_ready = false;
};

class TableEncoder final : public EncoderBase {
 public:
  TableEncoder(const CharacterTable& table, const QByteArray& name)
      : EncoderBase(Unmappable::Replace), m_table(table), m_name(name) {}

  QByteArray encode(QStringView input) override {
    QString joined;
    const QStringView text = takeText(input, joined);
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    char* p = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
      const char16_t c = text[i].unicode();
      if (c < 0x80) {
        *p++ = char(c);
        continue;
      }
      if (!QChar::isSurrogate(c)) {
        const CharacterTable::Entry& entry = m_table[c];
        if (entry.length != 0 && entry.length <= 2) {
          *p++ = entry.bytes[0];
          if (entry.length == 2) *p++ = entry.bytes[1];
          continue;
        }
      }
      // Anything else (three bytes, a pair, a lone half, a character the table lacks) through
      // iconv, as the other encoders write it.
      const CharAt at = charAt(text, i);
      const qsizetype done = p - out.data();
      out.truncate(done);
      QByteArray piece;
      if (!at.lone) {
        IconvEncoder& fallback = this->fallback();
        piece = fallback.encode(text.sliced(i, at.length));
        m_lost += fallback.lostCharacters() - m_fallbackLost;
        m_fallbackLost = fallback.lostCharacters();
      } else {
        ++m_lost;
        piece = QByteArrayLiteral("?");
      }
      out += piece;
      out.resize(done + piece.size() + (text.size() - i) * 2);
      p = out.data() + done + piece.size();
      i += at.length - 1;
    }
    out.truncate(p - out.data());
    return out;
  }

  QByteArray finish() override {
    if (!takeHeld().isNull()) {
      ++m_lost;
      return QByteArrayLiteral("?");
    }
    return {};
  }

 private:
  IconvEncoder& fallback() {
    if (!m_fallback) m_fallback = std::make_unique<IconvEncoder>(m_name, Unmappable::Replace);
    return *m_fallback;
  }

  const CharacterTable& m_table;
  QByteArray m_name;
  std::unique_ptr<IconvEncoder> m_fallback;
  qint64 m_fallbackLost = 0;
};

// The characters of the Basic Multilingual Plane an encoding writes as another one: each is
// written to it and read back through iconv, once per encoding and process. A few dozen
// milliseconds, paid only by a list in a legacy encoding.
class BestFitTable {
 public:
  explicit BestFitTable(const QByteArray& name) {
    const QByteArray n = normalizedName(name);
    if (n.startsWith("UTF") || n.startsWith("UCS")) return;  // every character as itself
    IconvHandle to(name.constData(), kHostUtf16);
    IconvHandle from(kHostUtf16, name.constData());
    if (!to.isOpen() || !from.isOpen()) return;
    for (char32_t c = 0x80; c < 0x10000; ++c) {
      if (QChar::isSurrogate(c)) continue;
      const char16_t unit = char16_t(c);
      char bytes[16];
      const qsizetype length = encodeCharacter(to.get(), unit, bytes, sizeof bytes);
      if (length < 0) continue;
      char* back = bytes;
      size_t backLeft = size_t(length);
      char16_t read[4];
      char* readOut = reinterpret_cast<char*>(read);
      size_t readLeft = sizeof read;
      iconv(from.get(), nullptr, nullptr, nullptr, nullptr);
      if (iconv(from.get(), &back, &backLeft, &readOut, &readLeft) == size_t(-1) || backLeft != 0)
        continue;
      const qsizetype units = qsizetype(sizeof read - readLeft) / 2;
      if (units == 1 && read[0] != unit) m_readBack.emplace(unit, read[0]);
    }
  }
  const std::map<char16_t, char16_t>& readBack() const { return m_readBack; }

  static const BestFitTable& of(const QByteArray& name) {
    static std::mutex mutex;
    static std::map<QByteArray, std::unique_ptr<const BestFitTable>> tables;
    const std::lock_guard lock(mutex);
    auto& table = tables[name];
    if (!table) table = std::make_unique<const BestFitTable>(name);
    return *table;
  }

 private:
  std::map<char16_t, char16_t> m_readBack;
};

QString decodeWithIconv(const char* name, const QByteArray& bytes, bool* invalid) {
  IconvHandle cd(kHostUtf16, name);
  if (!cd.isOpen()) {
    if (invalid) *invalid = !bytes.isEmpty();
    return QString(bytes.size(), QChar(QChar::ReplacementCharacter));
  }
  QString result;
  result.reserve(bytes.size());
  char* in = const_cast<char*>(bytes.constData());
  size_t inLeft = size_t(bytes.size());
  char16_t buffer[2048];
  while (inLeft > 0) {
    char* outPtr = reinterpret_cast<char*>(buffer);
    size_t outLeft = sizeof buffer;
    const size_t r = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
    result.append(QStringView(buffer, (reinterpret_cast<char16_t*>(outPtr) - buffer)));
    if (r != size_t(-1) || errno == E2BIG) continue;
    // An invalid byte (EILSEQ) or a sequence cut off at the end (EINVAL): mark it and go on.
    result.append(QChar(QChar::ReplacementCharacter));
    if (invalid) *invalid = true;
    if (errno == EINVAL) break;
    // UTF-16 goes on at the next code unit, not in the middle of one.
    const size_t skip = std::min(inLeft, size_t(qstrnicmp(name, "UTF-16", 6) == 0 ? 2 : 1));
    in += skip;
    inLeft -= skip;
  }
  return result;
}

}  // namespace

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
  if (isUtf8()) return std::make_unique<Utf8Encoder>(mode);
  if (mode == Unmappable::Replace)
    if (const CharacterTable* table = CharacterTable::of(m_name))
      return std::make_unique<TableEncoder>(*table, m_name);
  auto encoder = std::make_unique<IconvEncoder>(m_name, mode);
  if (!encoder->isOpen()) return nullptr;
  return encoder;
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
  return isUtf8() ? none : BestFitTable::of(m_name).readBack();
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
