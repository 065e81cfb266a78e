#include "writers/XmlListExport.h"

#include "core/platform/OutputFile.h"
#include "writers/ColumnCells.h"
#include "writers/ListDelivery.h"
#include "writers/XmlListWriter.h"

namespace vek {

bool createXmlList(const QString& path, const FileList& given, const Settings& settings,
                   Interaction& interaction, PathStyle pathStyle, const ListDigests* readAhead) {
  const XmlSettings& xml = settings.xml;
  if (auto message = ColumnCells::checkSelection(xml.columns)) {
    interaction.showMessage(*message);
    return false;
  }
  ListDelivery delivery(given, path, xml.columns);
  const FileList& list = delivery.list();
  const bool withRows = list.tickedCount() > 0;
  if (auto message = checkXmlElementNames(
          elementNamesInDocument(settings.elementNames, xml.columns, withRows), xml.stringCode)) {
    interaction.showMessage(*message);
    return false;
  }
  if (!delivery.prepare(interaction, readAhead)) return false;
  ColumnCells cells(xml.columns, SizeStyle::Plain, ColumnCells::dateFormatter(settings), pathStyle);
  delivery.applyTo(cells);
  qint64 replaced = 0;
  const bool written = delivery.write(path, interaction, [&](QIODevice& device) {
    XmlListWriter writer(device, xml.stringCode, xmlLineBreak(xml), settings.elementNames);
    const bool ok = writer.writeList(list, cells, xml.columns.totals);
    replaced = writer.replacedCharacters();
    return ok;
  });
  if (!written) return false;
  if (replaced > 0)
    interaction.showMessage(OutputFile::unrepresentableCharactersMessage(path, replaced));
  delivery.reportMissing(interaction);
  return true;
}

}  // namespace vek
