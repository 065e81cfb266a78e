#include "gather/FolderReadAhead.h"

#include <cerrno>

namespace vek {

FileSystem::NameFilter nameFilter(const WildcardFilter& filter, const WalkRules& rules) {
  if (!rules.excludesNames()) return [&filter](QStringView name) { return filter.matches(name); };
  return
      [&filter, &rules](QStringView name) { return filter.matches(name) && !rules.excludes(name); };
}

namespace {

Reading unreadableReading() {
  Reading reading;
  reading.error = errno;
  return reading;
}

}  // namespace

Reading readNode(FolderOpener& opener, const std::shared_ptr<const FolderNode>& node,
                 const ReadRules& read) {
  const FolderOpener::Open folder = opener.open(node);
  if (!folder) return unreadableReading();
  if (folder->isPseudo()) return {Reading::Outcome::NotEntered, {}};
  if (read.device && folder->device() != *read.device) return {Reading::Outcome::NotEntered, {}};
  // Patterns holding "/" look at the path below the start folder.
  QString relative;
  FileSystem::NameFilter files = read.files;
  if (read.rules && read.rules->excludesPaths()) {
    const FolderNode* start = node.get();
    while (start->parent()) start = start->parent().get();
    relative = node->text().mid(start->textLength());
    files = [&](QStringView name) {
      return read.files(name) && !read.rules->excludesPath(relative, name, false);
    };
  }
  std::optional<FolderListing> listing = folder->read(files, read.hidden);
  if (!listing) return unreadableReading();
  // The folders left out are never submitted, so never opened.
  if (read.rules && read.rules->excludesNames()) {
    std::erase_if(listing->folders, [&](const QString& name) {
      return !read.rules->entersFolder(name) || read.rules->excludesPath(relative, name, true);
    });
  }
  return {Reading::Outcome::Listed, std::move(*listing)};
}

}  // namespace vek
