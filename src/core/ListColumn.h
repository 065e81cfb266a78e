// The eight columns of the output list in their fixed order, and how each is shown.
#pragma once

#include <QString>

namespace vek {

// State, Vek's own, holds what a comparison with a saved list found; the window shows it only
// while the list holds such a result.
enum class ListColumn : int {
  Name,
  Extension,
  Folder,
  Type,
  Size,
  Created,
  Accessed,
  Modified,
  State
};

inline constexpr int kListColumnCount = 9;

// True when a 0-based position names one of the columns.
constexpr bool isListColumn(int position) {
  return position >= 0 && position < kListColumnCount;
}

// A column's caption, width in twips and alignment.
struct ListColumnInfo {
  QString caption;
  int widthTwips;
  bool alignRight;
};

}  // namespace vek
