// A list with the add that fills it, for the tests of the adds: the person's answers are
// recorded, the settings are the defaults, and each add is waited for as the batch run waits.
#pragma once

#include <set>
#include <vector>

#include <QString>

#include "core/list/FileList.h"
#include "core/settings/Settings.h"
#include "gather/BackgroundAdd.h"
#include "gather/DropIntake.h"
#include "gather/Gatherer.h"
#include "support/RecordingInteraction.h"

namespace vek::test {

inline const QString kAllFiles = QStringLiteral("*.*;　（全てのファイル）");

struct GathererFixture {
  explicit GathererFixture(const QString& filter = kAllFiles) { gatherer.setFilter(filter); }
  std::set<QString> fullPaths() const {
    std::set<QString> paths;
    for (const FileEntry& e : list.rows()) paths.insert(e.fullPath());
    return paths;
  }
  AddResult addSubtree(const QString& folder) {
    add.startSubtree(folder);
    return add.wait();
  }
  AddResult addCurrentFolder(const QString& folder) {
    add.startCurrentFolder(folder);
    return add.wait();
  }
  AddResult drop(std::vector<DroppedItem> items) {
    add.startDrop(std::move(items));
    return add.wait();
  }
  FileList list;
  RecordingInteraction interaction;
  Settings settings;
  Gatherer gatherer{list, interaction, settings};
  BackgroundAdd add{gatherer, list, interaction, settings};
};

}  // namespace vek::test
