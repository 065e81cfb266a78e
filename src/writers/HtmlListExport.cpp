#include "writers/HtmlListExport.h"

#include "core/OutputFile.h"
#include "writers/ColumnCells.h"
#include "writers/HtmlListWriter.h"
#include "writers/ListDelivery.h"

namespace vek {

QString htmlInitialTitle(const FileList& list, const Settings& settings) {
  if (settings.option.defaultTitle && !list.isEmpty()) return list.at(0).folder;
  return settings.html.title;
}

bool createHtmlList(const QString& path, const FileList& list, const Settings& settings,
                    Interaction& interaction, const QString& title, PathStyle pathStyle) {
  if (auto message = ColumnCells::checkSelection(settings.html.columns)) {
    interaction.showMessage(*message);
    return false;
  }
  ListDelivery delivery(list.rows(), settings.html.columns);
  if (!delivery.prepare(interaction)) return false;
  ColumnCells cells(settings.html.columns, SizeStyle::Grouped, ColumnCells::dateFormatter(settings),
                    pathStyle);
  delivery.applyTo(cells);
  HtmlListWriter writer(settings.html, cells, cells.captions(settings), title, pathStyle);
  const TextCodec codec = TextCodec::system();
  std::unique_ptr<TextEncoder> encoder = codec.makeEncoder(Unmappable::DecimalReference);
  if (!encoder) {
    interaction.showMessage(OutputFile::cannotWriteMessage(path));
    return false;
  }
  const bool written = OutputFile::write(
      path, interaction, [&](QIODevice& device) { return writer.write(device, *encoder, list); });
  if (written && encoder->lostCharacters() > 0)
    interaction.showMessage(
        OutputFile::unrepresentableCharactersMessage(path, encoder->lostCharacters()));
  return written && delivery.finish(path, interaction);
}

}  // namespace vek
