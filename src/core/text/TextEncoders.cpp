#include "core/text/TextEncoders.h"

#include <cerrno>

#include <QString>

namespace vek::iconvtext {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

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

}  // namespace

std::unique_ptr<TextEncoder> makeUtf8Encoder(Unmappable mode) {
  return std::make_unique<Utf8Encoder>(mode);
}

std::unique_ptr<TextEncoder> makeTableEncoder(const CharacterTable& table, const QByteArray& name) {
  return std::make_unique<TableEncoder>(table, name);
}

std::unique_ptr<TextEncoder> makeIconvEncoder(const QByteArray& name, Unmappable mode) {
  auto encoder = std::make_unique<IconvEncoder>(name, mode);
  if (!encoder->isOpen()) return nullptr;
  return encoder;
}

}  // namespace vek::iconvtext
