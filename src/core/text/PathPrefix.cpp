#include "core/text/PathPrefix.h"

#include "core/platform/FileNameBytes.h"

namespace vek {

namespace {

QString withoutTrailingSeparators(QString text) {
  while (!text.isEmpty() && (text.back() == u'/' || text.back() == u'\\')) text.chop(1);
  return text;
}

// How the replacement reads: a network path ("\\nas\share", "//nas/share"), a drive path
// ("Z:", "Z:\data") or anything with a backslash is a Windows path; the rest a POSIX one.
PathStyle styleOf(const QString& path) {
  const bool drive = path.size() >= 2 && path[1] == u':' && path[0].isLetter();
  if (drive || path.startsWith(u"//") || path.contains(u'\\')) return PathStyle::Windows;
  return PathStyle::Posix;
}

QString encodedUrlPart(QStringView text) {
  return QString::fromLatin1(encodeFileName(text).toPercentEncoding("/"));
}

// The URL of the replacement, percent-encoded, without a trailing "/".
QString replacementUrl(const QString& to) {
  if (to.isEmpty()) return QStringLiteral("file://");
  QString slashed = to;
  slashed.replace(u'\\', u'/');
  if (styleOf(to) == PathStyle::Windows) {
    // \\server\share: the server is the URL's host.
    if (slashed.startsWith(u"//")) return u"file://" + encodedUrlPart(QStringView(slashed).mid(2));
    const bool drive = slashed.size() >= 2 && slashed[1] == u':' && slashed[0].isLetter();
    if (drive) return u"file:///" + slashed.left(2) + encodedUrlPart(QStringView(slashed).mid(2));
  }
  if (!slashed.startsWith(u'/')) slashed.prepend(u'/');
  return u"file://" + encodedUrlPart(slashed);
}

}  // namespace

PathPrefix::PathPrefix(const PrefixReplacement& replacement, PathStyle style)
    : m_active(!replacement.from.isEmpty()),
      m_backslashes(replacement.backslashes),
      m_style(style),
      m_from(withoutTrailingSeparators(replacement.from)),
      m_to(withoutTrailingSeparators(replacement.to)) {
  if (!m_active) return;
  // The rest brings its own leading "/".
  m_toAddress = m_to.isEmpty() ? QStringLiteral("file://") : fileAddress(m_to, styleOf(m_to));
  m_toUrl = replacementUrl(m_to);
}

std::optional<QStringView> PathPrefix::restAfter(QStringView path) const {
  if (!m_active || path.size() < m_from.size()) return std::nullopt;
  const Qt::CaseSensitivity cs =
      m_style == PathStyle::Windows ? Qt::CaseInsensitive : Qt::CaseSensitive;
  if (path.left(m_from.size()).compare(m_from, cs) != 0) return std::nullopt;
  const QStringView rest = path.mid(m_from.size());
  // The prefix ends where a name ends: "/mnt/share2" is not under "/mnt/share".
  if (!rest.isEmpty() && !isPathSeparator(rest.front(), m_style)) return std::nullopt;
  // A prefix of "/" alone is the root: every absolute path lies under it, a relative one not.
  if (m_from.isEmpty() && rest.isEmpty()) return std::nullopt;
  return rest;
}

std::optional<QString> PathPrefix::replaced(QStringView path) const {
  const auto rest = restAfter(path);
  if (!rest) return std::nullopt;
  QString out = m_to;
  const qsizetype start = out.size();
  out.append(*rest);
  if (m_backslashes) {
    for (qsizetype i = start; i < out.size(); ++i)
      if (out[i] == u'/') out[i] = u'\\';
  }
  return out;
}

std::optional<QString> PathPrefix::address(QStringView path) const {
  const auto rest = restAfter(path);
  if (!rest) return std::nullopt;
  QString out = m_toAddress;
  out.append(*rest);
  return out;
}

std::optional<QString> PathPrefix::linkUrl(QStringView path) const {
  const auto rest = restAfter(path);
  if (!rest) return std::nullopt;
  return m_toUrl + encodedUrlPart(*rest);
}

}  // namespace vek
