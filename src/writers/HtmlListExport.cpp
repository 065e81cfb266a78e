#include "writers/HtmlListExport.h"

#include "core/platform/OutputFile.h"
#include "writers/ColumnCells.h"
#include "writers/HtmlListWriter.h"
#include "writers/ListDelivery.h"

namespace vek {

QString htmlInitialTitle(const FileList& list, const Settings& settings) {
  if (settings.option.defaultTitle && !list.isEmpty()) return list.at(0).folder;
  return settings.html.title;
}

bool createHtmlList(const QString& path, const FileList& given, const Settings& settings,
                    Interaction& interaction, const QString& title, PathStyle pathStyle,
                    const ListDigests* readAhead) {
  if (auto message = ColumnCells::checkSelection(settings.html.columns)) {
    interaction.showMessage(*message);
    return false;
  }
  ListDelivery delivery(given, path, settings.html.columns);
  const FileList& list = delivery.list();
  if (!delivery.prepare(interaction, readAhead)) return false;
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
  const bool written = delivery.write(
      path, interaction, [&](QIODevice& device) { return writer.write(device, *encoder, list); });
  if (!written) return false;
  if (encoder->lostCharacters() > 0)
    interaction.showMessage(
        OutputFile::unrepresentableCharactersMessage(path, encoder->lostCharacters()));
  delivery.reportMissing(interaction);
  return true;
}

}  // namespace vek
