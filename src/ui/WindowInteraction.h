// The window's side of the core's Interaction: message boxes through WindowDialogs, the
// progress window frmInfo and what its キャンセル does. The adds run beside the window's own
// event loop, so nothing here processes events: progress texts are shown at the next paint.
#pragma once

#include <functional>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QTimer>

#include "core/messages/Interaction.h"

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
  FailureAnswer reportAddFailure(const Message& message) override;
  void showProgress(const QString& caption, const QString& info, const QString& detail, qint64 bar,
                    qint64 barMaximum) override;
  void updateProgress(const QString& caption, const QString& info, const QString& detail,
                      qint64 bar) override;
  void closeProgress() override;
  bool cancelRequested() override { return m_cancelRequested; }
  void clearCancelRequested() override { m_cancelRequested = false; }
  // Kept, and named in one notice (IncompleteNotice) once the work that found them is done:
  // at the end of an add (showIncompleteNotice), else as soon as the window's event loop
  // runs again with no progress window open (the end of an export).
  void reportIncomplete(const QString& path, const QString& reason) override;

  // While an add runs, its reports wait for showIncompleteNotice.
  void holdIncompleteNotice() { m_holdNotice = true; }
  // Shows the notice of what was reported since the last one, if anything; returns how many
  // were named.
  qint64 showIncompleteNotice();
  // The notice's texts: the first ten paths (escaped as every report shows them) with their
  // reasons and "ほか N 件"; the whole list for the clipboard, one a line.
  struct Incomplete {
    QString path;
    QString reason;
  };
  static Message incompleteNotice(const std::vector<Incomplete>& items);
  static QString incompleteList(const std::vector<Incomplete>& items);

  // What キャンセル does besides raising the flag: the window ends its add at once.
  void setCancelHandler(std::function<void()> handler) { m_onCancel = std::move(handler); }

  // The progress window, created on first use.
  frmInfo& progressWindow();
  bool progressShown() const;

 public Q_SLOTS:
  void requestCancel();

 private:
  QWidget* messageOwner();
  void showPendingProgress();
  void scheduleNotice(int milliseconds);

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
  QTimer m_progressTimer;  // shows the latest texts a few times a second
  bool m_cancelRequested = false;
  std::function<void()> m_onCancel;
  std::vector<Incomplete> m_incomplete;
  bool m_holdNotice = false;
  bool m_noticeDue = false;
};

}  // namespace vek
