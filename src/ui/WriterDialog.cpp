#include "ui/WriterDialog.h"

#include <algorithm>

#include <QBoxLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

#include "ui/framJoho.h"
#include "ui/frmInfo.h"
#include "writers/BackgroundHashes.h"
#include "writers/ColumnCells.h"
#include "writers/ListHashes.h"

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

WriterDialog::~WriterDialog() = default;

bool WriterDialog::readingDigests() const {
  return m_hashes && m_hashes->running();
}

void WriterDialog::done(int result) {
  storeOptions(m_settings);
  storeOnClose();
  QDialog::done(result);
}

void WriterDialog::createList(QPushButton* createButton, const QString& filter, ListWrite write) {
  if (readingDigests()) return;
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

  PendingCreate create{createButton, *chosen, std::move(working), std::move(write)};
  createButton->setEnabled(false);
  const ListDelivery delivery(m_list, create.path, columnsOf(create.working));
  if (delivery.digestKinds().empty()) {
    writeList(create, nullptr);
    return;
  }
  // The files are read off this thread; the dialog waits under its own progress window, which
  // stands over it with its キャンセル in reach, and the write goes on when the digests come.
  m_pending = std::move(create);
  if (!m_progress) {
    m_progress = new frmInfo(this);
    connect(m_progress, &frmInfo::cancelClicked, this, &WriterDialog::stopReading);
  }
  m_hashes = std::make_unique<BackgroundHashes>(delivery);
  connect(m_hashes.get(), &BackgroundHashes::progress, m_progress,
          [this](const QString& detail, qint64 bar, qint64 barMaximum) {
            m_progress->setProgress(ListHashes::progressCaption(), ListHashes::progressInfo(),
                                    detail, bar, barMaximum);
          });
  connect(m_hashes.get(), &BackgroundHashes::finished, this, [this] {
    const ListDigests read = m_hashes->takeDigests();
    m_hashes.release()->deleteLater();  // it is still sending this signal
    m_progress->hide();
    const PendingCreate pending = std::move(m_pending);
    m_pending = {};
    writeList(pending, &read);
  });
  m_progress->show();
  m_hashes->start();
}

void WriterDialog::stopReading() {
  m_hashes.reset();  // the readers are let go, not waited for
  if (m_progress) m_progress->hide();
  if (m_pending.button) m_pending.button->setEnabled(true);
  m_pending = {};
}

void WriterDialog::writeList(const PendingCreate& create, const ListDigests* digests) {
  bool written = false;
  {
    BusyPointer busy;
    written = create.write(create.path, create.working, digests);
  }
  create.button->setEnabled(true);
  if (!written) return;
  if (create.working.option.listOpen) {
    BusyPointer busy;
    m_session.openWithAssociatedApp(create.path);
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
