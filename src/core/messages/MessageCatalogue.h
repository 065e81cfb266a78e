// The titles that several messages share, and the texts of the add (its messages and its
// progress window), each written once: the window, a drop and the batch run show the same
// words, and a wording cannot drift between them.
#pragma once

#include <initializer_list>

#include <QString>

#include "core/messages/Message.h"

namespace vek {

class MessageCatalogue {
 public:
  // "警告", the title of most warnings.
  static QString warningTitle();
  // A warning box titled 警告, its lines joined as every message joins them.
  static Message warning(const QString& text);
  static Message warning(std::initializer_list<QString> lines);

  // The progress window of the whole-tree add: listing the folders, then adding their files.
  static QString folderSearchCaption();
  static QString folderSearchInfo();
  static QString fileSearchCaption();
  static QString fileSearchInfo();
  // The file phase's detail line while the folder at position done (0-based) of count is
  // processed: "処理件数：" done "　/　総ﾌｫﾙﾀﾞ数：" count "件".
  static QString progressDetail(qint64 done, qint64 count);

  // A file whose information could not be read (it is not added).
  static Message fileInfoFailed(const QString& folderText, const QString& name);
  // The count of such files the person chose to hear of only at the end of the add.
  static Message moreFileInfoFailures(qint64 count);
  // The filter box is empty.
  static Message noFileTypeChosen();
  // The question before a walk of the whole file system for every file.
  static Message wholeRootScanQuestion();
  // The first line of the report that names what a list leaves out because it could not be
  // read or hashed (count folders and files).
  static QString notReadHeading(qint64 count);
  // Something other than files and folders was dropped.
  static Message notAnItemDropped();
};

}  // namespace vek
