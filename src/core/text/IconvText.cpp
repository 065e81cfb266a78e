#include "core/text/IconvText.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <mutex>

namespace vek::iconvtext {

namespace {

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

 private:
  std::map<char16_t, char16_t> m_readBack;
};

}  // namespace

QByteArray normalizedName(const QByteArray& name) {
  QByteArray result;
  result.reserve(name.size());
  for (char c : name)
    if (c != '-' && c != '_') result.append(c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c);
  return result;
}

bool isUtf16WithMark(const QByteArray& name) {
  return normalizedName(name) == "UTF16";
}

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

CharacterTable::CharacterTable(const QByteArray& name) {
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

const CharacterTable* CharacterTable::of(const QByteArray& name) {
  const QByteArray n = normalizedName(name);
  if (n == "CP932") {
    static const CharacterTable table(QByteArrayLiteral("CP932"));
    return table.isReady() ? &table : nullptr;
  }
  return nullptr;
}

const std::map<char16_t, char16_t>& bestFitReadBack(const QByteArray& name) {
  static std::mutex mutex;
  static std::map<QByteArray, std::unique_ptr<const BestFitTable>> tables;
  const std::lock_guard lock(mutex);
  auto& table = tables[name];
  if (!table) table = std::make_unique<const BestFitTable>(name);
  return table->readBack();
}

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

}  // namespace vek::iconvtext
