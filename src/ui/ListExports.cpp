#include "ui/ListExports.h"

#include <QApplication>
#include <QPushButton>

#include "core/text/PathRules.h"
#include "ui/FileListModel.h"
#include "ui/SystemDialogs.h"
#include "ui/WindowMenus.h"
#include "ui/frmOutHtml.h"
#include "ui/frmOutText.h"
#include "ui/frmOutXML.h"
#include "ui/frmVek.h"

namespace vek {

ListExports::ListExports(frmVek& window, WindowDialogs& dialogs, QPushButton& text,
                         QPushButton& html, QPushButton& xml)
    : QObject(&window), m_window(window), m_dialogs(dialogs) {
  Session& session = window.session();
  session.setSaveQuestion([this](const QString& filter) { return askSaveFile(filter); });
  session.setOpener([this](const QString& path) { openPath(path); });
  connect(&text, &QPushButton::clicked, this, [this] { exportList(WriterKind::Text); });
  connect(&html, &QPushButton::clicked, this, [this] { exportList(WriterKind::Html); });
  connect(&xml, &QPushButton::clicked, this, [this] { exportList(WriterKind::Xml); });
}

void ListExports::exportList(WriterKind kind) {
  m_window.listModel().flush();
  m_window.list().settle();  // a drop appends rows one by one; the writers read them in one array
  if (const std::optional<Message> refusal = m_window.list().checkExportable()) {
    m_window.interaction().showMessage(*refusal);
    return;
  }
  openWriterDialog(kind);
}

void ListExports::openWriterDialog(WriterKind kind) {
  Settings& settings = m_window.settings();
  FileList& list = m_window.list();
  Session& session = m_window.session();
  WindowInteraction& interaction = m_window.interaction();
  switch (kind) {
    case WriterKind::Text:
      WindowMenus::openDialog(new frmOutText(settings, list, session, interaction, &m_window));
      break;
    case WriterKind::Html:
      WindowMenus::openDialog(new frmOutHtml(settings, list, session, interaction, &m_window));
      break;
    case WriterKind::Xml:
      WindowMenus::openDialog(new frmOutXML(settings, list, session, interaction, &m_window));
      break;
  }
}

std::optional<QString> ListExports::askSaveFile(const QString& filter) {
  // The writer dialog that asks is the owner, so the questions stand over it.
  QWidget* owner = QApplication::activeModalWidget();
  if (!owner) owner = &m_window;
  WindowState& state = m_window.windowSettings();
  const std::optional<QString> chosen =
      m_dialogs.chooseSaveFile(owner, filter, state.saveInitialDir);
  if (!chosen || chosen->isEmpty()) return std::nullopt;
  const bool go = m_dialogs.askOkCancel(
      owner, {tr("ﾌｧｲﾙ保存確認"), tr("ﾌｧｲﾙ名 %1 で保存します、よろしいですか?").arg(*chosen),
              MessageIcon::None});
  if (!go) return std::nullopt;
  state.saveFileName = *chosen;
  state.saveInitialDir = chosen->first(chosen->lastIndexOf(u'/') + 1);
  return chosen;
}

void ListExports::openPath(const QString& path) {
  m_window.setCursor(Qt::WaitCursor);
  m_dialogs.openUrl(localFileUrl(path));
  if (!m_window.isBusy()) m_window.unsetCursor();
}

}  // namespace vek
