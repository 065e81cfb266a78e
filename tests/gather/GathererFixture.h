// A list with a gatherer that adds to it, for the tests of the adds: the person's answers are
// recorded, the settings are the defaults.
#pragma once

#include <set>

#include <QString>

#include "core/list/FileList.h"
#include "core/settings/Settings.h"
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
  FileList list;
  RecordingInteraction interaction;
  Settings settings;
  Gatherer gatherer{list, interaction, settings};
};

}  // namespace vek::test
