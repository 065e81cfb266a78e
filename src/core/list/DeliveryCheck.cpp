#include "core/list/DeliveryCheck.h"

#include <QCoreApplication>

#include "core/text/TextCodec.h"

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
// before it: "con.txt", "CON .txt", "Lpt1.tar.gz" and "conin$.log" name devices too.
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
  // The console's own names.
  if (base.size() == 6 || base.size() == 7)
    return sameAscii(base, QLatin1StringView("CONIN$")) ||
           sameAscii(base, QLatin1StringView("CONOUT$"));
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

namespace {

// The notes of the problems joined by separator, in the order of the bits.
QString joinedNotes(DeliveryProblems problems, const QString& separator) {
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
      QT_TRANSLATE_NOOP("DeliveryCheck", "NFC/NFD違いの同名"),
  };
  QString note;
  for (int bit = 0; bit < int(std::size(notes)); ++bit) {
    if (!(problems & (1u << bit))) continue;
    if (!note.isEmpty()) note += separator;
    note += QCoreApplication::translate("DeliveryCheck", notes[bit]);
  }
  return note;
}

}  // namespace

QString deliveryNote(DeliveryProblems problems) {
  if (problems == 0) return {};
  return joinedNotes(problems, QCoreApplication::translate("DeliveryCheck", "、"));
}

QString deliveryNote(const DeliveryFinding& finding) {
  QString note = deliveryNote(finding.name);
  if (finding.folders == 0) return note;
  std::vector<const DeliveryFolder*> faulty;
  for (const DeliveryFolder* level = finding.folder; level; level = level->parent)
    if (level->problems != 0) faulty.push_back(level);
  const QString separator = QCoreApplication::translate("DeliveryCheck", "、");
  const QString within = QCoreApplication::translate("DeliveryCheck", "・");
  for (auto level = faulty.rbegin(); level != faulty.rend(); ++level) {
    if (!note.isEmpty()) note += separator;
    //: %1: the notes of a folder's name, %2: the folder's name
    note += QCoreApplication::translate("DeliveryCheck", "%1（フォルダ「%2」）")
                .arg(joinedNotes((*level)->problems, within), (*level)->name);
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

// Whether composing (NFC) could change the text: besides what mayCompose finds, the blocks
// that hold characters NFC replaces on their own (KELVIN SIGN, CJK compatibility ideographs).
bool mayChangeComposed(QStringView text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0x300) continue;
    if ((u >= 0x0340 && u <= 0x03FF) || (u >= 0x1F00 && u <= 0x1FFF) ||
        (u >= 0x2000 && u <= 0x2FFF) || (u >= 0xF900 && u <= 0xFAFF) || c.isSurrogate())
      return true;
    if ((u >= 0x1161 && u <= 0x11C2) || QChar::combiningClass(char32_t(u)) != 0) return true;
  }
  return false;
}

// The text composed; a view of text itself when composing leaves it as it is.
QStringView composedOf(QStringView text, QString& buffer) {
  if (!mayChangeComposed(text)) return text;
  buffer = text.toString().normalized(QString::NormalizationForm_C);
  return buffer;
}

constexpr size_t kSeed1 = 0x5bd1e995u;
constexpr size_t kSeed2 = 0xc2b2ae3d27d4eb4full;
constexpr size_t kSeed3 = 0x27d4eb2fu;
constexpr size_t kSeed4 = 0x165667b19e3779f9ull;

// The keys of a name (in one or two parts) after the seeds of what holds it.
NameKeys keysOf(QStringView first, QStringView second, size_t seedA, size_t seedB) {
  QString joined;
  QStringView name = first;
  if (!second.isEmpty()) {
    joined.reserve(first.size() + second.size());
    joined += first;
    joined += second;
    name = joined;
  }
  QString buffer;
  const QStringView composed = composedOf(name, buffer);
  NameKeys keys;
  keys.folded = {quint64(foldedHash(composed, seedA ^ kSeed1)),
                 quint64(foldedHash(composed, seedB ^ kSeed2))};
  keys.composed = {quint64(qHash(composed, seedA ^ kSeed3)),
                   quint64(qHash(composed, seedB ^ kSeed4))};
  keys.composedSpelling = keys.composed.first | 1u;
  keys.spelling = quint64(qHash(name, seedA ^ kSeed2)) | 1u;
  return keys;
}

}  // namespace

