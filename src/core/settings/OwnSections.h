// Vek.ini's own sections, [VekCsv] to [VekWalk]: the choices beyond the sections every reader of
// Vek.ini knows, each key named once for both reading and writing. A visitor reads into
// Settings or writes from it (see SettingsFile.cpp). An own section is written only once a
// choice in it differs from its default, or when the file has it already, so that a file Vek
// writes keeps the bytes and keys every other reader knows.
#pragma once

#include <optional>

#include <QString>

#include "core/platform/HashKind.h"
#include "core/settings/ListFileSettings.h"
#include "core/settings/Settings.h"
#include "core/settings/SortSettings.h"
#include "core/settings/WalkSettings.h"

namespace vek {

// The writers' choices that make a list prove a delivery: the relative-path column, the digest
// column, the checksum file, the delivery check's column and the XML names of the three columns.
inline constexpr char16_t kDeliverySection[] = u"VekDelivery";
// The writers' totals lines and their prefix replacement.
inline constexpr char16_t kTotalsSection[] = u"VekTotals";
inline constexpr char16_t kPathPrefixSection[] = u"VekPathPrefix";

// When a quoted text is read from the file.
enum class TextRead {
  WhenNotEmpty,        // an empty value keeps what settings holds
  WhenKeyPresent,      // an empty value is a choice too (no prefix replacement)
  WhenSectionPresent,  // a missing key is empty; only a file without the section keeps it
};

// Whether a flag's line is written while the flag is off.
enum class WhenOff { Written, Omitted };

// The three writers' columns, with the prefix of their keys (Csv..., Html..., Xml...).
template <class S, class F>
void forEachWriter(S& settings, F&& f) {
  f(QStringLiteral("Csv"), settings.csv.columns);
  f(QStringLiteral("Html"), settings.html.columns);
  f(QStringLiteral("Xml"), settings.xml.columns);
}

inline QString hashKeyword(HashKind kind) {
  return kind == HashKind::None ? QStringLiteral("NONE") : hashKindName(kind);
}

inline std::optional<HashKind> hashFromKeyword(const QString& text) {
  if (text.compare(u"NONE", Qt::CaseInsensitive) == 0) return HashKind::None;
  return hashKindFromName(text);
}

// The own sections in the order they are written. S is Settings or const Settings.
template <class S, class V>
void visitOwnSections(S& s, V& v) {
  using namespace Qt::StringLiterals;
  v.ownSection(kListFileSection);
  v.keyword(u"Encoding"_s, s.listFile.encoding, listEncodingKeyword, listEncodingFromKeyword);
  v.flag(u"FormulaGuard"_s, s.listFile.formulaGuard);
  v.flag(u"Workbook"_s, s.listFile.workbook);
  // Written only when chosen, so that the section keeps its bytes for the earlier choices.
  v.flag(u"Json"_s, s.listFile.json, true, false, WhenOff::Omitted);

  v.ownSection(kDeliverySection);
  forEachWriter(s, [&v](const QString& p, auto& columns) {
    v.flag(p + u"RelativePath", columns.chkRelPath);
    v.keyword(p + u"Hash", columns.hash, hashKeyword, hashFromKeyword);
    v.flag(p + u"ChecksumFile", columns.checksumFile);
    v.flag(p + u"DeliveryCheck", columns.chkDeliveryCheck);
  });
  v.quotedText(u"RelativePathElement"_s, s.elementNames.relativePath, u'\'',
               TextRead::WhenNotEmpty);
  v.quotedText(u"HashElement"_s, s.elementNames.hash, u'\'', TextRead::WhenNotEmpty);
  v.quotedText(u"DeliveryCheckElement"_s, s.elementNames.deliveryCheck, u'\'',
               TextRead::WhenNotEmpty);

  v.ownSection(kSortSection);
  v.flag(u"NumbersAsNumbers"_s, s.sort.numbers, NumberOrder::AsNumbers, NumberOrder::AsText);

  v.ownSection(kTotalsSection);
  forEachWriter(s, [&v](const QString& p, auto& columns) {
    v.flag(p + u"Totals", columns.totals);
    v.flag(p + u"Subtotals", columns.subtotals);
  });

  // Quoted, so that blanks at either end of a path survive the reader's trimming.
  v.ownSection(kPathPrefixSection);
  forEachWriter(s, [&v](const QString& p, auto& columns) {
    v.quotedText(p + u"From", columns.prefix.from, u'\'', TextRead::WhenKeyPresent);
    v.quotedText(p + u"To", columns.prefix.to, u'\'', TextRead::WhenKeyPresent);
    v.flag(p + u"Backslash", columns.prefix.backslashes);
  });

  // Quoted, so that blanks around a pattern survive the reader's trimming.
  v.ownSection(kWalkSection);
  v.quotedText(u"Exclude"_s, s.walk.excluded, u'"', TextRead::WhenSectionPresent);
  v.flag(u"HiddenFiles"_s, s.walk.hiddenFiles);
  v.flag(u"OneFileSystem"_s, s.walk.oneFileSystem);
}

}  // namespace vek
