// Ten remembered texts, newest first: the folder history of the File menu and the separators
// of the text export. An empty text in the folder history marks a free slot.
#pragma once

#include <array>
#include <cstddef>

#include <QString>

namespace vek {

// How many texts are remembered: the File menu's history holds this many folders.
inline constexpr std::size_t kRecentCount = 10;

using RecentTexts = std::array<QString, kRecentCount>;

// Records text as the newest entry. A text already present (exact, case-sensitive) changes
// nothing and keeps its place; otherwise every entry moves down one (the oldest drops off) and
// text becomes entry 0. Returns true when the list changed.
bool recordRecent(RecentTexts& recent, const QString& text);

}  // namespace vek
