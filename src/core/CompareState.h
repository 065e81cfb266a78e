// What a comparison of a saved list with a folder (or with another list) found for one file.
#pragma once

#include <QString>

namespace vek {

enum class CompareState : quint8 { None, Same, Added, Removed, Changed };

// What differs in a changed file; several at once.
enum CompareChange : quint8 {
  kSizeChanged = 1,
  kModifiedChanged = 2,
  kHashChanged = 4,
};

// "同じ", "追加", "削除", "変更"; empty for None.
QString compareStateText(CompareState state);
// "same", "added", "removed", "changed": the words of the JSON list; empty for None.
const char* compareStateWord(CompareState state);
// "サイズ", "更新日付", "ハッシュ" joined by "・"; empty when nothing changed.
QString compareChangesText(quint8 changes);
// "size", "modified", "hash" joined by ",": what the command line prints.
QString compareChangesWords(quint8 changes);

}  // namespace vek
