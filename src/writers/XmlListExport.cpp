#include "writers/XmlListExport.h"

#include "writers/ColumnCells.h"
#include "writers/OutputFile.h"
#include "writers/XmlListWriter.h"

namespace vek {

bool createXmlList(const QString& path, const FileList& list, const Settings& settings,
                   Interaction& interaction, PathStyle pathStyle) {
  const XmlSettings& xml = settings.xml;
  if (auto message = ColumnCells::checkSelection(xml.columns)) {
    interaction.showMessage(*message);
    return false;
  }
  if (auto message = checkXmlElementNames(settings.elementNames, xml.stringCode)) {
    interaction.showMessage(*message);
    return false;
  }
  const ColumnCells cells(xml.columns, SizeStyle::Plain, ColumnCells::dateFormatter(settings),
                          pathStyle);
  qint64 replaced = 0;
  const bool written = OutputFile::write(path, interaction, [&](QIODevice& device) {
    XmlListWriter writer(device, xml.stringCode, xmlLineBreak(xml), settings.elementNames);
    if (!writer.begin()) return false;
    std::vector<XmlListWriter::Cell> row;
    for (ColumnId column : cells.selected()) row.push_back({column, QString()});
    qint64 index = 0;
    for (const FileEntry& entry : list.rows()) {
      if (!entry.ticked) continue;
      for (XmlListWriter::Cell& cell : row) {
        cell.text.resize(0);
        cells.appendText(cell.column, entry, cell.text);
      }
      writer.writeFileElement(++index, row);
    }
    const bool ok = writer.finish();
    replaced = writer.replacedCharacters();
    return ok;
  });
  if (written && replaced > 0)
    interaction.showMessage(unrepresentableCharactersMessage(path, replaced));
  return written;
}

}  // namespace vek
