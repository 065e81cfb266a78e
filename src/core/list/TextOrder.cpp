// Comparing texts and file names by their numbers-as-numbers keys, and the public text orders.
#include "core/list/TextOrder.h"

#include <algorithm>
#include <vector>

#include "core/list/RowOrder.h"

namespace vek {

int compareFileNameKeys(QStringView aName, QStringView aExtension, QStringView bName,
                        QStringView bExtension) {
  if (aName.utf16() == bName.utf16() && aName.size() == bName.size() &&
      aExtension.utf16() == bExtension.utf16() && aExtension.size() == bExtension.size())
    return 0;
  thread_local std::vector<char16_t> keyA;
  thread_local std::vector<char16_t> keyB;
  keyA.clear();
  keyB.clear();
  fileNameKey(aName, aExtension, [](char16_t unit) { keyA.push_back(unit); });
  fileNameKey(bName, bExtension, [](char16_t unit) { keyB.push_back(unit); });
  const auto [atA, atB] = std::mismatch(keyA.begin(), keyA.end(), keyB.begin(), keyB.end());
  if (atA != keyA.end() && atB != keyB.end()) return *atA < *atB ? -1 : 1;
  if (atA != keyA.end()) return 1;
  if (atB != keyB.end()) return -1;
  return compareTextPairs(aName, aExtension, bName, bExtension);
}

int compareNumberKeys(QStringView a, QStringView b) {
  return compareFileNameKeys(a, {}, b, {});
}

int compareText(QStringView a, QStringView b) {
  return compareTextUnits(a, b);
}

int compareTextAsNumbers(QStringView a, QStringView b) {
  return compareNumberKeys(a, b);
}

}  // namespace vek
