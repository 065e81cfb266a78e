// The export of the window's list: its three buttons open the CSV/text, HTML and XML writer
// dialogs (unless the list cannot be written as it is), and the writers' questions of where to
// save and their opening of what was written go through the window's dialogs.
#pragma once

#include <optional>

#include <QObject>
#include <QString>

class QPushButton;

namespace vek {

class WindowDialogs;
class frmVek;

class ListExports : public QObject {
  Q_OBJECT
 public:
  enum class WriterKind { Text, Html, Xml };

  // Takes the clicks of the three buttons, and the save question and the opener of window's
  // session.
  ListExports(frmVek& window, WindowDialogs& dialogs, QPushButton& text, QPushButton& html,
              QPushButton& xml);

  void exportList(WriterKind kind);

 private:
  void openWriterDialog(WriterKind kind);
  std::optional<QString> askSaveFile(const QString& filter);
  void openPath(const QString& path);

  frmVek& m_window;
  WindowDialogs& m_dialogs;
};

}  // namespace vek
