#include "gather/WalkRules.h"

#include <algorithm>

#include <QStringList>
#include <QStringTokenizer>

#include "core/settings/WalkSettings.h"

namespace vek {

namespace {

// True when the text holds at least one pattern (blanks around a pattern are not part of it,
// as in the filter): an empty WildcardFilter takes every name, which for the names left out
// must mean none.
bool holdsPattern(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c != u';' && c != u' '; });
}

}  // namespace

WalkRules::WalkRules(const QString& excludedText, bool hiddenFiles, bool oneFileSystem)
    : m_excluded(excludedText),
      m_excludes(holdsPattern(excludedText)),
      m_hiddenFiles(hiddenFiles),
      m_oneFileSystem(oneFileSystem) {
  // Each pattern to the filter of its kind; ordinary blanks around it are no part of it, as in
  // the filter itself.
  QStringList names, folderNames, paths, folderPaths;
  for (const QStringView piece : QStringTokenizer(excludedText, u';')) {
    QStringView pattern = piece;
    while (pattern.startsWith(u' ')) pattern = pattern.mid(1);
    while (pattern.endsWith(u' ')) pattern.chop(1);
    bool folderOnly = false;
    while (pattern.endsWith(u'/')) {
      pattern.chop(1);
      folderOnly = true;
    }
    if (pattern.startsWith(u"./")) pattern = pattern.mid(2);
    while (pattern.startsWith(u'/')) pattern = pattern.mid(1);
    if (pattern.isEmpty()) continue;
    const bool path = pattern.contains(u'/');
    (path ? (folderOnly ? folderPaths : paths) : (folderOnly ? folderNames : names))
        << pattern.toString();
  }
  const auto filter = [](const QStringList& patterns, WildcardFilter& into, bool& any) {
    any = !patterns.isEmpty();
    if (any) into = WildcardFilter(patterns.join(u';'));
  };
  filter(names, m_fileNames, m_names);
  filter(folderNames, m_folderNames, m_folderOnlyNames);
  filter(paths, m_pathPatterns, m_paths);
  filter(folderPaths, m_folderPathPatterns, m_folderPaths);
}

bool WalkRules::excludesPath(QStringView relativeFolder, QStringView name, bool folder) const {
  if (!excludesPaths()) return false;
  // One buffer per thread: this runs for every name of a walk that has such patterns.
  thread_local QString path;
  path.resize(0);
  path += relativeFolder;
  path += name;
  return (m_paths && m_pathPatterns.matches(path)) ||
         (folder && m_folderPaths && m_folderPathPatterns.matches(path));
}

WalkRules::WalkRules(const WalkSettings& settings)
    : WalkRules(settings.excluded, settings.hiddenFiles, settings.oneFileSystem) {}

const QStringList& excludePresets() {
  static const QStringList presets = {
      QStringLiteral(".git;.svn;.hg;node_modules;__pycache__"),
      QStringLiteral("Thumbs.db;desktop.ini;.DS_Store;._*;~$*"),
      QStringLiteral(".git;.svn;.hg;node_modules;__pycache__;"
                     "Thumbs.db;desktop.ini;.DS_Store;._*;~$*"),
      QStringLiteral(".*"),
  };
  return presets;
}

}  // namespace vek
