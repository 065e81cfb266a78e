// The delivery check: what a recipient on Windows (or a Mac) would stumble over in a listed
// file, over its whole path below the folder its add started from: the rules of a name for
// the file and for every folder level, and the clashes among siblings (names that differ
// only in case, or only in composed and decomposed form) at every level. Each problem has a
// short note; the list's 注意 column and the writers' column show the notes of a row joined,
// naming the folder level at fault.
#pragma once

#include <memory>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

#include <QHash>
#include <QString>
#include <QStringView>

#include "core/list/FileEntry.h"

namespace vek {

// One bit per problem; the notes are joined in this order.
enum DeliveryProblem : quint16 {
  ForbiddenCharacter = 1 << 0,  // < > : " | ? * \ or a control character
  ReservedName = 1 << 1,  // CON, PRN, AUX, NUL, COM1-9, LPT1-9, CONIN$, CONOUT$, any extension
  TrailingDotOrSpace = 1 << 2,  // Windows drops them, so the name changes
  LongPath = 1 << 3,            // more than kWindowsPathLimit UTF-16 units below the add's folder
  Decomposed = 1 << 4,          // not in composed form (NFC), as macOS writes names
  NotInWindows31J = 1 << 5,     // a character Shift_JIS (CP932) cannot hold, even composed
  CaseClash = 1 << 6,           // another name of its folder differs only in case
  HelperFile = 1 << 7,          // Thumbs.db, desktop.ini, .DS_Store, ._*, Office's ~$* lock files
  FormClash = 1 << 8,           // another name of its folder is the same composed (NFC vs NFD)
};
using DeliveryProblems = quint16;

// The longest path Windows takes without long-path support (MAX_PATH, 260).
inline constexpr qsizetype kWindowsPathLimit = 260;

// The problems of a file name on its own.
DeliveryProblems nameProblems(QStringView fileName);
// The same, and whether the path below the folder the row's add started from
// (FileEntry::relativePath, "sub/file.txt": what the recipient unpacks) is longer than
// kWindowsPathLimit as Windows counts it, in UTF-16 units with "\" for "/".
DeliveryProblems rowProblems(const FileEntry& row);

// The short Japanese notes of the problems, joined by "、"; empty for none.
QString deliveryNote(DeliveryProblems problems);
// "注意", the caption of the column.
QString deliveryCheckCaption();
// Its source text, in the translation context "DeliveryCheck".
extern const char* const kDeliveryCheckCaptionSource;

// The problems of a row at its folder levels: the folder text below the folder its add
// started from, one node per folder level, each with the problems of its own name and its
// clashes with its siblings (CaseClash, FormClash).
struct DeliveryFolder {
  const DeliveryFolder* parent = nullptr;  // null at the folder the add started from
  QString name;                            // the folder's own name; empty at the top
  DeliveryProblems problems = 0;
};

// What the delivery check found for one row: the problems of its name (with the clashes
// among the names of its folder) and those of the folder levels above it.
struct DeliveryFinding {
  DeliveryProblems name = 0;
  DeliveryProblems folders = 0;            // every folder level's problems together
  const DeliveryFolder* folder = nullptr;  // the row's own folder level, for the note
  bool noted() const { return (name | folders) != 0; }
};

// The note of a finding: the name's notes as deliveryNote gives them, then each folder level
// at fault from the top, with its name ("Windowsの予約名（フォルダ「CON」）").
QString deliveryNote(const DeliveryFinding& finding);

// Keys of a name for the clashes among siblings, made once per name, on any thread: names
// that are one after composing (NFC) and case folding share a group; within it, a second
// composed spelling is a case clash, a second exact spelling of one composed form a clash of
// forms (NFC beside NFD). Hashes of 128 bits: two names of a million rows meet in one key with
// a chance far below one in 10^20.
struct NameKeys {
  struct Key {
    quint64 first;
    quint64 second;
    bool operator==(const Key&) const = default;
    friend size_t qHash(const Key& key, size_t seed) noexcept {
      return size_t(key.first ^ (key.second * 0x9E3779B97F4A7C15ull)) ^ seed;
    }
  };
  Key folded;                    // the name composed and case-folded
  Key composed;                  // the name composed
  quint64 composedSpelling = 0;  // one hash of the composed name
  quint64 spelling = 0;          // one hash of the exact name
  static NameKeys of(QStringView name, QStringView extension);
};

// The parts of a row's delivery check that depend on the row alone (its own problems and
// its name's keys), made where the rows are read so that the thread of the list only files
// them in the index.
struct RowCheck {
  DeliveryProblems own = 0;
  NameKeys keys{};
};
RowCheck rowCheck(const FileEntry& row);

// The delivery check of rows as they come: per folder level below each add's folder the
// problems of the level's name and the clashes among siblings (names of one folder and
// folders of one parent), and how many rows have a note. Adding a row costs one look-up of
// its folder (rows of one folder come together) and two of its name; a folder level is looked
// at once, when its first row arrives; a clash that appears late touches the folders below
// the clashing one once. The same name listed twice (the same file added again) is no clash.
class DeliveryIndex {
 public:
  DeliveryIndex() = default;
  // The nodes point at each other, so a copy cannot share them: it starts empty and stale,
  // for its owner to fill again from its rows. Moving keeps the nodes where they are.
  DeliveryIndex(const DeliveryIndex&) : m_stale(true) {}
  DeliveryIndex& operator=(const DeliveryIndex& other) {
    if (this != &other) {
      clear();
      m_stale = true;
    }
    return *this;
  }
  DeliveryIndex(DeliveryIndex&&) = default;
  DeliveryIndex& operator=(DeliveryIndex&&) = default;
  // True for a copy not filled again since (clear() makes it current, and empty).
  bool stale() const { return m_stale; }

