#include "gather/WalkRules.h"

#include <algorithm>

#include "core/WalkSettings.h"

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
      m_oneFileSystem(oneFileSystem) {}

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
