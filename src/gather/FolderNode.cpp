#include "gather/FolderNode.h"

#include <algorithm>

#include "core/text/PathRules.h"

namespace vek {

FolderNode::FolderNode(QString folderText)
    : m_name(std::move(folderText)), m_textLength(m_name.size()) {}

FolderNode::FolderNode(std::shared_ptr<const FolderNode> parent, QString name)
    : m_parent(std::move(parent)),
      m_name(std::move(name)),
      m_textLength(m_parent->textLength() + m_name.size() + 1) {}

FolderNode::~FolderNode() {
  // A long chain that only this node held is let go one link at a time: freeing it
  // recursively could exhaust the stack.
  std::shared_ptr<const FolderNode> parent = std::move(m_parent);
  while (parent && parent.use_count() == 1) parent = std::move(parent->m_parent);
}

QString FolderNode::text() const {
  const QChar separator = pathSeparator(nativePathStyle());
  QString text(m_textLength, Qt::Uninitialized);
  QChar* out = text.data() + m_textLength;
  for (const FolderNode* node = this; node; node = node->m_parent.get()) {
    if (node->m_parent) *--out = separator;
    out -= node->m_name.size();
    std::copy(node->m_name.cbegin(), node->m_name.cend(), out);
  }
  return text;
}

}  // namespace vek
