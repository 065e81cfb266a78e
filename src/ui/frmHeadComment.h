// "ﾍｯﾀﾞｺﾒﾝﾄ編集": the captions of the eight columns in the header rows of text, CSV and HTML
// lists.
#pragma once

#include <array>

#include "core/settings/Settings.h"
#include "ui/BandDialog.h"

class QLineEdit;
class QPushButton;

namespace vek {

class frmHeadComment : public BandDialog {
  Q_OBJECT
 public:
  frmHeadComment(Settings& settings, const Session& session, QWidget* parent = nullptr);

  // The eight captions as typed (an empty one too), then closes.
  void ok() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void restoreDefaults();

  Settings& m_settings;
  std::array<QLineEdit*, kColumnCount> m_boxes{};
  QPushButton* m_cmdDefault;
};

}  // namespace vek
