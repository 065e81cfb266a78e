// The window's filter box: the caption, the editable box of file-name patterns with the presets
// of filter.txt, and the buttons that edit the file and read it again. The pattern shown is the
// one every add and the file box take.
#pragma once

#include <optional>

#include <QObject>
#include <QString>
#include <QStringList>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace vek {

class FolderChooser;
class Gatherer;
class Interaction;
class Session;
class WindowDialogs;

class FilterBox : public QObject {
  Q_OBJECT
 public:
  // The controls are made as children of frame; programFolder (ending in "/") holds filter.txt.
  FilterBox(QWidget& frame, WindowDialogs& dialogs, Interaction& interaction, Session& session,
            Gatherer& gatherer, FolderChooser& chooser, QString programFolder);

  QLabel* label() const { return m_lblFilter; }
  QComboBox* box() const { return m_cmbFilter; }
  QPushButton* editButton() const { return m_cmdEditFilter; }
  QPushButton* readButton() const { return m_cmdReadFilter; }
  // The box and the two buttons in one row, for a layout to take (once).
  QHBoxLayout* createRow() const;

  // Reads filter.txt (creating it when missing) and shows its presets; a file that cannot be
  // read leaves the box as it was, and says so.
  void loadPresets();
  // Shows presets with text in the box (nullopt: the first preset) and has the adds and the
  // file box take it.
  void showPresets(const QStringList& presets, const std::optional<QString>& text = std::nullopt);
  // Opens filter.txt in the program the system opens text with.
  void editPresets();

 private:
  WindowDialogs& m_dialogs;
  Interaction& m_interaction;
  Session& m_session;
  Gatherer& m_gatherer;
  FolderChooser& m_chooser;
  QString m_programFolder;
  QLabel* m_lblFilter;
  QComboBox* m_cmbFilter;
  QPushButton* m_cmdEditFilter;
  QPushButton* m_cmdReadFilter;
};

}  // namespace vek
