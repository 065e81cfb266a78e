// "日付書式設定": the date pattern of the written lists, with a preview of now before and after
// the pattern, renewed on every change of the pattern and once a second.
#pragma once

#include <functional>

#include <QDateTime>

#include "core/settings/Settings.h"
#include "ui/BandDialog.h"

class QComboBox;
class QLabel;
class QTimer;

namespace vek {

class Interaction;

class frmDateSetting : public BandDialog {
  Q_OBJECT
 public:
  using Clock = std::function<QDateTime()>;

  frmDateSetting(Settings& settings, const Session& session, Interaction& interaction,
                 QWidget* parent = nullptr);

  static const QStringList& presets();
  static QString invalidPatternText();

  // Refuses a pattern the preview could not apply, otherwise stores it and closes.
  void ok() override;
  // Replaces the clock the preview reads (tests give a fixed time); renews the preview.
  void setClock(Clock clock);
  bool formatError() const { return m_formatError; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void preview();

  Settings& m_settings;
  Interaction& m_interaction;
  QComboBox* m_cmbDateFormat;
  QLabel* m_lblBeforeDate;
  QLabel* m_lblAfterDate;
  QTimer* m_timPrintDate;
  Clock m_clock;
  bool m_formatError = false;
};

}  // namespace vek