NameKeys NameKeys::of(QStringView name, QStringView extension) {
  return keysOf(name, extension, 0, 0);
}

RowCheck rowCheck(const FileEntry& row) {
  return {rowProblems(row), NameKeys::of(row.name, row.extension)};
}

DeliveryIndex::Node* DeliveryIndex::nodeOf(const FileEntry& row, bool make) const {
  // Rows of one folder share its text, so an add looks the folder up once per folder.
  const qint32 top =
      row.rootLength >= 0 && row.rootLength <= row.folder.size() ? row.rootLength : -1;
  if (m_lastNode && m_lastTop == top &&
      (row.folder.isSharedWith(m_lastFolder) || row.folder == m_lastFolder))
    return m_lastNode;
  const Key key{quint64(qHash(row.folder, kSeed1)) ^ (quint64(top + 1) * 0x9E3779B97F4A7C15ull),
                quint64(qHash(row.folder, kSeed2))};
  Node* node = nullptr;
  if (const auto it = m_nodes.find(key); it != m_nodes.end()) {
    node = &it->second;
  } else if (make) {
    node = makeNode(row.folder, top, key);
  }
  // Only adds move the remembered folder: findings are asked from several threads at once.
  if (node && make) {
    m_lastNode = node;
    m_lastTop = top;
    m_lastFolder = row.folder;
  }
  return node;
}

DeliveryIndex::Node* DeliveryIndex::makeNode(const QString& folder, qint32 top, Key key) const {
  // The levels missing from the folder up to the nearest one known, made from the top down
  // (a loop, so a deep tree needs no deep stack).
  struct Missing {
    qsizetype length;
    Key key;
  };
  std::vector<Missing> missing{{folder.size(), key}};
  Node* parent = nullptr;
  const auto parentLength = [&](qsizetype length) -> qsizetype {
    // Where the level's own name starts; 0 when it is the top (or outside the add's folder).
    if (top < 0 || length <= top || length < 2) return 0;
    const qsizetype slash = QStringView(folder).left(length - 1).lastIndexOf(u'/');
    return slash + 1 >= top && slash >= 0 ? slash + 1 : 0;
  };
  for (;;) {
    const qsizetype length = parentLength(missing.back().length);
    if (length == 0) break;
    const QStringView text = QStringView(folder).left(length);
    const Key up{quint64(qHash(text, kSeed1)) ^ (quint64(top + 1) * 0x9E3779B97F4A7C15ull),
                 quint64(qHash(text, kSeed2))};
    if (const auto it = m_nodes.find(up); it != m_nodes.end()) {
      parent = &it->second;
      break;
    }
    missing.push_back({length, up});
  }
  for (auto level = missing.rbegin(); level != missing.rend(); ++level) {
    Node& node = m_nodes[level->key];
    const qsizetype from = parentLength(level->length);
    if (from > 0 && parent) {
      node.parent = parent;
      node.name = folder.mid(from, level->length - from - 1);
      // A folder's name gets the rules of a file's name, except those of helper files.
      node.problems = nameProblems(node.name) & DeliveryProblems(~HelperFile);
      node.nameFault = parent->nameFault || node.problems != 0;
      node.underClash = parent->underClash;
      parent->children.push_back(&node);
      joinSiblings(node, QStringView(folder).left(from));
    }
    parent = &node;
  }
  return parent;
}

void DeliveryIndex::joinSiblings(Node& node, QStringView parentFolder) const {
  const NameKeys keys = keysOf(node.name, {}, size_t(qHash(parentFolder, kSeed3)),
                               size_t(qHash(parentFolder, kSeed4)));
  enterSiblingGroup(node, keys.folded, keys.composedSpelling, CaseClash);
  enterSiblingGroup(node, keys.composed, keys.spelling, FormClash);
}

