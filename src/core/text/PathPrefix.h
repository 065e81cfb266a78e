// The prefix replacement of the folder and file-address columns, for lists read on Windows:
// "/mnt/nas/share" becomes "\\nas\share" (and, when asked, the "/" after it "\"). Only a whole
// leading run of path components matches: "/mnt/nas/share2" is not under "/mnt/nas/share".
#pragma once

#include <optional>

#include <QString>

#include "core/settings/PrefixReplacement.h"
#include "core/text/PathRules.h"

namespace vek {

class PathPrefix {
 public:
  // style: how paths on this machine are written (which separators end a component, whether
  // names compare case-insensitively).
  explicit PathPrefix(const PrefixReplacement& replacement, PathStyle style = nativePathStyle());

  bool isActive() const { return m_active; }

  // The part of path after the prefix, empty or starting with a separator; nullopt when path
  // does not lie under the prefix (or the replacement is off).
  std::optional<QStringView> restAfter(QStringView path) const;

  // The path as the folder and path columns write it: the replacement, then the rest (its "/"
  // as "\" when asked). nullopt when path is not under the prefix.
  std::optional<QString> replaced(QStringView path) const;
  // The unescaped "file:" address of a replaced path: the address of the replacement as its
  // own kind of path gives it ("\\nas\share" gives "file://nas/share", "Z:\" "file:///Z:",
  // "/srv" "file:///srv"), then the rest with "/" between names. nullopt when not under.
  std::optional<QString> address(QStringView path) const;
  // The same address percent-encoded for a link: the replacement's URL, then the rest's bytes
  // encoded (a "\" inside a name is %5C, never a separator). nullopt when not under.
  std::optional<QString> linkUrl(QStringView path) const;

 private:
  bool m_active;
  bool m_backslashes;
  PathStyle m_style;
  QString m_from;  // without trailing separators ("/" gives "")
  QString m_to;    // likewise
  QString m_toAddress;
  QString m_toUrl;
};

}  // namespace vek
