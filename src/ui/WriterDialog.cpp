#include "ui/WriterDialog.h"

#include <QGuiApplication>
#include <QPushButton>

#include "writers/ColumnCells.h"

namespace vek {

namespace {

// The busy pointer for as long as the scope lives, restored on every way out.
class BusyPointer {
 public:
  BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace

WriterDialog::WriterDialog(Settings& settings, const FileList& list, const Session& session,
                           Interaction& interaction, QWidget* parent)
    : QDialog(parent),
      m_settings(settings),
      m_list(list),
      m_session(session),
      m_interaction(interaction) {
  setModal(true);
}

void WriterDialog::done(int result) {
  storeOptions(m_settings);
  storeOnClose();
  QDialog::done(result);
}

void WriterDialog::createList(
    QPushButton* createButton, const QString& filter,
    const std::function<bool(const QString& path, const Settings& working)>& write) {
  // The writer reads the controls as they are now, not the stored record.
  Settings working = m_settings;
  storeOptions(working);
  if (auto message = ColumnCells::checkSelection(columnsOf(working))) {
    m_interaction.showMessage(*message);
    return;
  }
  QString path;
  if (m_session.confirmSave(filter, path)) return;

  bool written = false;
  createButton->setEnabled(false);
  {
    BusyPointer busy;
    written = write(path, working);
  }
  createButton->setEnabled(true);
  if (!written) return;
  if (working.option.listOpen == 1) {
    BusyPointer busy;
    m_session.openWithAssociatedApp(path);
  }
  accept();
}

}  // namespace vek
