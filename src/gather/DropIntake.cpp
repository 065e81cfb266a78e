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

DropOutcome takeDroppedItems(const std::vector<DroppedItem>& items, Gatherer& gatherer,
                             FileList& list, Interaction& interaction, const Settings& settings) {
  list.setSortingEnabled(false);
  interaction.clearCancelRequested();
  bool progressShown = false;
  DropOutcome outcome = DropOutcome::Done;

  for (const DroppedItem& item : items) {
    if (item.path.isEmpty()) {
      // Nothing that the file system knows: stop here, as the rows so far stay.
      if (progressShown) interaction.closeProgress();
      progressShown = false;
      list.setSortingEnabled(true);
      reportNotAnItem(interaction);
      return DropOutcome::NotAnItem;
    }
    if (FileSystem::regularFileExists(item.path)) {
      QString folder, name;
      splitFilePath(item.path, folder, name);
      // A name no add would list (hidden, or left out) is not taken from a drop either.
      if (gatherer.walkRules().takesFile(name)) gatherer.addFileEntry(folder, name);
    } else if (FileSystem::folderExists(item.path)) {
      if (!settings.option.dropFolder) {
        gatherer.addFolderFiles(item.path);
      } else {
        progressShown = true;
        if (!gatherer.gatherSubtree(item.path)) {
          outcome = DropOutcome::Cancelled;
          break;
        }
      }
    }
    // Anything else has vanished since it was dragged, or is a special file: skipped.
    if (interaction.cancelRequested()) {
      outcome = DropOutcome::Cancelled;
      break;
    }
  }
  if (progressShown) interaction.closeProgress();
  list.setSortingEnabled(true);
  return outcome;
}

}  // namespace vek
