#include "core/DeliveryCheck.h"

#include <QCoreApplication>

#include "core/TextCodec.h"

namespace vek {

namespace {

bool isForbidden(char16_t c) {
  switch (c) {
    case u'<':
    case u'>':
    case u':':
    case u'"':
    case u'|':
    case u'?':
    case u'*':
    case u'\\':
      return true;
    default:
      return c < 0x20;
  }
}

char16_t asciiUpper(char16_t c) {
  return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
}

bool sameAscii(QStringView text, QLatin1StringView upper) {
  if (text.size() != upper.size()) return false;
  for (qsizetype i = 0; i < text.size(); ++i)
    if (asciiUpper(text[i].unicode()) != char16_t(upper[i].unicode())) return false;
  return true;
}

// Windows takes a name as a device whatever follows the first dot, and ignores spaces
// before it: "con.txt", "CON .txt" and "Lpt1.tar.gz" name devices too.
bool isReservedName(QStringView fileName) {
  // Every device name starts with one of these letters: most names stop here.
  if (fileName.isEmpty()) return false;
  switch (asciiUpper(fileName.front().unicode())) {
    case u'A':
    case u'C':
    case u'L':
    case u'N':
    case u'P':
      break;
    default:
      return false;
  }
  const qsizetype dot = fileName.indexOf(u'.');
  QStringView base = fileName.left(dot < 0 ? fileName.size() : dot);
  while (!base.isEmpty() && base.back() == u' ') base.chop(1);
  if (base.size() == 3) {
    for (const char* name : {"CON", "PRN", "AUX", "NUL"})
      if (sameAscii(base, QLatin1StringView(name))) return true;
    return false;
  }
  if (base.size() != 4) return false;
  const QStringView stem = base.left(3);
  if (!sameAscii(stem, QLatin1StringView("COM")) && !sameAscii(stem, QLatin1StringView("LPT")))
    return false;
  // COM1-9 and LPT1-9, and the superscript ones Windows also reserves; COM0 and COM10 are
  // ordinary names.
  const char16_t digit = base[3].unicode();
  return (digit >= u'1' && digit <= u'9') || digit == u'¹' || digit == u'²' || digit == u'³';
}

bool isHelperFile(QStringView fileName) {
  // Case folding keeps the length in UTF-16 units, so other lengths need no comparison.
  const qsizetype size = fileName.size();
  return fileName.startsWith(u"~$") || fileName.startsWith(u"._") ||
         (size == 9 && fileName.compare(u"Thumbs.db", Qt::CaseInsensitive) == 0) ||
         (size == 11 && fileName.compare(u"desktop.ini", Qt::CaseInsensitive) == 0) ||
         (size == 9 && fileName.compare(u".DS_Store", Qt::CaseInsensitive) == 0);
}

// Whether composing could change the text: it holds a combining mark or a Hangul vowel or
// final consonant, the only characters NFC joins to the one before.
bool mayCompose(QStringView text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0x300) continue;
    if ((u >= 0x1161 && u <= 0x11C2) || QChar::combiningClass(char32_t(u)) != 0) return true;
  }
  return false;
}

const TextCodec& windows31J() {
  static const TextCodec codec(QByteArrayLiteral("CP932"));
  return codec;
}

}  // namespace

DeliveryProblems nameProblems(QStringView fileName) {
  DeliveryProblems problems = 0;
  bool ascii = true;
  for (const QChar c : fileName) {
    const char16_t u = c.unicode();
    if (u >= 0x80) {
      ascii = false;
    } else if (isForbidden(u)) {
      problems |= ForbiddenCharacter;
    }
  }
  if (!fileName.isEmpty() && (fileName.back() == u'.' || fileName.back() == u' '))
    problems |= TrailingDotOrSpace;
  if (isReservedName(fileName)) problems |= ReservedName;
  if (isHelperFile(fileName)) problems |= HelperFile;
  if (ascii) return problems;
  // Shift_JIS text in Vek is written composed: what counts is the composed name.
  QString composed;
  QStringView written = fileName;
  if (mayCompose(fileName)) {
    composed = fileName.toString().normalized(QString::NormalizationForm_C);
    if (composed != fileName) problems |= Decomposed;
    written = composed;
  }
  if (!windows31J().holds(written)) problems |= NotInWindows31J;
  return problems;
}

DeliveryProblems rowProblems(const FileEntry& row) {
  // One buffer per thread for the name: this runs for every row a window adds.
  thread_local QString fileName;
  fileName.resize(0);
  fileName += row.name;
  fileName += row.extension;
  DeliveryProblems problems = nameProblems(fileName);
  const qsizetype from = row.rootLength >= 0 && row.rootLength <= row.folder.size()
                             ? row.rootLength
                             : row.folder.size();
  const qsizetype length = row.folder.size() - from + row.name.size() + row.extension.size();
  if (length > kWindowsPathLimit) problems |= LongPath;
  return problems;
}

