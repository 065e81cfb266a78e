// How a batch run walked the folder its list was made of: the switches a JSON list records, so
// that a later comparison can walk the folder the same way.
#pragma once

#include <QString>

namespace vek {

struct ListWalk {
  bool subfolders = false;     // "/C"
  QString filter;              // "/E", or the preset the run took for want of it
  QString excluded;            // "/X"
  bool hiddenFiles = false;    // "/A"
  bool oneFileSystem = false;  // "/D"

  bool operator==(const ListWalk&) const = default;
};

}  // namespace vek
