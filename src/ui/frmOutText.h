// The CSV/text export dialog: file type (CSV, text or Excel workbook), separator with its
// ten-entry history, line end, text encoding and formula guard, the column group and the
// blank-line insertion group.
#pragma once

#include "ui/WriterDialog.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;

namespace vek {

class framJoho;
class framPrefix;
class framTotals;
class frmHeadIns;

class frmOutText : public WriterDialog {
  Q_OBJECT
 public:
  frmOutText(Settings& settings, const FileList& list, const Session& session,
             Interaction& interaction, QWidget* parent = nullptr);

  // The file types in the order of their buttons.
  enum class ListType { Csv, Text, Workbook, Json };
  // Chooses type as a click on its button does (the menu items that open the dialog so).
  void chooseType(ListType type);

  // The create button's action: writes the ticked rows and closes the dialog on success.
  void create();

 protected:
  void storeOptions(Settings& settings) const override;
  const ColumnOptions& columnsOf(const Settings& settings) const override;
  void storeOnClose() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void load();
  void applyTypeRule();
  void applyTabRule();
  bool isTextType() const;
  bool isWorkbookType() const;
  bool isJsonType() const;

  framJoho* m_framJoho;
  framTotals* m_framTotals;
  framPrefix* m_framPrefix;
  frmHeadIns* m_frmHeadIns;
  QButtonGroup* m_optType;
  QGroupBox* m_fraSepa;
  QCheckBox* m_chkSepaTab;
  QComboBox* m_cmbSepa;
  QButtonGroup* m_optRetCode;
  QGroupBox* m_fraReturnCode;
  QGroupBox* m_fraTextCode;
  QComboBox* m_cmbTextCode;
  QCheckBox* m_chkFormulaGuard;
  QPushButton* m_cmdTextCreate;
  QPushButton* m_cmdCancel;
  // A click is entering the separator box: the press that gave it the focus is still to come,
  // or its release.
  bool m_enteredByPress = false;
  bool m_selectOnRelease = false;
};

}  // namespace vek
