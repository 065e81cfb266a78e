// The ten remembered separators of the text export, newest first.
#pragma once

#include <array>

#include <QString>

namespace vek {

// A separator already in the history (exact, case-sensitive) leaves it unchanged; any other
// text becomes entry 0, the others move down one and the oldest is dropped.
void updateSeparatorHistory(std::array<QString, 10>& history, const QString& separator);

}  // namespace vek
