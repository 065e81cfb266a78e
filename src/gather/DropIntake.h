// What a drop hands the add: each dropped item as a local path, or none. The window turns the
// dropped data into items; BackgroundAdd::startDrop takes them in their order.
#pragma once

#include <vector>

#include <QString>

class QUrl;

namespace vek {

class Interaction;

// One dropped item: a local path, or nothing when the item has none (an address, a virtual
// object of the desktop).
struct DroppedItem {
  QString path;  // empty when the item has no local path
};

// A dropped address as an item: the local path of a file: address naming this machine (no
// host, or "localhost"), with the name's own bytes kept. An address of another host, or one
// whose path holds a NUL byte (no file name can), has no local path.
DroppedItem droppedItem(const QUrl& url);

// "ｱｲﾃﾑ種別ｴﾗｰ": an item without a local path was dropped.
void reportNotAnItem(Interaction& interaction);
// A dropped file as folder and name; the folder of a file at the root is the root itself.
void splitFilePath(const QString& path, QString& folder, QString& name);

}  // namespace vek
