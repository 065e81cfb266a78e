// The person's choice of a path prefix to replace in the lists (see PathPrefix).
#pragma once

#include <QString>

namespace vek {

struct PrefixReplacement {
  QString from;              // empty: no replacement
  QString to;                // what stands for it in the lists
  bool backslashes = false;  // the "/" after the replaced prefix written as "\"
  bool operator==(const PrefixReplacement&) const = default;
};

}  // namespace vek
