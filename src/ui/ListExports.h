// The export of the window's list: its three buttons open the CSV/text, HTML and XML writer
// dialogs (unless the list cannot be written as it is), the file menu's workbook and JSON
// items the CSV/text one with that type chosen, and the writers' questions of where to
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
  // Workbook and Json open the CSV/text dialog with that type chosen.
  enum class WriterKind { Text, Html, Xml, Workbook, Json };

  // Takes the clicks of the three buttons, and the save question and the opener of window's
  // session.
  ListExports(frmVek& window, WindowDialogs& dialogs, QPushButton& text, QPushButton& html,
              QPushButton& xml);

  void exportList(WriterKind kind);

 private:
  void openWriterDialog(WriterKind kind);
  std::optional<QString> askSaveFile(const QString& filter);
  // The name the save dialog offers: the listed folder's name and the filter's extension.
  QString offeredFileName(const QString& filter) const;
  void openPath(const QString& path);

  frmVek& m_window;
  WindowDialogs& m_dialogs;
};

}  // namespace vek
