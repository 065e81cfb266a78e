// What a drop of files and folders does: each dropped file becomes a row, each dropped folder
// adds its files (or those of its whole subtree, as the DropFolder option says) under the
// current filter. The window turns the dropped data into paths; everything else is here.
#pragma once

#include <vector>

#include <QString>

class QUrl;

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

// A dropped address as an item: the local path of a file: address naming this machine (no
// host, or "localhost"), with the name's own bytes kept. An address of another host, or one
// whose path holds a NUL byte (no file name can), has no local path.
DroppedItem droppedItem(const QUrl& url);

enum class DropOutcome {
  Done,       // every item was taken (vanished ones skipped)
  Cancelled,  // the person cancelled a subtree; the later items were not taken
  NotAnItem,  // an item without a local path stopped the intake; the person was told
};

// Adds the dropped items in their order. Items that no longer exist, hidden files (a name
// beginning with ".") and special files (pipes, devices, sockets: no add lists them) are
// skipped silently. Rows added before a cancel or an error stay.
// The progress display is shown only for a folder taken with its subfolders.
DropOutcome takeDroppedItems(const std::vector<DroppedItem>& items, Gatherer& gatherer,
                             FileList& list, Interaction& interaction, const Settings& settings);

// "ｱｲﾃﾑ種別ｴﾗｰ": an item without a local path was dropped.
void reportNotAnItem(Interaction& interaction);
// A dropped file as folder and name; the folder of a file at the root is the root itself.
void splitFilePath(const QString& path, QString& folder, QString& name);

}  // namespace vek
