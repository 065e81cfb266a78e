// The iconv side of the text encodings, shared by the codec and its encoders: handles, the
// tables found from iconv once per encoding, and decoding. Only the text codec's own files use
// these; everything else goes through TextCodec.
#pragma once

#include <map>
#include <vector>

#include <iconv.h>

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace vek::iconvtext {

// QString's code units as iconv sees them.
inline constexpr const char* kHostUtf16 = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? "UTF-16LE" : "UTF-16BE";

// Upper case without '-' and '_', so that "utf8", "UTF-8" and "Utf_8" compare equal.
QByteArray normalizedName(const QByteArray& name);

// "UTF-16" means little-endian with a byte-order mark on every platform: the encoder writes the
// mark itself rather than relying on what the C library's "UTF-16" happens to choose.
bool isUtf16WithMark(const QByteArray& name);

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

// One character of the Basic Multilingual Plane through cd from its initial state, the shift
// state closed after it: the number of bytes written to out, or -1 when the encoding cannot
// hold the character (or size is too small).
qsizetype encodeCharacter(iconv_t cd, char16_t unit, char* out, size_t size);

// A stateless double-byte encoding such as CP932 through a table of what iconv makes of each
// character of the Basic Multilingual Plane, filled once per process from iconv itself: the
// same bytes, without a library call per character. Characters beyond the plane go through
// iconv as they come.
class CharacterTable {
 public:
  explicit CharacterTable(const QByteArray& name);
  bool isReady() const { return m_ready; }
  struct Entry {
    char bytes[3] = {};
    quint8 length = 0;  // 0: the encoding cannot hold the character
  };
  const Entry& operator[](char16_t c) const { return m_entries[c]; }

  // One table per encoding, made when it is first asked for; nullptr when there is none.
  static const CharacterTable* of(const QByteArray& name);

 private:
  std::vector<Entry> m_entries;
  bool m_ready = false;
};

// The characters of the Basic Multilingual Plane an encoding writes as another one, each with
// the character a reader gets back: each is written to it and read back through iconv, once
// per encoding and process. A few dozen milliseconds, paid only by a list in a legacy encoding.
const std::map<char16_t, char16_t>& bestFitReadBack(const QByteArray& name);

// bytes in the encoding name as text; invalid bytes become U+FFFD, and invalid, when given, is
// set when there were any.
QString decodeWithIconv(const char* name, const QByteArray& bytes, bool* invalid);

}  // namespace vek::iconvtext
