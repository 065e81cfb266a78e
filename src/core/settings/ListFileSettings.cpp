#include "core/settings/ListFileSettings.h"

#include "core/settings/IniFile.h"
#include "core/text/LeadingNumber.h"

namespace vek {

namespace {

bool flag(const IniFile& ini, QStringView key, bool fallback) {
  const QString value = ini.value(kListFileSection, key);
  if (value.isEmpty()) return fallback;
  return leadingNumber(value) != 0;
}

}  // namespace

void readListFileSettings(const IniFile& ini, ListFileSettings& settings) {
  if (const auto encoding = listEncodingFromKeyword(ini.value(kListFileSection, u"Encoding")))
    settings.encoding = *encoding;
  settings.formulaGuard = flag(ini, u"FormulaGuard", settings.formulaGuard);
  settings.workbook = flag(ini, u"Workbook", settings.workbook);
  settings.json = flag(ini, u"Json", settings.json);
}

void writeListFileSettings(IniFile& ini, const ListFileSettings& settings) {
  const QString section = QString::fromUtf16(kListFileSection);
  if (settings == ListFileSettings() && !ini.hasSection(section)) return;
  QStringList lines{u"Encoding=" + listEncodingKeyword(settings.encoding),
                    u"FormulaGuard=" + QString::number(settings.formulaGuard ? 1 : 0),
                    u"Workbook=" + QString::number(settings.workbook ? 1 : 0)};
  // Written only when chosen, so that the section keeps its bytes for the earlier choices.
  if (settings.json) lines += QStringLiteral("Json=1");
  ini.updateSection(section, lines);
}

}  // namespace vek
