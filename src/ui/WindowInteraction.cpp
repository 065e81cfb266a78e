#include "ui/WindowInteraction.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenuBar>

#include "core/messages/MessageCatalogue.h"
#include "core/messages/PrintedPath.h"
#include "ui/WindowDialogs.h"
#include "ui/frmInfo.h"

namespace vek {

namespace {

// Paths named in the notice; the rest are counted (and copied whole).
constexpr std::size_t kNamedInNotice = 10;
// A longer path is shown cut in its middle: the notice stays on the screen.
constexpr qsizetype kShownPathLength = 120;

QString line(const WindowInteraction::Incomplete& item) {
  return printedPath(item.path) + u": " + item.reason;
}

}  // namespace

WindowInteraction::WindowInteraction(QMainWindow& owner, WindowDialogs& dialogs)
    : m_owner(owner), m_dialogs(dialogs) {
  m_progressTimer.setSingleShot(true);
  m_progressTimer.setInterval(30);
  connect(&m_progressTimer, &QTimer::timeout, this, &WindowInteraction::showPendingProgress);
}

WindowInteraction::~WindowInteraction() {
  delete m_info;
}

frmInfo& WindowInteraction::progressWindow() {
  if (!m_info) {
    m_info = new frmInfo(&m_owner);
    connect(m_info, &frmInfo::cancelClicked, this, &WindowInteraction::requestCancel);
  }
  return *m_info;
}

bool WindowInteraction::progressShown() const {
  return m_info && m_info->isVisible();
}

QWidget* WindowInteraction::messageOwner() {
  if (progressShown()) return m_info;
  // A message of a dialog open over the window (a writer's failure) stands over that dialog.
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return &m_owner;
}

void WindowInteraction::showMessage(const Message& message) {
  m_dialogs.showMessage(messageOwner(), message);
}

bool WindowInteraction::askYesNo(const Message& question) {
  return m_dialogs.askYesNo(messageOwner(), question);
}

FailureAnswer WindowInteraction::reportAddFailure(const Message& message) {
  return m_dialogs.askAddFailure(messageOwner(), message);
}

void WindowInteraction::requestCancel() {
  m_cancelRequested = true;
  if (m_onCancel) m_onCancel();
}

void WindowInteraction::showProgress(const QString& caption, const QString& info,
                                     const QString& detail, qint64 bar, qint64 barMaximum) {
  frmInfo& window = progressWindow();
  m_pending.waiting = false;
  window.setProgress(caption, info, detail, bar, barMaximum);
  if (!window.isVisible()) {
    if (QWidget* central = m_owner.centralWidget()) central->setEnabled(false);
    if (QMenuBar* menu = m_owner.menuBar()) menu->setEnabled(false);
    window.show();
  }
}

void WindowInteraction::updateProgress(const QString& caption, const QString& info,
                                       const QString& detail, qint64 bar) {
  m_pending = {caption, info, detail, bar, true};
  if (!m_progressTimer.isActive()) m_progressTimer.start();
}

void WindowInteraction::showPendingProgress() {
  if (!m_pending.waiting) return;
  m_pending.waiting = false;
  if (m_info && m_info->isVisible()) {
    m_info->setProgress(m_pending.caption, m_pending.info, m_pending.detail, m_pending.bar);
  }
}

void WindowInteraction::closeProgress() {
  m_pending.waiting = false;
  if (!m_info) return;
  m_info->clear();
  m_info->hide();
  if (QWidget* central = m_owner.centralWidget()) central->setEnabled(true);
  if (QMenuBar* menu = m_owner.menuBar()) menu->setEnabled(true);
}

}  // namespace vek

namespace vek {

void WindowInteraction::reportIncomplete(const QString& path, const QString& reason) {
  m_incomplete.push_back({path, reason});
  if (!m_holdNotice) scheduleNotice(0);
}

void WindowInteraction::scheduleNotice(int milliseconds) {
  if (m_noticeDue) return;
  m_noticeDue = true;
  QTimer::singleShot(milliseconds, this, [this] {
    m_noticeDue = false;
    if (m_holdNotice) return;
    // An export still under way (its progress window open) may report more before it ends.
    if (progressShown()) {
      scheduleNotice(50);
      return;
    }
    showIncompleteNotice();
  });
}

qint64 WindowInteraction::showIncompleteNotice() {
  m_holdNotice = false;
  if (m_incomplete.empty()) return 0;
  const std::vector<Incomplete> items = std::move(m_incomplete);
  m_incomplete.clear();
  m_dialogs.showIncomplete(messageOwner(), incompleteNotice(items), incompleteList(items));
  return qint64(items.size());
}

Message WindowInteraction::incompleteNotice(const std::vector<Incomplete>& items) {
  QStringList lines{MessageCatalogue::notReadHeading(qint64(items.size())), QString()};
  for (std::size_t i = 0; i < items.size() && i < kNamedInNotice; ++i) {
    QString shown = line(items[i]);
    if (shown.size() > kShownPathLength) {
      const qsizetype half = kShownPathLength / 2;
      shown = shown.left(half) + u'…' + shown.right(half);
    }
    lines += shown;
  }
  if (items.size() > kNamedInNotice) {
    lines += QCoreApplication::translate("WindowInteraction", "ほか %1 件")
                 .arg(qint64(items.size() - kNamedInNotice));
  }
  return MessageCatalogue::warning(lines.join(QStringLiteral("\r\n")));
}

QString WindowInteraction::incompleteList(const std::vector<Incomplete>& items) {
  QString text;
  for (const Incomplete& item : items) text += line(item) + u'\n';
  return text;
}

}  // namespace vek
