#include "core/settings/ExportExtrasSettings.h"

#include "core/settings/IniFile.h"
#include "core/settings/Settings.h"
#include "core/text/LeadingNumber.h"

namespace vek {

namespace {

template <class S, class F>
void forEachWriter(S& settings, F&& f) {
  f(QStringLiteral("Csv"), settings.csv.columns);
  f(QStringLiteral("Html"), settings.html.columns);
  f(QStringLiteral("Xml"), settings.xml.columns);
}

// Quoted, so that blanks at either end survive the reader's trimming.
QString quoted(const QString& text) {
  return u'\'' + text + u'\'';
}

}  // namespace

void readExportExtrasSettings(const IniFile& ini, Settings& settings) {
  auto flag = [&](const char16_t* section, const QString& key, bool& field) {
    const QString text = ini.value(section, key);
    if (!text.isEmpty()) field = leadingNumber(text) != 0;
  };
  forEachWriter(settings, [&](const QString& p, ColumnOptions& columns) {
    flag(kTotalsSection, p + u"Totals", columns.totals);
    flag(kTotalsSection, p + u"Subtotals", columns.subtotals);
    // An empty From is a choice too (no replacement): read whenever the key is there.
    const QString from = p + u"From", to = p + u"To";
    if (ini.contains(kPathPrefixSection, from))
      columns.prefix.from = ini.value(kPathPrefixSection, from);
    if (ini.contains(kPathPrefixSection, to)) columns.prefix.to = ini.value(kPathPrefixSection, to);
    flag(kPathPrefixSection, p + u"Backslash", columns.prefix.backslashes);
  });
}

void writeExportExtrasSettings(IniFile& ini, const Settings& settings) {
  const ColumnOptions defaults;
  QStringList totals, prefix;
  bool totalsChanged = false, prefixChanged = false;
  forEachWriter(settings, [&](const QString& p, const ColumnOptions& columns) {
    totals.append(p + u"Totals=" + QString::number(columns.totals ? 1 : 0));
    totals.append(p + u"Subtotals=" + QString::number(columns.subtotals ? 1 : 0));
    totalsChanged = totalsChanged || columns.totals != defaults.totals ||
                    columns.subtotals != defaults.subtotals;
    prefix.append(p + u"From=" + quoted(columns.prefix.from));
    prefix.append(p + u"To=" + quoted(columns.prefix.to));
    prefix.append(p + u"Backslash=" + QString::number(columns.prefix.backslashes ? 1 : 0));
    prefixChanged = prefixChanged || columns.prefix != defaults.prefix;
  });
  const QString totalsSection = QString::fromUtf16(kTotalsSection);
  if (totalsChanged || ini.hasSection(totalsSection)) ini.updateSection(totalsSection, totals);
  const QString prefixSection = QString::fromUtf16(kPathPrefixSection);
  if (prefixChanged || ini.hasSection(prefixSection)) ini.updateSection(prefixSection, prefix);
}

}  // namespace vek
