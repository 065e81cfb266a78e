#include "ui/frmOutText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/CaptionColour.h"
#include "ui/OptionGroup.h"
#include "ui/framJoho.h"
#include "ui/frmHeadIns.h"
#include "core/RecentTexts.h"
#include "writers/TextListExport.h"

namespace vek {

frmOutText::frmOutText(Settings& settings, const FileList& list, const Session& session,
                       Interaction& interaction, QWidget* parent)
    : WriterDialog(settings, list, session, interaction, parent) {
  setObjectName(QStringLiteral("frmOutText"));
  setWindowTitle(QStringLiteral("テキストファイルでの出力設定"));

  m_framJoho = new framJoho(framJoho::defaultCaption(), this);
  m_frmHeadIns = new frmHeadIns(QStringLiteral("空白行の挿入"), this);

  auto* fraFileType = new QGroupBox(QStringLiteral("ファイル種別"), this);
  fraFileType->setObjectName(QStringLiteral("fraFileType"));
  fraFileType->setToolTip(QStringLiteral("出力するファイルの種別を指定します。"));
  m_optType = createOptionGroup(fraFileType, QStringLiteral("optType"),
                                {QStringLiteral("CSVファイル"), QStringLiteral("テキストファイル")});
  auto* typeLayout = new QHBoxLayout(fraFileType);
  for (QAbstractButton* button : m_optType->buttons()) typeLayout->addWidget(button);
  typeLayout->addStretch();

  m_fraSepa = new QGroupBox(QStringLiteral("項目間のセパレータ（区切り文字）"), this);
  m_fraSepa->setObjectName(QStringLiteral("fraSepa"));
  m_fraSepa->setToolTip(
      QStringLiteral("テキストファイル出力時に、項目間に挿入する文字列を設定します。"));
  m_chkSepaTab = new QCheckBox(QStringLiteral("区切り文字としてTABｺｰﾄﾞを使用する。"), m_fraSepa);
  m_chkSepaTab->setObjectName(QStringLiteral("chkSepaTab"));
  m_chkSepaTab->setToolTip(QStringLiteral("項目間の区切りとして、タブ文字列を挿入します。"));
  followCheckColour(m_chkSepaTab);
  m_cmbSepa = new QComboBox(m_fraSepa);
  m_cmbSepa->setObjectName(QStringLiteral("cmbSepa"));
  m_cmbSepa->setEditable(true);
  // The history changes only when the dialog closes, never by pressing Enter in the box.
  m_cmbSepa->setInsertPolicy(QComboBox::NoInsert);
  // No completion from the list: typing "::" must give "::", not the remembered ":::".
  m_cmbSepa->setCompleter(nullptr);
  // Fixed width, so that separators made of spaces can be seen and counted.
  m_cmbSepa->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_cmbSepa->setAccessibleName(m_fraSepa->title());
  m_cmbSepa->installEventFilter(this);
  m_cmbSepa->lineEdit()->installEventFilter(this);
  auto* sepaLayout = new QVBoxLayout(m_fraSepa);
  sepaLayout->addWidget(m_chkSepaTab);
  sepaLayout->addWidget(m_cmbSepa);

  auto* fraReturnCode = new QGroupBox(QStringLiteral("改行コード"), this);
  fraReturnCode->setObjectName(QStringLiteral("fraReturnCode"));
  fraReturnCode->setToolTip(QStringLiteral(
      "改行コードとして何を用いるかを指定します。　意味がわからない場合は「CR+LF」をお使いください。"));
  m_optRetCode = createOptionGroup(fraReturnCode, QStringLiteral("optRetCode"),
                                   {QStringLiteral("CR + LF（標準）"),
                                    QStringLiteral("CR（キャリッジリターン） のみ"),
                                    QStringLiteral("LF（ラインフィード） のみ")});
  optionButton(m_optRetCode, 0)->setToolTip(
      QStringLiteral("CRLF（0x0d 0x0a）が用いられます。　Windows標準の改行コードです。"));
  optionButton(m_optRetCode, 1)->setToolTip(
      QStringLiteral("CR（0x0d）が用いられます。　Macintosh標準の改行コードです。"));
  optionButton(m_optRetCode, 2)->setToolTip(
      QStringLiteral("LF（0x0a）が用いられます。　UNIX標準の改行コードです。"));
  auto* returnLayout = new QVBoxLayout(fraReturnCode);
  for (QAbstractButton* button : m_optRetCode->buttons()) returnLayout->addWidget(button);

  m_cmdTextCreate = new QPushButton(QStringLiteral("CSVファイルの作成"), this);
  m_cmdTextCreate->setObjectName(QStringLiteral("cmdTextCreate"));
  m_cmdTextCreate->setToolTip(QStringLiteral("テキスト／CSVリストの作成を開始します。"));
  m_cmdTextCreate->setDefault(true);
  m_cmdCancel = createCancelButton();

  auto* right = new QVBoxLayout;
  right->addWidget(fraFileType);
  right->addWidget(m_fraSepa);
  right->addWidget(fraReturnCode);
  right->addWidget(m_frmHeadIns);
  right->addStretch();
  arrange(m_framJoho, right, m_cmdTextCreate, m_cmdCancel);

  connect(m_optType, &QButtonGroup::idToggled, this, &frmOutText::applyTypeRule);
  connect(m_chkSepaTab, &QCheckBox::toggled, this, &frmOutText::applyTabRule);
  connect(m_cmdTextCreate, &QPushButton::clicked, this, &frmOutText::create);
  load();
}

void frmOutText::load() {
  const CsvSettings& csv = m_settings.csv;
  QStringList older;
  for (std::size_t i = 1; i < m_settings.separators.size(); ++i)
    older.append(m_settings.separators[i]);
  m_cmbSepa->addItems(older);
  m_cmbSepa->setEditText(m_settings.separators[0]);

  selectOption(m_optType, csv.fileType);
  m_chkSepaTab->setChecked(csv.tabUse);
  selectOption(m_optRetCode, csv.crLfType);
  m_framJoho->load(csv.columns);
  m_frmHeadIns->load(csv.columns);
  applyTypeRule();
}

bool frmOutText::isTextType() const {
  return optionButton(m_optType, 1)->isChecked();
}

void frmOutText::applyTypeRule() {
  const bool text = isTextType();
  m_cmdTextCreate->setText(text ? QStringLiteral("テキストファイルの作成")
                                : QStringLiteral("CSVファイルの作成"));
  // The separator is used by text files only.
  m_fraSepa->setEnabled(text);
  m_chkSepaTab->setEnabled(text);
  applyTabRule();
}

void frmOutText::applyTabRule() {
  m_cmbSepa->setEnabled(!m_chkSepaTab->isChecked());
}

void frmOutText::storeOptions(Settings& settings) const {
  CsvSettings& csv = settings.csv;
  csv.fileType = isTextType() ? ListFileType::Text : ListFileType::Csv;
  csv.tabUse = m_chkSepaTab->isChecked();
  csv.crLfType = selectedOption<LineBreak>(m_optRetCode);
  m_framJoho->store(csv.columns);
  m_frmHeadIns->store(csv.columns);
}

const ColumnOptions& frmOutText::columnsOf(const Settings& settings) const {
  return settings.csv.columns;
}

void frmOutText::storeOnClose() {
  recordRecent(m_settings.separators, m_cmbSepa->currentText());
}

void frmOutText::create() {
  const bool text = isTextType();
  const QString separator = m_cmbSepa->currentText();
  createList(m_cmdTextCreate,
             text ? QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ|*.txt") : QStringLiteral("CSVﾌｧｲﾙ|*.csv"),
             [&](const QString& path, const Settings& working) {
               return createTextList(path, m_list, working, m_interaction, text, separator);
             });
}

bool frmOutText::eventFilter(QObject* watched, QEvent* event) {
  // Entering the separator box selects its whole text, so that what is typed replaces it. The
  // combo box gets the focus for its edit field (it is the field's focus proxy). A click that
  // enters the field places the caret as usual, so that a drag can select a part; the whole
  // text is selected when the button is released over no selection.
  QLineEdit* field = m_cmbSepa->lineEdit();
  switch (event->type()) {
    case QEvent::FocusIn:
      if (watched == m_cmbSepa) {
        field->selectAll();
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
          // The press that gave the focus is handled right after it, before any timer.
          m_enteredByPress = true;
          QTimer::singleShot(0, this, [this] { m_enteredByPress = false; });
        }
      }
      break;
    case QEvent::MouseButtonPress:
      if (watched == field && m_enteredByPress) {
        m_enteredByPress = false;
        m_selectOnRelease = true;
        field->deselect();  // a press inside a selection would start dragging the text
      }
      break;
    case QEvent::MouseButtonRelease:
      if (watched == field && m_selectOnRelease) {
        m_selectOnRelease = false;
        if (!field->hasSelectedText()) field->selectAll();
      }
      break;
    default:
      break;
  }
  return WriterDialog::eventFilter(watched, event);
}

}  // namespace vek
