#include "writers/XmlListExport.h"

#include "core/OutputFile.h"
#include "writers/ColumnCells.h"
#include "writers/ListDelivery.h"
#include "writers/XmlListWriter.h"

namespace vek {

bool createXmlList(const QString& path, const FileList& list, const Settings& settings,
                   Interaction& interaction, PathStyle pathStyle) {
  const XmlSettings& xml = settings.xml;
  if (auto message = ColumnCells::checkSelection(xml.columns)) {
    interaction.showMessage(*message);
    return false;
  }
  const bool withRows = list.tickedCount() > 0;
  if (auto message = checkXmlElementNames(
          elementNamesInDocument(settings.elementNames, xml.columns, withRows), xml.stringCode)) {
    interaction.showMessage(*message);
    return false;
  }
  ListDelivery delivery(list.rows(), xml.columns);
  if (!delivery.prepare(interaction)) return false;
  ColumnCells cells(xml.columns, SizeStyle::Plain, ColumnCells::dateFormatter(settings), pathStyle);
  delivery.applyTo(cells);
  qint64 replaced = 0;
  const bool written = OutputFile::write(path, interaction, [&](QIODevice& device) {
    XmlListWriter writer(device, xml.stringCode, xmlLineBreak(xml), settings.elementNames);
    const bool ok = writer.writeList(list, cells, xml.columns.totals);
    replaced = writer.replacedCharacters();
    return ok;
  });
  if (written && replaced > 0)
    interaction.showMessage(OutputFile::unrepresentableCharactersMessage(path, replaced));
  return written && delivery.finish(path, interaction);
}

}  // namespace vek
