// The folder history: ten folder paths, newest first, an empty text marking a free slot.
#pragma once

#include <array>

#include <QString>

namespace vek {

using FolderHistory = std::array<QString, 10>;

// Records folder as the newest entry. A folder already present (exact, case-sensitive) changes
// nothing and keeps its place; otherwise every entry moves down one (the oldest drops off) and
// folder becomes entry 0. Returns true when the history changed.
bool recordFolderHistory(FolderHistory& history, const QString& folder);

}  // namespace vek
