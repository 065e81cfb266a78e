#include "gather/DropIntake.h"

#include <QUrl>

#include "core/list/FileList.h"
#include "core/messages/Interaction.h"
#include "core/messages/Message.h"
#include "core/messages/MessageCatalogue.h"
#include "core/platform/FileSystem.h"
#include "core/settings/Settings.h"
#include "core/text/PathRules.h"
#include "gather/Gatherer.h"

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