QString deliveryNote(DeliveryProblems problems) {
  if (problems == 0) return {};
  // Looked up at each call: the notes speak the language installed now.
  static constexpr const char* notes[] = {
      QT_TRANSLATE_NOOP("DeliveryCheck", "Windowsで使えない文字"),
      QT_TRANSLATE_NOOP("DeliveryCheck", "Windowsの予約名"),
      QT_TRANSLATE_NOOP("DeliveryCheck", "末尾が点か空白"),
      QT_TRANSLATE_NOOP("DeliveryCheck", "パスが260文字超"),
      QT_TRANSLATE_NOOP("DeliveryCheck", "分解形(NFD)の名前"),
      QT_TRANSLATE_NOOP("DeliveryCheck", "Shift_JISにない文字"),
      QT_TRANSLATE_NOOP("DeliveryCheck", "大文字小文字違いの同名"),
      QT_TRANSLATE_NOOP("DeliveryCheck", "OS・Officeの管理ファイル"),
  };
  QString note;
  for (int bit = 0; bit < int(std::size(notes)); ++bit) {
    if (!(problems & (1u << bit))) continue;
    if (!note.isEmpty()) note += QCoreApplication::translate("DeliveryCheck", "、");
    note += QCoreApplication::translate("DeliveryCheck", notes[bit]);
  }
  return note;
}

const char* const kDeliveryCheckCaptionSource = QT_TRANSLATE_NOOP("DeliveryCheck", "注意");

QString deliveryCheckCaption() {
  return QCoreApplication::translate("DeliveryCheck", kDeliveryCheckCaptionSource);
}

namespace {

// A hash of the text case-folded; ASCII text is folded into a buffer on the stack, the rest
// through QString, with the same units and so the same hash.
size_t foldedHash(QStringView text, size_t seed) {
  constexpr qsizetype kOnStack = 256;
  char16_t folded[kOnStack];
  if (text.size() <= kOnStack) {
    const char16_t* data = text.utf16();
    bool ascii = true;
    for (qsizetype i = 0; i < text.size() && ascii; ++i) {
      const char16_t c = data[i];
      ascii = c < 0x80;
      folded[i] = c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    }
    if (ascii) return qHash(QStringView(folded, text.size()), seed);
  }
  return qHash(QStringView(text.toString().toCaseFolded()), seed);
}

}  // namespace

CaseClashIndex::NameKeys CaseClashIndex::nameKeys(const FileEntry& row) {
  return {nameKey(row),
          quint64(qHash(QStringView(row.extension), qHash(row.name, size_t(0x27d4eb2fu)))) | 1u};
}

RowCheck rowCheck(const FileEntry& row) {
  return {rowProblems(row), CaseClashIndex::nameKeys(row)};
}

CaseClashIndex::Key CaseClashIndex::nameKey(const FileEntry& row) {
  // Two hashes of the folded name, 128 bits together with the folder's two: two different names
  // of a million rows meet in one key with a chance far below one in 10^20.
  const auto hash = [&row](size_t seed) {
    return quint64(foldedHash(row.extension, foldedHash(row.name, seed)));
  };
  return {hash(size_t(0x5bd1e995u)), hash(size_t(0xc2b2ae3d27d4eb4full))};
}

CaseClashIndex::Names* CaseClashIndex::namesOf(const FileEntry& row, bool make) const {
  // Rows of one folder share its text, so the folder is looked up once per folder.
  if (m_haveFolder && (row.folder.isSharedWith(m_lastFolder) || row.folder == m_lastFolder) &&
      (m_lastNames || !make))
    return m_lastNames;
  const Key folder{qHash(row.folder, size_t(0x5bd1e995u)),
                   qHash(row.folder, size_t(0xc2b2ae3d27d4eb4full))};
  m_haveFolder = true;
  m_lastFolder = row.folder;
  if (make) {
    m_lastNames = &m_folders[folder];
  } else {
    const auto it = m_folders.find(folder);
    m_lastNames = it == m_folders.end() ? nullptr : &it->second;
  }
  return m_lastNames;
}

void CaseClashIndex::clear() {
  m_folders.clear();
  m_haveFolder = false;
  m_lastFolder.clear();
  m_lastNames = nullptr;
}

void CaseClashIndex::reserve(qsizetype rows) {
  // Folders hold a few dozen files as a rule; the tables grow as they must.
  m_folders.reserve(std::size_t(std::max<qsizetype>(rows, 0) / 16));
}

bool CaseClashIndex::add(const FileEntry& row, const NameKeys& keys, Group** groupOut) {
  Group& group = (*namesOf(row, true))[keys.name];
  if (groupOut) *groupOut = &group;
  const quint64 spelling = keys.spelling;
  if (group.spelling == 0) {
    group.spelling = spelling;
    return false;
  }
  if (group.clash || group.spelling == spelling) return false;
  group.clash = true;
  return true;
}

bool CaseClashIndex::clashes(const FileEntry& row) const {
  const Names* names = namesOf(row, false);
  if (!names) return false;
  const auto it = names->constFind(nameKey(row));
  return it != names->cend() && it->clash;
}

std::vector<DeliveryProblems> deliveryProblems(std::span<const FileEntry> rows) {
  CaseClashIndex clashes;
  clashes.reserve(qsizetype(rows.size()));
  for (const FileEntry& row : rows) clashes.add(row);
  std::vector<DeliveryProblems> problems(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    problems[i] = rowProblems(rows[i]);
    if (clashes.clashes(rows[i])) problems[i] |= CaseClash;
  }
  return problems;
}

}  // namespace vek
