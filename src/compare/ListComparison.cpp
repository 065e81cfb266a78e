#include "compare/ListComparison.h"

#include <bit>

#include <QHash>
#include <QHashFunctions>

#include "compare/ListReadErrors.h"
#include "core/messages/PrintedPath.h"

namespace vek {

namespace {

QStringView folderPart(const FileEntry& row) {
  if (row.rootLength < 0) return {};
  return QStringView(row.folder).mid(std::min<qsizetype>(row.rootLength, row.folder.size()));
}

size_t pathHash(const FileEntry& row) {
  return qHashMulti(0, folderPart(row), QStringView(row.name), QStringView(row.extension));
}

bool samePath(const FileEntry& a, const FileEntry& b) {
  return folderPart(a) == folderPart(b) && a.name == b.name && a.extension == b.extension;
}

// An open-addressing table of the rows of one side by their path, holding row numbers only:
// a million rows cost a few megabytes beside the rows themselves.
class PathIndex {
 public:
  explicit PathIndex(std::span<const FileEntry> rows) : m_rows(rows) {
    const std::size_t size = std::bit_ceil(std::max<std::size_t>(16, rows.size() * 2));
    m_slots.assign(size, kEmpty);
    m_mask = size - 1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      std::size_t slot = pathHash(rows[i]) & m_mask;
      while (m_slots[slot] != kEmpty) {
        // The first of rows with one path is the one matched; the later ones count as removed.
        if (samePath(rows[m_slots[slot]], rows[i])) break;
        slot = (slot + 1) & m_mask;
      }
      if (m_slots[slot] == kEmpty) m_slots[slot] = std::uint32_t(i);
    }
  }
  // The row with the same path, or -1.
  qint64 find(const FileEntry& row) const {
    std::size_t slot = pathHash(row) & m_mask;
    while (m_slots[slot] != kEmpty) {
      if (samePath(m_rows[m_slots[slot]], row)) return m_slots[slot];
      slot = (slot + 1) & m_mask;
    }
    return -1;
  }

 private:
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;
  std::span<const FileEntry> m_rows;
  std::vector<std::uint32_t> m_slots;
  std::size_t m_mask = 0;
};

}  // namespace

QString comparedPath(const FileEntry& row) {
  return folderPart(row) + row.name + row.extension;
}

namespace {

// True when path lies where the walk could not read: in one of the folders or is one of the
// files.
bool inUnreadable(const QString& path, std::span<const QString> unreadable) {
  for (const QString& place : unreadable) {
    if (place.endsWith(u'/') ? path.startsWith(place) : path == place) return true;
  }
  return false;
}

QExplicitlySharedDataPointer<CompareDetail> unverified(UnverifiedReason reason) {
  QExplicitlySharedDataPointer<CompareDetail> detail(new CompareDetail);
  detail->reason = reason;
  return detail;
}

}  // namespace

