#include "batch/OutputType.h"

#include <QStringList>

namespace vek {

std::optional<OutputType> outputTypeFromKeyword(QStringView keyword) {
  for (const OutputTypeInfo& info : kOutputTypes) {
    if (keyword == info.keyword) return info.type;
  }
  return std::nullopt;
}

QString outputTypeKeywords() {
  QStringList keywords;
  for (const OutputTypeInfo& info : kOutputTypes) keywords.append(info.keyword.toString());
  return keywords.join(u'/');
}

}  // namespace vek
