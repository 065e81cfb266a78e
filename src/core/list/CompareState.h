// What a comparison of a saved list with a folder (or with another list) found for one file,
// and the words that show it: in the window and the lists (the interface language) and on the
// command line (fixed words for scripts).
#pragma once

#include <QByteArray>
#include <QSharedData>
#include <QString>

#include "core/dates/DateStamp.h"

namespace vek {

// Same, added (only now), removed (only before), changed (size, modified time or digest
// differ), moved (a removed and an added file with the same size and digest: one row, at its
// path now), unverified (a side could not be read or hashed, so nothing is claimed).
enum class CompareState : quint8 { None, Same, Added, Removed, Changed, Moved, Unverified };

// What differs in a changed file; several at once.
enum CompareChange : quint8 {
  kSizeChanged = 1,
  kModifiedChanged = 2,
  kHashChanged = 4,
};

// Why a file could not be verified.
enum class UnverifiedReason : quint8 {
  NotRead,         // it, or the folder it lies in, could not be read now
  NoDigestBefore,  // the saved list holds no digest for it
  NoDigestNow,     // it could not be hashed now
};

// What a row of a comparison shows beyond its state; only rows that need it carry one.
struct CompareDetail : QSharedData {
  qint64 sizeBefore = 0;
  DateStamp modifiedBefore;
  QByteArray hashBefore, hashNow;  // lower-case hexadecimal digits; empty when not compared
  QString movedFrom;               // a moved file: its path before, below the list's folder
  UnverifiedReason reason = UnverifiedReason::NotRead;
};

// "同じ", "追加", "削除", "変更", "移動", "未確認"; empty for None.
QString compareStateText(CompareState state);
// "same", "added", "removed", "changed", "moved", "unverified": the words of the JSON list;
// empty for None.
const char* compareStateWord(CompareState state);
// "サイズ", "更新日付", "ハッシュ" joined by "・"; empty when nothing changed.
QString compareChangesText(quint8 changes);
// "size", "modified", "hash" joined by ",": the JSON list's "changes".
QString compareChangesWords(quint8 changes);

// A changed row's values before and now, in the interface language: "サイズ 2 → 1・更新日付
// 2024/01/02 10:00:00 → 2024/01/03 09:00:00・ハッシュ 0a1b… → 2c3d…" (digests whole).
QString compareChangesText(quint8 changes, const CompareDetail& detail, qint64 sizeNow,
                           const DateStamp& modifiedNow);
// The same for the command line: "size 2 → 1, modified 2024-01-02T10:00:00+09:00 →
// 2024-01-03T09:00:00+09:00, hash 0a1b… → 2c3d…".
QString compareChangesWords(quint8 changes, const CompareDetail& detail, qint64 sizeNow,
                            const DateStamp& modifiedNow);
// Why a row is unverified: "読み取れません" …, and for the command line "unreadable",
// "no digest saved", "not hashed".
QString unverifiedText(UnverifiedReason reason);
const char* unverifiedWords(UnverifiedReason reason);

}  // namespace vek
