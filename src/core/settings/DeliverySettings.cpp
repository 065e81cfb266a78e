#include "core/settings/DeliverySettings.h"

#include "core/settings/IniFile.h"
#include "core/settings/Settings.h"
#include "core/text/LeadingNumber.h"

namespace vek {

namespace {

// The three writers' columns: Csv..., Html..., Xml... keys.
template <class S, class F>
void forEachWriter(S& settings, F&& f) {
  f(u"Csv", settings.csv.columns);
  f(u"Html", settings.html.columns);
  f(u"Xml", settings.xml.columns);
}

QString hashKeyword(HashKind kind) {
  return kind == HashKind::None ? QStringLiteral("NONE") : hashKindName(kind);
}

}  // namespace

void readDeliverySettings(const IniFile& ini, Settings& settings) {
  auto value = [&](const QString& key) { return ini.value(kDeliverySection, key); };
  auto flag = [&](const QString& key, bool& field) {
    const QString text = value(key);
    if (text.isEmpty()) return;
    field = leadingNumber(text) != 0;
  };
  forEachWriter(settings, [&](const char16_t* prefix, ColumnOptions& columns) {
    const QString p = QString::fromUtf16(prefix);
    flag(p + u"RelativePath", columns.chkRelPath);
    const QString hash = value(p + u"Hash");
    if (hash.compare(u"NONE", Qt::CaseInsensitive) == 0) {
      columns.hash = HashKind::None;
    } else if (const auto kind = hashKindFromName(hash)) {
      columns.hash = *kind;
    }
    flag(p + u"ChecksumFile", columns.checksumFile);
    flag(p + u"DeliveryCheck", columns.chkDeliveryCheck);
  });
  if (QString name = value(QStringLiteral("RelativePathElement")); !name.isEmpty())
    settings.elementNames.relativePath = std::move(name);
  if (QString name = value(QStringLiteral("HashElement")); !name.isEmpty())
    settings.elementNames.hash = std::move(name);
  if (QString name = value(QStringLiteral("DeliveryCheckElement")); !name.isEmpty())
    settings.elementNames.deliveryCheck = std::move(name);
}

void writeDeliverySettings(IniFile& ini, const Settings& settings) {
  const QString section = QString::fromUtf16(kDeliverySection);
  const Settings defaults;
  bool changed = settings.elementNames.relativePath != defaults.elementNames.relativePath ||
                 settings.elementNames.hash != defaults.elementNames.hash ||
                 settings.elementNames.deliveryCheck != defaults.elementNames.deliveryCheck;
  QStringList lines;
  forEachWriter(settings, [&](const char16_t* prefix, const ColumnOptions& columns) {
    const QString p = QString::fromUtf16(prefix);
    lines.append(p + u"RelativePath=" + QString::number(columns.chkRelPath ? 1 : 0));
    lines.append(p + u"Hash=" + hashKeyword(columns.hash));
    lines.append(p + u"ChecksumFile=" + QString::number(columns.checksumFile ? 1 : 0));
    lines.append(p + u"DeliveryCheck=" + QString::number(columns.chkDeliveryCheck ? 1 : 0));
    changed = changed || columns.chkRelPath || columns.hash != HashKind::None ||
              columns.checksumFile || columns.chkDeliveryCheck;
  });
  lines.append(u"RelativePathElement='" + settings.elementNames.relativePath + u'\'');
  lines.append(u"HashElement='" + settings.elementNames.hash + u'\'');
  lines.append(u"DeliveryCheckElement='" + settings.elementNames.deliveryCheck + u'\'');
  if (!changed && !ini.hasSection(section)) return;
  ini.updateSection(section, lines);
}

}  // namespace vek
