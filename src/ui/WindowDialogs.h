// Everything the windows ask of a person or of the desktop: message boxes, the folder browser,
// the input box, the save dialog, opening a file or address, the beep. The program uses the
// system's dialogs; tests answer through their own implementation, so no test waits in a
// modal loop.
#pragma once

#include <optional>

#include <QString>
#include <QUrl>

#include "core/messages/Interaction.h"
#include "core/messages/Message.h"

class QWidget;

namespace vek {

class WindowDialogs {
 public:
  virtual ~WindowDialogs() = default;

  // A message with OK only.
  virtual void showMessage(QWidget* owner, const Message& message) = 0;
  // Yes / No; true for yes.
  virtual bool askYesNo(QWidget* owner, const Message& question) = 0;
  // OK / Cancel; true for OK.
  virtual bool askOkCancel(QWidget* owner, const Message& question) = 0;
  // A failure during an add: OK, stop the add, or go on without further boxes.
  virtual FailureAnswer askAddFailure(QWidget* owner, const Message& message) = 0;
  // What an add or export could not read (IncompleteNotice): the notice, and the whole list
  // that its copy button puts on the clipboard.
  virtual void showIncomplete(QWidget* owner, const Message& notice, const QString& wholeList) {
    (void)wholeList;
    showMessage(owner, notice);
  }

  // The folder browser. nullopt when cancelled; an empty text when the chosen item is no
  // folder of the file system.
  virtual std::optional<QString> chooseFolder(QWidget* owner, const QString& title,
                                              const QString& startFolder) = 0;
  // The input box; nullopt when cancelled.
  virtual std::optional<QString> askText(QWidget* owner, const QString& title,
                                         const QString& prompt) = 0;
  // The save dialog, with a filter such as "CSVﾌｧｲﾙ|*.csv", opened in initialFolder with
  // offeredName (may be empty) in its name box; nullopt when cancelled.
  virtual std::optional<QString> chooseSaveFile(QWidget* owner, const QString& filter,
                                                const QString& initialFolder,
                                                const QString& offeredName) = 0;

  // The open dialog for an existing file, with filters such as "Vekのリスト (*.json *.csv)";
  // nullopt when cancelled.
  virtual std::optional<QString> chooseOpenFile(QWidget* owner, const QString& title,
                                                const QString& filter,
                                                const QString& initialFolder) = 0;

  // Opens a file or address with its associated application; failures are not reported.
  virtual void openUrl(const QUrl& url) = 0;
  virtual void beep() = 0;
};

}  // namespace vek
