// The choices of the CSV/text dialog that go beyond the Csv section: the text encoding, the
// formula guard and the Excel workbook type. They live in Vek.ini's own section [VekCsv], which
// is written only once a choice differs from its default (or the section is already there), so
// that a file Vek writes keeps the bytes and keys every other reader of Vek.ini knows.
#pragma once

#include "core/text/ListEncoding.h"

namespace vek {

struct ListFileSettings {
  ListEncoding encoding = ListEncoding::System;  // Encoding=SYSTEM|UTF8|UTF8BOM|CP932
  bool formulaGuard = false;                     // FormulaGuard=0|1
  bool workbook = false;  // Workbook=0|1: the .xlsx type chosen (FileType keeps CSV or text)
  bool json = false;      // Json=0|1: the JSON list chosen (FileType keeps CSV or text)
  bool operator==(const ListFileSettings&) const = default;
};

inline constexpr char16_t kListFileSection[] = u"VekCsv";

}  // namespace vek
