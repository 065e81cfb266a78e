#include "ui/ListExports.h"

#include <algorithm>

#include <QApplication>
#include <QFileInfo>
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
    case WriterKind::Workbook:
    case WriterKind::Json: {
      auto* dialog = new frmOutText(settings, list, session, interaction, &m_window);
      if (kind == WriterKind::Workbook) dialog->chooseType(frmOutText::ListType::Workbook);
      if (kind == WriterKind::Json) dialog->chooseType(frmOutText::ListType::Json);
      WindowMenus::openDialog(dialog);
      break;
    }
    case WriterKind::Html:
      WindowMenus::openDialog(new frmOutHtml(settings, list, session, interaction, &m_window));
      break;
    case WriterKind::Xml:
      WindowMenus::openDialog(new frmOutXML(settings, list, session, interaction, &m_window));
      break;
  }
}

QString ListExports::offeredFileName(const QString& filter) const {
  // The folder the list was made of: the start folder of each row's add (ending in "/"), in
  // common. Views into the rows: a list of a million rows is gone through without copies.
  QStringView common;
  bool first = true;
  for (const FileEntry& entry : m_window.list().rows()) {
    const QStringView start =
        QStringView(entry.folder)
            .first(entry.rootLength >= 0 && entry.rootLength <= entry.folder.size()
                       ? entry.rootLength
                       : entry.folder.size());
    if (first) {
      common = start;
      first = false;
      continue;
    }
    if (start.startsWith(common)) continue;
    qsizetype length = 0;
    const qsizetype most = std::min(common.size(), start.size());
    while (length < most && common[length] == start[length]) ++length;
    common = length > 0 ? common.first(common.lastIndexOf(u'/', length - 1) + 1) : QStringView();
  }
  const QString folder = first ? m_window.currentFolder() : common.toString();
  QString name = folderWithoutSeparator(folder, nativePathStyle()).section(u'/', -1);
  if (name.isEmpty()) name = QStringLiteral("Vek");  // the root
  const QString suffix = SystemDialogs::defaultSuffix(filter);
  return suffix.isEmpty() ? name : name + u'.' + suffix;
}

std::optional<QString> ListExports::askSaveFile(const QString& filter) {
  // The writer dialog that asks is the owner, so the questions stand over it.
  QWidget* owner = QApplication::activeModalWidget();
  if (!owner) owner = &m_window;
  WindowState& state = m_window.windowSettings();
  const std::optional<QString> chosen =
      m_dialogs.chooseSaveFile(owner, filter, state.saveInitialDir, offeredFileName(filter));
  if (!chosen || chosen->isEmpty()) return std::nullopt;
  QString question = tr("ﾌｧｲﾙ名 %1 で保存します、よろしいですか?").arg(*chosen);
  if (QFileInfo::exists(*chosen))
    question = joinLines({question, tr("既にあるファイルを置き換えます。")});
  const bool go = m_dialogs.askOkCancel(owner, {tr("ﾌｧｲﾙ保存確認"), question, MessageIcon::None});
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
