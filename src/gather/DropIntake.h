// What a drop of files and folders does: each dropped file becomes a row, each dropped folder
// adds its files (or those of its whole subtree, as the DropFolder option says) under the
// current filter. The window turns the dropped data into paths; everything else is here.
#pragma once

#include <vector>

#include <QString>

namespace vek {

class FileList;
class Gatherer;
class Interaction;
struct Settings;

// One dropped item: a local path, or nothing when the item has none (an address, a virtual
// object of the desktop).
struct DroppedItem {
  QString path;  // empty when the item has no local path
};

enum class DropOutcome {
  Done,        // every item was taken (vanished ones skipped)
  Cancelled,   // the person cancelled a subtree; the later items were not taken
  NotAnItem,   // an item without a local path stopped the intake; the person was told
};

// Adds the dropped items in their order. Items that no longer exist, and hidden files (a
// name beginning with "."), are skipped silently. Rows added before a cancel or an error stay.
// The progress display is shown only for a folder taken with its subfolders.
DropOutcome takeDroppedItems(const std::vector<DroppedItem>& items, Gatherer& gatherer,
                             FileList& list, Interaction& interaction, const Settings& settings);

// "ｱｲﾃﾑ種別ｴﾗｰ": an item without a local path was dropped.
void reportNotAnItem(Interaction& interaction);
// A dropped file as folder and name; the folder of a file at the root is the root itself.
void splitFilePath(const QString& path, QString& folder, QString& name);

}  // namespace vek
