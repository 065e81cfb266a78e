#include "ui/WriterDialog.h"

#include <algorithm>

#include <QBoxLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

#include "ui/framJoho.h"
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
  // A comparison's result is exported with its state column.
  const bool compared =
      std::any_of(m_list.rows().begin(), m_list.rows().end(),
                  [](const FileEntry& row) { return row.state != CompareState::None; });
  for (ColumnOptions* columns : {&working.csv.columns, &working.html.columns, &working.xml.columns})
    columns->chkState = compared;
  if (auto message = ColumnCells::checkSelection(columnsOf(working))) {
    m_interaction.showMessage(*message);
    return;
  }
  const std::optional<QString> chosen = m_session.confirmSave(filter);
  if (!chosen) return;
  const QString& path = *chosen;

  bool written = false;
  createButton->setEnabled(false);
  {
    BusyPointer busy;
    written = write(path, working);
  }
  createButton->setEnabled(true);
  if (!written) return;
  if (working.option.listOpen) {
    BusyPointer busy;
    m_session.openWithAssociatedApp(path);
  }
  accept();
}

QPushButton* WriterDialog::createCancelButton() {
  auto* button = new QPushButton(tr("キャンセル"), this);
  button->setObjectName(QStringLiteral("cmdCancel"));
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, &WriterDialog::reject);
  return button;
}

void WriterDialog::arrange(QWidget* columnGroup, QLayout* options, QPushButton* createButton,
                           QPushButton* cancelButton) {
  auto* left = new QVBoxLayout;
  left->addWidget(columnGroup, 1);
  left->addWidget(framJoho::createSortNote(this));
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 1);
  columns->addLayout(options, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(createButton);
  buttons->addWidget(cancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns, 1);
  layout->addLayout(buttons);
}

}  // namespace vek
