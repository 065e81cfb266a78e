// A folder of a walk as its parent and its name.
#pragma once

#include <memory>

#include <QString>

namespace vek {

// A folder of a walk as its parent and its name: a deep tree costs memory in proportion to
// its folders, not to the square of its depth, and each folder is opened relative to its
// parent. The start folder holds its whole folder text as its name.
class FolderNode {
 public:
  // A start folder: its folder text, ending in the separator.
  explicit FolderNode(QString folderText);
  FolderNode(std::shared_ptr<const FolderNode> parent, QString name);
  FolderNode(const FolderNode&) = delete;
  FolderNode& operator=(const FolderNode&) = delete;
  ~FolderNode();

  const std::shared_ptr<const FolderNode>& parent() const { return m_parent; }
  const QString& name() const { return m_name; }
  // The length of the folder text, its final separator included.
  qsizetype textLength() const { return m_textLength; }
  // The folder text, ending in the separator; made afresh from the chain of names.
  QString text() const;

 private:
  mutable std::shared_ptr<const FolderNode> m_parent;  // let go link by link at destruction
  QString m_name;
  qsizetype m_textLength;
};

}  // namespace vek
