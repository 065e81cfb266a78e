#include "gather/DropIntake.h"

#include <QUrl>

#include "core/Interaction.h"
#include "core/MessageCatalogue.h"
#include "core/PathRules.h"

namespace vek {

void reportNotAnItem(Interaction& interaction) {
  interaction.showMessage(MessageCatalogue::notAnItemDropped());
}

void splitFilePath(const QString& path, QString& folder, QString& name) {
  const QChar separator = pathSeparator(nativePathStyle());
  const qsizetype cut = path.lastIndexOf(separator);
  folder = cut <= 0 ? QString(separator) : path.first(cut);
  name = path.sliced(cut + 1);
}

DroppedItem droppedItem(const QUrl& url) {
  return {localPathOfUrl(url)};
}

}  // namespace vek
