#include "ui/FilterBox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "core/messages/Interaction.h"
#include "core/messages/MessageCatalogue.h"
#include "core/settings/Session.h"
#include "gather/FilterPresets.h"
#include "gather/Gatherer.h"
#include "ui/FilterKeyScreen.h"
#include "ui/FolderChooser.h"
#include "ui/PushButton.h"

namespace vek {

FilterBox::FilterBox(QWidget& frame, WindowDialogs& dialogs, Interaction& interaction,
                     Session& session, Gatherer& gatherer, FolderChooser& chooser,
                     QString programFolder)
    : QObject(&frame),
      m_dialogs(dialogs),
      m_interaction(interaction),
      m_session(session),
      m_gatherer(gatherer),
      m_chooser(chooser),
      m_programFolder(std::move(programFolder)) {
  m_lblFilter = new QLabel(tr("ﾘｽﾄに出力するﾌｧｲﾙの種別："), &frame);
  m_lblFilter->setObjectName(QStringLiteral("lblFilter"));
  m_cmbFilter = new QComboBox(&frame);
  m_cmbFilter->setObjectName(QStringLiteral("cmbFilter"));
  m_cmbFilter->setEditable(true);
  m_cmbFilter->setInsertPolicy(QComboBox::NoInsert);
  // A typed pattern stays what was typed: completion from the presets would turn "*.t" into
  // the whole text-document preset.
  m_cmbFilter->setCompleter(nullptr);
  m_cmbFilter->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  m_cmbFilter->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  m_cmbFilter->setMinimumContentsLength(10);
  m_cmbFilter->setEditText(QStringLiteral("*.*"));
  (new FilterKeyScreen(m_dialogs, m_cmbFilter))->watch(m_cmbFilter);
  m_cmdEditFilter = createPushButton(QStringLiteral("cmdEditFilter"), tr("編集"), &frame);
  m_cmdReadFilter = createPushButton(QStringLiteral("cmdReadFilter"), tr("読込"), &frame);

  connect(m_cmbFilter, &QComboBox::currentTextChanged, this, [this](const QString& text) {
    m_gatherer.setFilter(text);
    m_chooser.refreshFileBox();
  });
  connect(m_cmdReadFilter, &QPushButton::clicked, this, &FilterBox::loadPresets);
  connect(m_cmdEditFilter, &QPushButton::clicked, this, &FilterBox::editPresets);
}

QHBoxLayout* FilterBox::createRow() const {
  auto* row = new QHBoxLayout;
  row->addWidget(m_cmbFilter, 1);
  row->addWidget(m_cmdEditFilter);
  row->addWidget(m_cmdReadFilter);
  return row;
}

void FilterBox::loadPresets() {
  QString error;  // the file and why
  const std::optional<QStringList> presets = loadFilterPresets(m_programFolder, &error);
  if (!presets) {
    // The boxes keep what they showed; the file is left as it is.
    m_interaction.showMessage(
        MessageCatalogue::warning({tr("フィルタ設定ファイルを読み込めません。"), error}));
    m_gatherer.setFilter(m_cmbFilter->currentText());
    return;
  }
  showPresets(*presets);
}

void FilterBox::showPresets(const QStringList& presets, const std::optional<QString>& text) {
  const QSignalBlocker block(m_cmbFilter);
  m_cmbFilter->clear();
  m_cmbFilter->addItems(presets);
  m_cmbFilter->setEditText(text ? *text : presets.isEmpty() ? QString() : presets.front());
  m_gatherer.setFilter(m_cmbFilter->currentText());
  m_chooser.refreshFileBox();
}

void FilterBox::editPresets() {
  m_cmdEditFilter->setEnabled(false);
  m_session.openWithAssociatedApp(filterPresetsPath(m_programFolder));
  m_cmdEditFilter->setEnabled(true);
}

}  // namespace vek
