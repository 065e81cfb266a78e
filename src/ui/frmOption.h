// "動作設定": duplicates, opening written lists, the all-append button, the HTML default title
// what a dropped folder adds, and whether the list's sorts read digits as numbers.
#pragma once

#include "core/settings/Settings.h"
#include "ui/BandDialog.h"

class QButtonGroup;
class QCheckBox;

namespace vek {

class frmOption : public BandDialog {
  Q_OBJECT
 public:
  frmOption(Settings& settings, const Session& session, QWidget* parent = nullptr);

  // Stores the six settings and closes; the window then greys or enables its all-append
  // button (see allAppendChanged).
  void ok() override;

 Q_SIGNALS:
  // Sent by OK: true when the all-append button is to be disabled.
  void allAppendChanged(bool disabled);

 private:
  Settings& m_settings;
  QCheckBox* m_chkCyohuku;
  QCheckBox* m_chkOpenDoc;
  QCheckBox* m_chkAllAppend;
  QCheckBox* m_chkDefaultTitle;
  QCheckBox* m_chkNumberSort;
  QButtonGroup* m_optDropItem;
};

}  // namespace vek
