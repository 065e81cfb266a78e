// The column group every writer dialog carries: which of the eight columns are written and how
// the path, folder, file name and size columns are shaped. The rules of what a tick enables
// live here only, so the three dialogs cannot disagree.
#pragma once

#include <QGroupBox>

#include "core/list/ColumnOptions.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;

namespace vek {

class framJoho : public QGroupBox {
  Q_OBJECT
 public:
  // caption: the frame's caption (the HTML dialog pads it with ideographic spaces).
  explicit framJoho(const QString& caption, QWidget* parent = nullptr);

  static QString defaultCaption();
  // The note each writer dialog shows beside the frame.
  static QLabel* createSortNote(QWidget* parent);

  // Sets every control from options, then runs the tick rules so that enabling and colours
  // match the loaded values.
  void load(const ColumnOptions& options);
  // Copies the column fields back; an option that is disabled keeps its value.
  void store(ColumnOptions& options) const;
  // A list that always holds every field (JSON): the field ticks are greyed, with a note that
  // says so; the relative path and the digests stay to be chosen.
  void setEveryField(bool every);

 private:
  void applyFullPathRule();
  void applyDirRule();
  void applyFileRule();
  void applySizeRule();

  QCheckBox* m_chkFullPath;
  QCheckBox* m_chkPathType;
  QCheckBox* m_chkDir;
  QButtonGroup* m_optDir;
  QCheckBox* m_chkFile;
  QCheckBox* m_chkAndName;
  QCheckBox* m_chkExtend;
  QCheckBox* m_chkSize;
  QButtonGroup* m_optSize;
  QCheckBox* m_chkAddUnit;
  QCheckBox* m_chkDateCreate;
  QCheckBox* m_chkDateAccess;
  QCheckBox* m_chkDateModifi;
  // Vek's own: the path below the folder of the add, a digest column, a checksum file.
  QCheckBox* m_chkRelPath;
  QCheckBox* m_chkDeliveryCheck;
  QLabel* m_lblHash;
  QComboBox* m_cmbHash;
  QCheckBox* m_chkSumFile;
  QLabel* m_lblEveryField;
};

}  // namespace vek
