#include "writers/JsonListExport.h"

#include "core/platform/OutputFile.h"
#include "writers/JsonListWriter.h"
#include "writers/ListDelivery.h"

namespace vek {

bool createJsonList(const QString& path, const FileList& given, const Settings& settings,
                    Interaction& interaction, const QString& title, const QString& inputFolder,
                    bool withState, const std::optional<ListWalk>& walk,
                    const ListDigests* readAhead) {
  const ColumnOptions& columns = settings.csv.columns;
  ListDelivery delivery(given, path, columns);
  const FileList& list = delivery.list();
  if (!delivery.prepare(interaction, readAhead)) return false;
  JsonListWriter writer(columns, {title, inputFolder, QDateTime::currentDateTime(), walk});
  if (columns.hash != HashKind::None) writer.setHashes(delivery.hashes());
  writer.setWithState(withState);
  const bool written = delivery.write(
      path, interaction, [&](QIODevice& device) { return writer.write(device, list.rows()); });
  if (written) delivery.reportMissing(interaction);
  return written;
}

}  // namespace vek
