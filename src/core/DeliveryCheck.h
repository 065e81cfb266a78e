// The delivery check: what a recipient on Windows (or a Mac) would stumble over in a listed
// file, as pure functions of the file's name and path, and the one check that needs the other
// rows of its folder (names that differ only in case). Each problem has a short note; the
// list's 注意 column and the writers' column show the notes of a row joined.
#pragma once

#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

#include <QHash>
#include <QString>
#include <QStringView>

#include "core/FileEntry.h"

namespace vek {

// One bit per problem; the notes are joined in this order.
enum DeliveryProblem : quint16 {
  ForbiddenCharacter = 1 << 0,  // < > : " | ? * \ or a control character
  ReservedName = 1 << 1,        // CON, PRN, AUX, NUL, COM1-9, LPT1-9, with any extension
  TrailingDotOrSpace = 1 << 2,  // Windows drops them, so the name changes
  LongPath = 1 << 3,            // more than kWindowsPathLimit UTF-16 units below the add's folder
  Decomposed = 1 << 4,          // not in composed form (NFC), as macOS writes names
  NotInWindows31J = 1 << 5,     // a character Shift_JIS (CP932) cannot hold, even composed
  CaseClash = 1 << 6,           // another name of its folder differs only in case
  HelperFile = 1 << 7,          // Thumbs.db, desktop.ini, .DS_Store, ._*, Office's ~$* lock files
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

// Which names of one folder differ only in case, kept as rows come and go: per folder and
// case-folded name, the first spelling met and whether another one was met. The same name
// listed twice (the same file added again) is no clash. The names are kept in a small table per
// folder: rows come folder by folder, so the table in use stays in the cache.
class CaseClashIndex {
 public:
  struct Key {
    quint64 first;
    quint64 second;
    bool operator==(const Key&) const = default;
  };
  // What the index needs of a row that depends on the row alone: two hashes of its
  // case-folded name and one of its exact spelling. A pure function, for any thread.
  struct NameKeys {
    Key name;
    quint64 spelling;
  };
  static NameKeys nameKeys(const FileEntry& row);

  // Rows of one folder and folded name, and how many a caller has counted as quiet (without
  // another problem), for a caller that keeps its own tallies.
  struct Group {
    quint64 spelling = 0;  // a hash of the first exact name met
    bool clash = false;
    qint64 quietRows = 0;
  };

  // Adds the row's name; returns true when its group clashes now and did not before. group,
  // when given, is pointed at the row's group (valid until the next add or clear).
  bool add(const FileEntry& row, Group** group = nullptr) { return add(row, nameKeys(row), group); }
  // The same with the row's keys made already (keys == nameKeys(row)).
  bool add(const FileEntry& row, const NameKeys& keys, Group** group = nullptr);
  bool clashes(const FileEntry& row) const;
  void clear();
  void reserve(qsizetype rows);

 private:
  friend size_t qHash(const Key& key, size_t seed) noexcept {
    return size_t(key.first ^ (key.second * 0x9E3779B97F4A7C15ull)) ^ seed;
  }
  struct KeyHash {
    size_t operator()(const Key& key) const noexcept { return qHash(key, 0); }
  };
  using Names = QHash<Key, Group>;
  // The table of the row's folder; made when make is true, else null while it has none.
  Names* namesOf(const FileEntry& row, bool make) const;
  static Key nameKey(const FileEntry& row);

  // Folder tables by two hashes of the folder's text; nodes keep their place as it grows.
  mutable std::unordered_map<Key, Names, KeyHash> m_folders;
  mutable bool m_haveFolder = false;
  mutable QString m_lastFolder;
  mutable Names* m_lastNames = nullptr;
};

// The parts of a row's delivery check that depend on the row alone (its own problems and
// its name's keys), made where the rows are read so that the thread of the list only files
// them in the per-folder index.
struct RowCheck {
  DeliveryProblems own = 0;
  CaseClashIndex::NameKeys keys{};
};
RowCheck rowCheck(const FileEntry& row);

// Every row's problems with the clashes among the rows given (the whole list): the writers'
// column, made in one pass.
std::vector<DeliveryProblems> deliveryProblems(std::span<const FileEntry> rows);

}  // namespace vek
