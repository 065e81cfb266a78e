// The list types a run writes, each described once: the keyword "/T" takes and the command
// builder shows, the extension of the list file, and which of "/K" and "/N" mean anything for
// it. The parser, the builder's line, its read-back and the builder's buttons all read this table.
#pragma once

#include <optional>

#include <QString>
#include <QStringView>

namespace vek {

enum class OutputType { Csv = 1, Text = 2, Html = 3, Xml = 4, Xlsx = 5, Json = 6 };

struct OutputTypeInfo {
  OutputType type;
  QStringView keyword;    // upper case, as "/T" takes it after narrowing
  QStringView extension;  // with its dot
  // "/K" is for the text lists only: HTML and XML name their own encoding, a workbook and JSON
  // are UTF-8 by their formats.
  bool takesEncoding;
  // The title ("/N") shows as an HTML page's heading, a workbook's sheet name or a JSON list's
  // header; the other lists carry none.
  bool showsTitle;
};

// In the order the builder's buttons show them.
inline constexpr OutputTypeInfo kOutputTypes[] = {
    {OutputType::Csv, u"CSV", u".csv", true, false},
    {OutputType::Text, u"TEXT", u".txt", true, false},
    {OutputType::Html, u"HTML", u".html", false, true},
    {OutputType::Xml, u"XML", u".xml", false, false},
    {OutputType::Xlsx, u"XLSX", u".xlsx", false, true},
    {OutputType::Json, u"JSON", u".json", false, true},
};

constexpr const OutputTypeInfo& outputTypeInfo(OutputType type) {
  for (const OutputTypeInfo& info : kOutputTypes) {
    if (info.type == type) return info;
  }
  return kOutputTypes[0];  // not reached: every enumerator has its row
}

// The type whose keyword is exactly `keyword` (already upper-cased and narrowed); none for any
// other word.
std::optional<OutputType> outputTypeFromKeyword(QStringView keyword);

// Every keyword in the table's order, separated by "/": "CSV/TEXT/HTML/XML/XLSX/JSON".
QString outputTypeKeywords();

}  // namespace vek
