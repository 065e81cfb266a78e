#include "core/settings/SortSettings.h"

#include "core/settings/IniFile.h"
#include "core/text/LeadingNumber.h"

namespace vek {

void readSortSettings(const IniFile& ini, SortSettings& settings) {
  const QString value = ini.value(kSortSection, u"NumbersAsNumbers");
  if (value.isEmpty()) return;
  settings.numbers = leadingNumber(value) != 0 ? NumberOrder::AsNumbers : NumberOrder::AsText;
}

void writeSortSettings(IniFile& ini, const SortSettings& settings) {
  const QString section = QString::fromUtf16(kSortSection);
  if (settings == SortSettings() && !ini.hasSection(section)) return;
  const bool asNumbers = settings.numbers == NumberOrder::AsNumbers;
  ini.updateSection(section, {u"NumbersAsNumbers=" + QString::number(asNumbers ? 1 : 0)});
}

}  // namespace vek
