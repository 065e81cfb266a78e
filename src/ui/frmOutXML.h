// The XML export dialog: the encoding, the line-break text, the column group and the element
// names, edited in place in a tree that shows the document's structure.
#pragma once

#include "ui/WriterDialog.h"

class QButtonGroup;
class QCheckBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vek {

class framJoho;
class framPrefix;
class framTotals;

class frmOutXML : public WriterDialog {
  Q_OBJECT
 public:
  static constexpr int kNodeCount = 14;

  frmOutXML(Settings& settings, const FileList& list, const Session& session,
            Interaction& interaction, QWidget* parent = nullptr);

  void create();
  // The tree node of an element by its key ("root", "finfo", "fullpath", "path", "fname",
  // "ftype", "fsize", "fdate", "makedate", "accessdate", "updatedate"); null for another key.
  QTreeWidgetItem* node(const QString& key) const;

 protected:
  void storeOptions(Settings& settings) const override;
  const ColumnOptions& columnsOf(const Settings& settings) const override;

 private:
  void load();
  void buildTree();
  void applyLineBreakRule();
  void resetElementNames();
  void checkEditedName(QTreeWidgetItem* item);

  framJoho* m_framJoho;
  framTotals* m_framTotals;
  framPrefix* m_framPrefix;
  QButtonGroup* m_optStrCode;
  QCheckBox* m_chkInsCrLf;
  QButtonGroup* m_optRetCode;
  QTreeWidget* m_tvXmlStruct;
  QPushButton* m_cmdResetElementName;
  QPushButton* m_cmdXmlCreate;
  QPushButton* m_cmdCancel;
  QTreeWidgetItem* m_nodes[kNodeCount] = {};
};

}  // namespace vek