  void add(const FileEntry& row) { add(row, rowCheck(row)); }
  // The same with the row's check made already (check == rowCheck(row)).
  void add(const FileEntry& row, const RowCheck& check);
  // The row's finding among the rows added so far; a row not added gets its own problems.
  // Safe from several threads at once while no row is added.
  DeliveryFinding finding(const FileEntry& row) const;
  // Rows added with a note, counting each time a row was added.
  qint64 notedCount() const { return m_noted; }
  void clear();
  void reserve(qsizetype rows);

 private:
  using Key = NameKeys::Key;
  struct KeyHash {
    size_t operator()(const Key& key) const noexcept { return qHash(key, 0); }
  };
  // Rows of one name group and how many of them are quiet (no problem of their own, no clash).
  struct Group {
    quint64 spelling = 0;  // the first spelling met
    bool clash = false;
    qint64 quiet = 0;
  };
  struct Node : DeliveryFolder {
    bool nameFault = false;   // this level or one above has problems of its name
    bool underClash = false;  // this level or one above clashes with a sibling
    qint64 quiet = 0;         // quiet rows of this folder (their names and clashes)
    std::vector<Node*> children;
    QHash<Key, Group> folded;
    QHash<Key, Group> composed;
    bool faulty() const { return nameFault || underClash; }
  };
  // Folder levels of one parent that are one name after composing and folding (or composing).
  struct SiblingGroup {
    quint64 spelling = 0;
    bool clash = false;
    std::vector<Node*> nodes;
  };

  Node* nodeOf(const FileEntry& row, bool make) const;
  Node* makeNode(const QString& folder, qint32 top, Key key) const;
  void joinSiblings(Node& node, QStringView parentFolder) const;
  void enterSiblingGroup(Node& node, Key key, quint64 spelling, DeliveryProblems clash) const;
  void markClashing(Node& node) const;

  // Nodes by two hashes of the folder text and the add's folder; they keep their place.
  mutable std::unordered_map<Key, Node, KeyHash> m_nodes;
  mutable std::unordered_map<Key, SiblingGroup, KeyHash> m_siblings;
  mutable qint64 m_noted = 0;
  bool m_stale = false;
  mutable QString m_lastFolder;
  mutable qint32 m_lastTop = -1;
  mutable Node* m_lastNode = nullptr;
};

// The findings of every row given (the whole list), for the writers' column.
using DeliveryFindings = std::shared_ptr<const DeliveryIndex>;
DeliveryFindings deliveryProblems(std::span<const FileEntry> rows);

}  // namespace vek
