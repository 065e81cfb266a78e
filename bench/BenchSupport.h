// What the benchmarks share: an Interaction that asks nothing and counts messages, and the list
// the export benchmarks write.
#pragma once

#include "core/list/FileList.h"
#include "core/messages/Interaction.h"

namespace vek::bench {

class QuietInteraction : public Interaction {
 public:
  void showMessage(const Message&) override { ++messages; }
  bool askYesNo(const Message&) override { return true; }
  void showProgress(const QString&, const QString&, const QString&, qint64, qint64) override {}
  void updateProgress(const QString&, const QString&, const QString&, qint64) override {}
  void closeProgress() override {}
  bool cancelRequested() override { return false; }
  int messages = 0;
};

// 200,000 rows in 5,000 folders, with one shared folder text per folder and one shared type
// text, as the gatherer makes them.
inline const FileList& exportList() {
  using namespace Qt::StringLiterals;
  static const FileList list = [] {
    FileList l;
    l.setSortingEnabled(false);
    const QString type = u"平文テキストドキュメント"_s;
    for (int f = 0; f < 5000; ++f) {
      const QString folder = u"/home/user/資料/プロジェクト "_s + QString::number(f) + u"/"_s;
      for (int i = 0; i < 40; ++i) {
        FileEntry row;
        // "&" makes the markup writers escape, as real names sometimes do.
        row.name = u"報告書&メモ_"_s + QString::number(i);
        row.extension = u".txt"_s;
        row.folder = folder;
        row.type = type;
        row.size = qint64(f) * 7919 + i * 104729;
        row.created = DateStamp::fromLocal(2005, 8, 18, 14, 3, i % 60);
        row.modified = DateStamp::fromLocal(2020, 1 + i % 12, 1 + i % 28, 9, 30, 0);
        l.append(std::move(row));
      }
    }
    return l;
  }();
  return list;
}

}  // namespace vek::bench