void DeliveryIndex::enterSiblingGroup(Node& node, Key key, quint64 spelling,
                                      DeliveryProblems clash) const {
  SiblingGroup& group = m_siblings[key];
  group.nodes.push_back(&node);
  if (group.spelling == 0) {
    group.spelling = spelling;
    return;
  }
  if (!group.clash && group.spelling == spelling) return;
  group.clash = true;
  // Every level of the group clashes from now on: the new one, and the others with the rows
  // below them.
  for (Node* member : group.nodes) {
    member->problems |= clash;
    markClashing(*member);
  }
}

void DeliveryIndex::markClashing(Node& node) const {
  if (node.underClash) return;
  std::vector<Node*> below{&node};
  while (!below.empty()) {
    Node* level = below.back();
    below.pop_back();
    if (level->underClash) continue;
    if (!level->nameFault) m_noted += level->quiet;
    level->underClash = true;
    below.insert(below.end(), level->children.begin(), level->children.end());
  }
}

void DeliveryIndex::add(const FileEntry& row, const RowCheck& check) {
  Node& node = *nodeOf(row, true);
  Group& folded = node.folded[check.keys.folded];
  Group& composed = node.composed[check.keys.composed];
  const bool faulty = node.faulty();
  // Rows that were quiet until now get their note when a second spelling arrives; the rows of
  // a composed form are among those of its folded group.
  const auto lose = [&](qint64 rows) {
    node.quiet -= rows;
    if (!faulty) m_noted += rows;
  };
  if (folded.spelling == 0) {
    folded.spelling = check.keys.composedSpelling;
  } else if (!folded.clash && folded.spelling != check.keys.composedSpelling) {
    folded.clash = true;
    lose(folded.quiet);
    folded.quiet = 0;
  }
  if (composed.spelling == 0) {
    composed.spelling = check.keys.spelling;
  } else if (!composed.clash && composed.spelling != check.keys.spelling) {
    composed.clash = true;
    if (!folded.clash) {
      lose(composed.quiet);
      folded.quiet -= composed.quiet;
    }
    composed.quiet = 0;
  }
  if (check.own == 0 && !folded.clash && !composed.clash) {
    ++folded.quiet;
    ++composed.quiet;
    ++node.quiet;
    if (faulty) ++m_noted;
  } else {
    ++m_noted;
  }
}

DeliveryFinding DeliveryIndex::finding(const FileEntry& row) const {
  DeliveryFinding found;
  found.name = rowProblems(row);
  const Node* node = nodeOf(row, false);
  if (!node) return found;
  const NameKeys keys = NameKeys::of(row.name, row.extension);
  if (const auto it = node->folded.constFind(keys.folded); it != node->folded.cend() && it->clash)
    found.name |= CaseClash;
  if (const auto it = node->composed.constFind(keys.composed);
      it != node->composed.cend() && it->clash)
    found.name |= FormClash;
  found.folder = node;
  for (const DeliveryFolder* level = node; level; level = level->parent)
    found.folders |= level->problems;
  return found;
}

void DeliveryIndex::clear() {
  m_stale = false;
  m_nodes.clear();
  m_siblings.clear();
  m_noted = 0;
  m_lastFolder.clear();
  m_lastTop = -1;
  m_lastNode = nullptr;
}

void DeliveryIndex::reserve(qsizetype rows) {
  // Folders hold a few dozen files as a rule; the tables grow as they must.
  m_nodes.reserve(std::size_t(std::max<qsizetype>(rows, 0) / 16));
}

DeliveryFindings deliveryProblems(std::span<const FileEntry> rows) {
  auto index = std::make_shared<DeliveryIndex>();
  index->reserve(qsizetype(rows.size()));
  for (const FileEntry& row : rows) index->add(row);
  return index;
}

}  // namespace vek
