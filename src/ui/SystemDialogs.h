// The system's message boxes, folder browser, input box and save dialog, and the desktop's
// "open".
#pragma once

#include <memory>

#include <QMessageBox>

#include "ui/WindowDialogs.h"

class QFileDialog;
class QInputDialog;

namespace vek {

class SystemDialogs : public WindowDialogs {
 public:
  void showMessage(QWidget* owner, const Message& message) override;
  bool askYesNo(QWidget* owner, const Message& question) override;
  bool askOkCancel(QWidget* owner, const Message& question) override;
  FailureAnswer askAddFailure(QWidget* owner, const Message& message) override;
  void showIncomplete(QWidget* owner, const Message& notice, const QString& wholeList) override;
  std::optional<QString> chooseFolder(QWidget* owner, const QString& title,
                                      const QString& startFolder) override;
  std::optional<QString> askText(QWidget* owner, const QString& title,
                                 const QString& prompt) override;
  std::optional<QString> chooseOpenFile(QWidget* owner, const QString& title, const QString& filter,
                                        const QString& initialFolder) override;
  std::optional<QString> chooseSaveFile(QWidget* owner, const QString& filter,
                                        const QString& initialFolder,
                                        const QString& offeredName) override;
  void openUrl(const QUrl& url) override;
  void beep() override;

  // The message box of a message or question, and the save dialog, as they are shown (the tests
  // and the screenshots take them without their modal loop).
  static std::unique_ptr<QMessageBox> messageBox(QWidget* owner, const Message& message,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton);
  // The box of a file the add could not read: OK goes on, "追加を中止" (cmdStopAdd) stops the
  // add, "以後表示しない" (cmdQuiet) counts the further failures and reports them at the end.
  static std::unique_ptr<QMessageBox> addFailureBox(QWidget* owner, const Message& message);
  // The input box of askText, its prompt shown whole.
  static std::unique_ptr<QInputDialog> textDialog(QWidget* owner, const QString& title,
                                                  const QString& prompt);
  static std::unique_ptr<QFileDialog> saveDialog(QWidget* owner, const QString& filter,
                                                 const QString& initialFolder,
                                                 const QString& offeredName = QString());

  // "CSVﾌｧｲﾙ|*.csv" as a Qt name filter, "CSVﾌｧｲﾙ (*.csv)"; "*.htm;*.html" become "*.htm *.html".
  static QString qtNameFilter(const QString& filter);
  // The suffix of the filter's first pattern ("csv"), added to a name typed without one.
  static QString defaultSuffix(const QString& filter);
};

}  // namespace vek
