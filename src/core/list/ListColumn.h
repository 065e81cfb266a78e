// The columns of the output list in their fixed order, and how each is shown: the eight a row
// holds, then the delivery check, which the list works out from the row and its folder, and the
// state a comparison found.
#pragma once

#include <QString>

namespace vek {

enum class ListColumn : int {
  Name,
  Extension,
  Folder,
  Type,
  Size,
  Created,
  Accessed,
  Modified,
  DeliveryCheck,
  // What a comparison with a saved list found; the window shows it only while the list holds
  // such a result.
  State
};

// The columns of a row's own values, which the list's own sorting and /S sort by.
inline constexpr int kListColumnCount = 8;
// Every column the window shows.
inline constexpr int kShownColumnCount = 10;

// True when a 0-based position names one of the row's own columns.
constexpr bool isListColumn(int position) {
  return position >= 0 && position < kListColumnCount;
}
// True when it names a column the window shows.
constexpr bool isShownColumn(int position) {
  return position >= 0 && position < kShownColumnCount;
}

// A column's caption, width in twips and alignment.
struct ListColumnInfo {
  // The caption's source text and its translation context: the caption follows the interface's
  // language when it is asked for.
  const char* captionContext;
  const char* captionSource;
  int widthTwips;
  bool alignRight;
  QString caption() const;
};

}  // namespace vek
