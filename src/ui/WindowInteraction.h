// The window's side of the core's Interaction: message boxes through WindowDialogs, the
// progress window frmInfo, the cancel flag its キャンセル sets, and the yield that keeps the
// window painted during a scan without processing events for every file.
#pragma once

#include <functional>

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include "core/Interaction.h"

class QMainWindow;

namespace vek {

class WindowDialogs;
class frmInfo;

class WindowInteraction : public QObject, public Interaction {
  Q_OBJECT
 public:
  WindowInteraction(QMainWindow& owner, WindowDialogs& dialogs);
  ~WindowInteraction() override;

  void showMessage(const Message& message) override;
  bool askYesNo(const Message& question) override;
  void showProgress(const QString& caption, const QString& info, const QString& detail,
                    qint64 bar, qint64 barMaximum) override;
  void updateProgress(const QString& caption, const QString& info, const QString& detail,
                      qint64 bar) override;
  void closeProgress() override;
  bool cancelRequested() override { return m_cancelRequested; }
  void clearCancelRequested() override { m_cancelRequested = false; }
  void yield() override;

  // Events are processed at most this often during a scan (per file would cost more than the
  // scan itself). 0 processes them at every yield.
  void setYieldInterval(int milliseconds) { m_yieldInterval = milliseconds; }
  // Runs before events are processed: the list's model announces the rows added since.
  void setBeforeEvents(std::function<void()> handler) { m_beforeEvents = std::move(handler); }

  // The progress window, created on first use.
  frmInfo& progressWindow();
  bool progressShown() const;

 public Q_SLOTS:
  void requestCancel() { m_cancelRequested = true; }

 private:
  QWidget* messageOwner();
  void processEventsNow();
  void showPendingProgress();

  QMainWindow& m_owner;
  WindowDialogs& m_dialogs;
  QPointer<frmInfo> m_info;
  // The latest progress texts; the window shows them when events are processed next, so a
  // scan that reports every folder does not redraw for each.
  struct PendingProgress {
    QString caption, info, detail;
    qint64 bar = -1;
    bool waiting = false;
  } m_pending;
  bool m_cancelRequested = false;
  int m_yieldInterval = 30;
  QElapsedTimer m_sinceEvents;
  std::function<void()> m_beforeEvents;
};

}  // namespace vek