ComparisonResult compareLists(const ComparedRows& before, const ComparedRows& now, SameRows same) {
  ComparisonResult result;
  result.comparedSizes = before.hasSizes && now.hasSizes;
  result.comparedModified = before.hasModified && now.hasModified;
  result.comparedHashes = before.hashKind != HashKind::None && before.hashKind == now.hashKind;
  const auto hashOf = [](const ComparedRows& side, std::size_t i) {
    return i < side.hashes.size() ? side.hashes[i] : QByteArray();
  };
  const PathIndex index(before.rows);
  std::vector<bool> matched(before.rows.size(), false);
  // Rows of now found only now: result.rows position and row number, in order; those with a
  // digest may turn out moved.
  std::vector<std::pair<std::size_t, std::size_t>> added;
  for (std::size_t i = 0; i < now.rows.size(); ++i) {
    const FileEntry& row = now.rows[i];
    const qint64 found = index.find(row);
    CompareState state = CompareState::Added;
    quint8 changes = 0;
    QExplicitlySharedDataPointer<CompareDetail> detail;
    if (found >= 0) {
      const auto j = std::size_t(found);
      matched[j] = true;
      const FileEntry& old = before.rows[j];
      if (result.comparedSizes && old.size != row.size) changes |= kSizeChanged;
      if (result.comparedModified && old.modified != row.modified) changes |= kModifiedChanged;
      QByteArray a, b;
      if (result.comparedHashes) {
        a = hashOf(before, j);
        b = hashOf(now, i);
        if (!a.isEmpty() && !b.isEmpty() && a != b) changes |= kHashChanged;
      }
      if (changes) {
        state = CompareState::Changed;
        detail = new CompareDetail;
        detail->sizeBefore = old.size;
        detail->modifiedBefore = old.modified;
        detail->hashBefore = a;
        detail->hashNow = b;
      } else if (result.comparedHashes && (a.isEmpty() || b.isEmpty())) {
        // Nothing differs that was seen, but the digest that would prove it is missing.
        state = CompareState::Unverified;
        detail = unverified(b.isEmpty() ? UnverifiedReason::NoDigestNow
                                        : UnverifiedReason::NoDigestBefore);
      } else {
        state = CompareState::Same;
      }
    }
    switch (state) {
      case CompareState::Same:
        ++result.counts.same;
        if (same == SameRows::Leave) continue;
        break;
      case CompareState::Added:
        ++result.counts.added;
        added.emplace_back(result.rows.size(), i);
        break;
      case CompareState::Unverified:
        ++result.counts.unverified;
        break;
      default:
        ++result.counts.changed;
        break;
    }
    FileEntry copy = row;
    copy.state = state;
    copy.changes = changes;
    copy.detail = std::move(detail);
    copy.ticked = true;
    result.rows.push_back(std::move(copy));
  }
  // The rows of before not found now: unverified where now could not be read, else removed,
  // unless an added file has the same size and digest: then it moved.
  std::vector<bool> unreadableNow(before.rows.size(), false);
  QHash<QByteArray, std::vector<std::size_t>> gone;  // by digest, in the order of before
  for (std::size_t j = 0; j < before.rows.size(); ++j) {
    if (matched[j]) continue;
    if (!now.unreadable.empty() && inUnreadable(comparedPath(before.rows[j]), now.unreadable)) {
      unreadableNow[j] = true;
      continue;
    }
    if (!result.comparedHashes) continue;
    const QByteArray digest = hashOf(before, j);
    if (!digest.isEmpty()) gone[digest].push_back(j);
  }
  if (!gone.isEmpty()) {
    QHash<QByteArray, std::size_t> taken;  // how many of each digest's rows were paired
    for (const auto& [position, i] : added) {
      const QByteArray digest = hashOf(now, i);
      if (digest.isEmpty()) continue;
      const auto candidates = gone.constFind(digest);
      if (candidates == gone.cend()) continue;
      std::size_t& next = taken[digest];
      const FileEntry& row = now.rows[i];
      // Among the files gone with this digest, the first of the same size not yet paired.
      while (next < candidates->size() && result.comparedSizes &&
             before.rows[(*candidates)[next]].size != row.size)
        ++next;
      if (next >= candidates->size()) continue;
      const std::size_t j = (*candidates)[next++];
      matched[j] = true;
      FileEntry& moved = result.rows[position];
      moved.state = CompareState::Moved;
      moved.detail = new CompareDetail;
      moved.detail->movedFrom = comparedPath(before.rows[j]);
      moved.detail->sizeBefore = before.rows[j].size;
      moved.detail->modifiedBefore = before.rows[j].modified;
      moved.detail->hashBefore = digest;
      moved.detail->hashNow = digest;
      --result.counts.added;
      ++result.counts.moved;
    }
  }
  for (std::size_t j = 0; j < before.rows.size(); ++j) {
    if (matched[j]) continue;
    FileEntry copy = before.rows[j];
    copy.changes = 0;
    copy.ticked = true;
    if (unreadableNow[j]) {
      ++result.counts.unverified;
      copy.state = CompareState::Unverified;
      copy.detail = unverified(UnverifiedReason::NotRead);
    } else {
      ++result.counts.removed;
      copy.state = CompareState::Removed;
      copy.detail.reset();
    }
    result.rows.push_back(std::move(copy));
  }
  return result;
}

std::optional<Message> anchorSavedList(SavedList& list, const QString& folder) {
  if (!list.inputFolder.isEmpty() || list.rows.empty()) return std::nullopt;
  std::size_t inside = 0;
  std::size_t outside = list.rows.size();
  if (!folder.isEmpty()) {
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
      if (list.rows[i].folder.startsWith(folder)) {
        ++inside;
      } else if (outside == list.rows.size()) {
        outside = i;
      }
    }
  }
  // Rows of the folder beside one that is not: that row is named, rather than every row
  // becoming a difference.
  if (inside > 0 && inside < list.rows.size()) {
    const qint64 line =
        outside < list.rowLines.size() ? list.rowLines[outside] : qint64(outside) + 2;
    return ListReadErrors::outsideFolder(list.path, line, printedPath(folder));
  }
  QString root = folder;
  if (inside == 0) {
    // A list made of another folder: the folder every row lies in, the common start of their
    // folders cut after a separator (none when they share not even the first character).
    root = list.rows.front().folder;
    for (const FileEntry& row : list.rows) {
      if (row.folder.isSharedWith(root) || row.folder.startsWith(root)) continue;
      qsizetype common = 0;
      while (common < root.size() && common < row.folder.size() &&
             root[common] == row.folder[common])
        ++common;
      root.truncate(common == 0 ? 0 : root.lastIndexOf(u'/', common - 1) + 1);
    }
  }
  list.inputFolder = root;
  for (FileEntry& row : list.rows) row.rootLength = qint32(root.size());
  return std::nullopt;
}

}  // namespace vek
