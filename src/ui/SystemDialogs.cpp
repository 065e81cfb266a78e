#include "ui/SystemDialogs.h"

#include <algorithm>

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "ui/IncompleteNotice.h"

namespace vek {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None:
      return QMessageBox::NoIcon;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

// Messages join their lines with CR LF; a label would show the CR as a box.
QString shownText(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

QMessageBox::StandardButton ask(QWidget* owner, const Message& message,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton) {
  return QMessageBox::StandardButton(
      SystemDialogs::messageBox(owner, message, buttons, defaultButton)->exec());
}

}  // namespace

void SystemDialogs::showMessage(QWidget* owner, const Message& message) {
  ask(owner, message, QMessageBox::Ok, QMessageBox::Ok);
}

bool SystemDialogs::askYesNo(QWidget* owner, const Message& question) {
  return ask(owner, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
         QMessageBox::Yes;
}

FailureAnswer SystemDialogs::askAddFailure(QWidget* owner, const Message& message) {
  const std::unique_ptr<QMessageBox> box = addFailureBox(owner, message);
  box->exec();
  const QAbstractButton* clicked = box->clickedButton();
  if (clicked && clicked->objectName() == u"cmdStopAdd") return FailureAnswer::StopAdd;
  if (clicked && clicked->objectName() == u"cmdQuiet") return FailureAnswer::Quiet;
  return FailureAnswer::Continue;
}

bool SystemDialogs::askOkCancel(QWidget* owner, const Message& question) {
  return ask(owner, question, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) ==
         QMessageBox::Ok;
}

std::optional<QString> SystemDialogs::chooseFolder(QWidget* owner, const QString& title,
                                                   const QString& startFolder) {
  const QUrl url =
      QFileDialog::getExistingDirectoryUrl(owner, title, QUrl::fromLocalFile(startFolder),
                                           QFileDialog::ShowDirsOnly, {QStringLiteral("file")});
  if (url.isEmpty()) return std::nullopt;
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

std::optional<QString> SystemDialogs::askText(QWidget* owner, const QString& title,
                                              const QString& prompt) {
  const std::unique_ptr<QInputDialog> dialog = textDialog(owner, title, prompt);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return dialog->textValue();
}

std::unique_ptr<QInputDialog> SystemDialogs::textDialog(QWidget* owner, const QString& title,
                                                        const QString& prompt) {
  auto dialog = std::make_unique<QInputDialog>(owner);
  dialog->setWindowTitle(title);
  dialog->setInputMode(QInputDialog::TextInput);
  const QString shown = shownText(prompt);
  dialog->setLabelText(shown);
  if (auto* label = dialog->findChild<QLabel*>()) {
    // The glyphs of a fallback font (the Japanese text in a Latin font) are drawn a few pixels
    // wider than the line is measured, which cut the end of the longest line: it gets room to
    // spare, and lines too long for the screen wrap.
    constexpr int kSpare = 12;
    int widest = 0;
    for (const QString& line : shown.split(u'\n'))
      widest = std::max(widest, label->fontMetrics().horizontalAdvance(line) + kSpare);
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const int most = screen ? screen->availableGeometry().width() * 8 / 10 : widest;
    label->setWordWrap(widest > most);
    label->setMinimumWidth(std::min(widest, most));
  }
  return dialog;
}

std::optional<QString> SystemDialogs::chooseSaveFile(QWidget* owner, const QString& filter,
                                                     const QString& initialFolder,
                                                     const QString& offeredName) {
  const std::unique_ptr<QFileDialog> dialog = saveDialog(owner, filter, initialFolder, offeredName);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return dialog->selectedFiles().front();
}

std::optional<QString> SystemDialogs::chooseOpenFile(QWidget* owner, const QString& title,
                                                     const QString& filter,
                                                     const QString& initialFolder) {
  QFileDialog dialog(owner, title, initialFolder, filter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

void SystemDialogs::showIncomplete(QWidget* owner, const Message& notice,
                                   const QString& wholeList) {
  IncompleteNotice box(owner, notice, wholeList);
  box.exec();
}

void SystemDialogs::openUrl(const QUrl& url) {
  QDesktopServices::openUrl(url);
}

void SystemDialogs::beep() {
  QApplication::beep();
}

std::unique_ptr<QMessageBox> SystemDialogs::messageBox(QWidget* owner, const Message& message,
                                                       QMessageBox::StandardButtons buttons,
                                                       QMessageBox::StandardButton defaultButton) {
  auto box = std::make_unique<QMessageBox>(boxIcon(message.icon), message.title,
                                           shownText(message.text), buttons, owner);
  box->setTextFormat(Qt::PlainText);
  box->setDefaultButton(defaultButton);
  return box;
}

std::unique_ptr<QMessageBox> SystemDialogs::addFailureBox(QWidget* owner, const Message& message) {
  auto box = std::make_unique<QMessageBox>(boxIcon(message.icon), message.title,
                                           shownText(message.text), QMessageBox::Ok, owner);
  box->setTextFormat(Qt::PlainText);
  QPushButton* stop = box->addButton(QCoreApplication::translate("SystemDialogs", "追加を中止"),
                                     QMessageBox::DestructiveRole);
  stop->setObjectName(QStringLiteral("cmdStopAdd"));
  QPushButton* quiet = box->addButton(
      QCoreApplication::translate("SystemDialogs", "以後表示しない"), QMessageBox::AcceptRole);
  quiet->setObjectName(QStringLiteral("cmdQuiet"));
  box->setDefaultButton(QMessageBox::Ok);
  // Esc closes the box as it always did: the add goes on.
  box->setEscapeButton(box->button(QMessageBox::Ok));
  return box;
}

std::unique_ptr<QFileDialog> SystemDialogs::saveDialog(QWidget* owner, const QString& filter,
                                                       const QString& initialFolder,
                                                       const QString& offeredName) {
  auto dialog = std::make_unique<QFileDialog>(owner);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setNameFilter(qtNameFilter(filter));
  dialog->setDefaultSuffix(defaultSuffix(filter));
  dialog->setDirectory(initialFolder);
  if (!offeredName.isEmpty()) dialog->selectFile(offeredName);
  // The program asks its own question before it writes.
  dialog->setOption(QFileDialog::DontConfirmOverwrite);
  // Qt's own dialog: its list of places is as wide as its longest name (コンピュータ), which it
  // would cut otherwise.
  if (auto* places = dialog->findChild<QListView*>(QStringLiteral("sidebar"))) {
    places->setMinimumWidth(places->sizeHintForColumn(0) + 2 * places->frameWidth() + 4);
  }
  return dialog;
}

QString SystemDialogs::qtNameFilter(const QString& filter) {
  const qsizetype bar = filter.indexOf(u'|');
  if (bar < 0) return filter;
  QString patterns = filter.sliced(bar + 1);
  patterns.replace(u';', u' ');
  return filter.first(bar) + QStringLiteral(" (") + patterns + u')';
}

QString SystemDialogs::defaultSuffix(const QString& filter) {
  const qsizetype bar = filter.indexOf(u'|');
  QString pattern = filter.sliced(bar + 1).section(u';', 0, 0);
  const qsizetype dot = pattern.lastIndexOf(u'.');
  if (dot < 0) return QString();
  pattern = pattern.sliced(dot + 1);
  return pattern.contains(u'*') || pattern.contains(u'?') ? QString() : pattern;
}

}  // namespace vek
