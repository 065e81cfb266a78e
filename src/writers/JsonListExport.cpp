#include "writers/JsonListExport.h"

#include "core/OutputFile.h"
#include "writers/JsonListWriter.h"
#include "writers/ListDelivery.h"

namespace vek {

bool createJsonList(const QString& path, const FileList& list, const Settings& settings,
                    Interaction& interaction, const QString& title, const QString& inputFolder,
                    bool withState, const std::optional<ListWalk>& walk) {
  const ColumnOptions& columns = settings.csv.columns;
  ListDelivery delivery(list.rows(), columns);
  if (!delivery.prepare(interaction)) return false;
  JsonListWriter writer(columns, {title, inputFolder, QDateTime::currentDateTime(), walk});
  if (columns.hash != HashKind::None) writer.setHashes(delivery.hashes());
  writer.setWithState(withState);
  const bool written = OutputFile::write(
      path, interaction, [&](QIODevice& device) { return writer.write(device, list.rows()); });
  return written && delivery.finish(path, interaction);
}

}  // namespace vek
