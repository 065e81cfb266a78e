// How the list sorts beyond the list's own keys: runs of digits in names, extensions and
// folders read as numbers. Kept in Vek.ini's own section [VekSort], written only once the
// choice differs from its default (or the section is already there), so that a file Vek writes
// keeps the bytes and keys every other reader of Vek.ini knows.
#pragma once

#include "core/list/RowOrder.h"

namespace vek {

struct SortSettings {
  NumberOrder numbers = NumberOrder::AsText;  // NumbersAsNumbers=0|1
  bool operator==(const SortSettings&) const = default;
};

inline constexpr char16_t kSortSection[] = u"VekSort";

}  // namespace vek
