// Which names a walk takes and which folders it enters, apart from the file filter: the names
// and folders left out, whether hidden files are listed, whether the walk keeps to the file
// system it started on. One value that every walk takes (the adds, the file box, the batch
// run, a comparison), so that they never disagree on what a folder holds.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include "core/platform/FileSystem.h"
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

  // The patterns: one without "/" matches a name at any depth; one holding "/" matches the
  // path below the walk's start folder ("build/cache", "*/node_modules"; "*" takes "/" too, a
  // leading "/" or "./" is dropped); a trailing "/" makes either match folders only.

  // True when something is left out by a pattern.
  bool excludesNames() const { return m_excludes; }
  // True when some pattern holds a "/": the walk must give the path below its start folder.
  bool excludesPaths() const { return m_paths || m_folderPaths; }
  // True when a file of the name is left out by a pattern of names.
  bool excludes(QStringView name) const { return m_names && m_fileNames.matches(name); }
  // Whether a file of this name is listed (the file filter apart).
  bool takesFile(QStringView name) const {
    return (m_hiddenFiles || !name.startsWith(u'.')) && !excludes(name);
  }
  // Whether a folder of this name is entered: a folder left out is never opened.
  bool entersFolder(QStringView name) const {
    return !excludes(name) && !(m_folderOnlyNames && m_folderNames.matches(name));
  }
  // The same for the patterns holding "/": whether the file or folder at relativeFolder
  // (below the start folder, "" or ending in "/") + name is left out.
  bool excludesPath(QStringView relativeFolder, QStringView name, bool folder) const;
  FileSystem::HiddenFiles hiddenFilesRead() const {
    return m_hiddenFiles ? FileSystem::HiddenFiles::Listed : FileSystem::HiddenFiles::Left;
  }

 private:
  WildcardFilter m_excluded{QString()};  // the text as given
  bool m_excludes = false;
  WildcardFilter m_fileNames{QString()};  // names of files and folders
  WildcardFilter m_folderNames{QString()};
  WildcardFilter m_pathPatterns{QString()};  // paths of files and folders
  WildcardFilter m_folderPathPatterns{QString()};
  bool m_names = false;
  bool m_folderOnlyNames = false;
  bool m_paths = false;
  bool m_folderPaths = false;
  bool m_hiddenFiles = false;
  bool m_oneFileSystem = false;
};

// The ready-made texts of the exclude box: version-control and cache folders, the files other
// systems leave on shared folders, both, and every hidden name.
const QStringList& excludePresets();

}  // namespace vek
