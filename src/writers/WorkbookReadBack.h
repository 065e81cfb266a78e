// Proof that a finished workbook holds what was written into it, read back with minizip's unzip
// (the zip library libxlsxwriter writes with). The library looks at none of the writes into its
// temporary files: a full disk or a file-size limit can leave a sheet cut off inside a zip that
// closes without an error. Each part is read through (its checksum checked), each sheet part's
// rows are counted and its closing tag must end it.
#pragma once

#include <vector>

#include <QString>

namespace vek {

struct WrittenSheet {
  QString name;     // as the sheet's tab shows it, for the reason
  qint64 rows = 0;  // rows holding at least one cell
};

// Empty when the workbook at path holds every sheet whole, sheet i as
// xl/worksheets/sheet<i+1>.xml; otherwise why not, for the person.
QString readBackWorkbook(const QString& path, const std::vector<WrittenSheet>& sheets);

}  // namespace vek
