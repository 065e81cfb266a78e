#include "core/settings/WalkSettings.h"

#include "core/settings/IniFile.h"
#include "core/text/LeadingNumber.h"

namespace vek {

void readWalkSettings(const IniFile& ini, WalkSettings& settings) {
  auto flag = [&](QStringView key, bool& field) {
    const QString text = ini.value(kWalkSection, key);
    if (!text.isEmpty()) field = leadingNumber(text) != 0;
  };
  // An empty value leaves nothing out; only a file without the section keeps what was there.
  if (ini.hasSection(QString::fromUtf16(kWalkSection)))
    settings.excluded = ini.value(kWalkSection, u"Exclude");
  flag(u"HiddenFiles", settings.hiddenFiles);
  flag(u"OneFileSystem", settings.oneFileSystem);
}

void writeWalkSettings(IniFile& ini, const WalkSettings& settings) {
  const QString section = QString::fromUtf16(kWalkSection);
  if (settings == WalkSettings() && !ini.hasSection(section)) return;
  // Quoted, so that blanks around a pattern survive the reader's trimming.
  ini.updateSection(section, {u"Exclude=\"" + settings.excluded + u'"',
                              u"HiddenFiles=" + QString::number(settings.hiddenFiles ? 1 : 0),
                              u"OneFileSystem=" + QString::number(settings.oneFileSystem ? 1 : 0)});
}

}  // namespace vek
