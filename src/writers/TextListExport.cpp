#include "writers/TextListExport.h"

#include "writers/ColumnCells.h"
#include "core/OutputFile.h"
#include "writers/ListDelivery.h"
#include "writers/TextListWriter.h"

namespace vek {

bool createTextList(const QString& path, const FileList& list, const Settings& settings,
                    Interaction& interaction, bool textType, const QString& separatorText,
                    const TextCodec& codec) {
  if (auto message = ColumnCells::checkSelection(settings.csv.columns)) {
    interaction.showMessage(*message);
    return false;
  }
  ListDelivery delivery(list.rows(), settings.csv.columns);
  if (!delivery.prepare(interaction)) return false;
  TextListWriter writer(settings, textType, separatorText, codec);
  delivery.applyTo(writer.cells());
  const bool written = OutputFile::write(
      path, interaction, [&](QIODevice& device) { return writer.write(device, list.rows()); });
  if (written && writer.lostCharacters() > 0) {
    interaction.showMessage(
        OutputFile::replacedCharactersMessage(path, codec.name(), writer.lostCharacters()));
  }
  return written && delivery.finish(path, interaction);
}

}  // namespace vek
