// Which names a walk takes and which folders it enters, apart from the file filter: the names
// and folders left out, whether hidden files are listed, whether the walk keeps to the file
// system it started on. One value that every walk takes (the adds, the file box, the batch
// run, a comparison), so that they never disagree on what a folder holds.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include "core/FileSystem.h"
#include "gather/WildcardFilter.h"

namespace vek {

struct WalkSettings;

class WalkRules {
 public:
  // The defaults: nothing left out, hidden files left out, every file system entered.
  WalkRules() = default;
  WalkRules(const QString& excludedText, bool hiddenFiles, bool oneFileSystem);
  explicit WalkRules(const WalkSettings& settings);

  // The ';'-separated wildcard patterns of the names left out, as the filter box takes them.
  const QString& excludedText() const { return m_excluded.text(); }
  bool hiddenFiles() const { return m_hiddenFiles; }
  bool oneFileSystem() const { return m_oneFileSystem; }

  // True when some name is left out by its pattern.
  bool excludesNames() const { return m_excludes; }
  // True when the name matches a pattern of the names left out.
  bool excludes(QStringView name) const { return m_excludes && m_excluded.matches(name); }
  // Whether a file of this name is listed (the file filter apart).
  bool takesFile(QStringView name) const {
    return (m_hiddenFiles || !name.startsWith(u'.')) && !excludes(name);
  }
  // Whether a folder of this name is entered: a folder left out is never opened.
  bool entersFolder(QStringView name) const { return !excludes(name); }
  FileSystem::HiddenFiles hiddenFilesRead() const {
    return m_hiddenFiles ? FileSystem::HiddenFiles::Listed : FileSystem::HiddenFiles::Left;
  }

 private:
  WildcardFilter m_excluded{QString()};
  bool m_excludes = false;
  bool m_hiddenFiles = false;
  bool m_oneFileSystem = false;
};

// The ready-made texts of the exclude box: version-control and cache folders, the files other
// systems leave on shared folders, both, and every hidden name.
const QStringList& excludePresets();

}  // namespace vek
