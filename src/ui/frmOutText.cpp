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

#include "core/settings/RecentTexts.h"
#include "ui/CaptionColour.h"
#include "ui/ListEncodingItems.h"
#include "ui/OptionGroup.h"
#include "ui/framJoho.h"
#include "ui/framPrefix.h"
#include "ui/framTotals.h"
#include "ui/frmHeadIns.h"
#include "writers/JsonListExport.h"
#include "writers/TextListExport.h"
#include "writers/XlsxListExport.h"

#include <QStringBuilder>

namespace vek {

frmOutText::frmOutText(Settings& settings, const FileList& list, const Session& session,
                       Interaction& interaction, QWidget* parent)
    : WriterDialog(settings, list, session, interaction, parent) {
  setObjectName(QStringLiteral("frmOutText"));
  setWindowTitle(tr("テキストファイルでの出力設定"));

  m_framJoho = new framJoho(framJoho::defaultCaption(), this);
  m_frmHeadIns = new frmHeadIns(tr("空白行の挿入"), this);
  m_framTotals = new framTotals(/*withSubtotals=*/true, this);
  m_framPrefix = new framPrefix(this);

  auto* fraFileType = new QGroupBox(tr("ファイル種別"), this);
  fraFileType->setObjectName(QStringLiteral("fraFileType"));
  fraFileType->setToolTip(tr("出力するファイルの種別を指定します。"));
  m_optType = createOptionGroup(fraFileType, QStringLiteral("optType"),
                                {tr("CSVファイル"), tr("テキストファイル"),
                                 tr("Excel ブック (*.xlsx)"), tr("JSON (*.json)")});
  optionButton(m_optType, 2)
      ->setToolTip(tr(
          "CSVと同じ行と列をExcelのブックに書きます。サイズは数値、日付は日付のセルになります。"));
  optionButton(m_optType, 3)
      ->setToolTip(tr("どのファイル名も元のバイト列のまま読み戻せる JSON のリストを書きます。"
                      "ﾂｰﾙ → リストと比較 で後からフォルダと比較できます。"));
  auto* typeLayout = new QHBoxLayout(fraFileType);
  for (QAbstractButton* button : m_optType->buttons()) typeLayout->addWidget(button);
  typeLayout->addStretch();

  m_fraSepa = new QGroupBox(tr("項目間のセパレータ（区切り文字）"), this);
  m_fraSepa->setObjectName(QStringLiteral("fraSepa"));
  m_fraSepa->setToolTip(tr("テキストファイル出力時に、項目間に挿入する文字列を設定します。"));
  m_chkSepaTab = new QCheckBox(tr("区切り文字としてTABｺｰﾄﾞを使用する。"), m_fraSepa);
  m_chkSepaTab->setObjectName(QStringLiteral("chkSepaTab"));
  m_chkSepaTab->setToolTip(tr("項目間の区切りとして、タブ文字列を挿入します。"));
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

  auto* fraReturnCode = new QGroupBox(tr("改行コード"), this);
  m_fraReturnCode = fraReturnCode;
  fraReturnCode->setObjectName(QStringLiteral("fraReturnCode"));
  fraReturnCode->setToolTip(
      tr("改行コードとして何を用いるかを指定します。　意味がわからない場合は「CR+"
         "LF」をお使いください。"));
  m_optRetCode = createOptionGroup(fraReturnCode, QStringLiteral("optRetCode"),
                                   {tr("CR + LF（標準）"), tr("CR（キャリッジリターン） のみ"),
                                    tr("LF（ラインフィード） のみ")});
  optionButton(m_optRetCode, 0)
      ->setToolTip(tr("CRLF（0x0d 0x0a）が用いられます。　Windows標準の改行コードです。"));
  optionButton(m_optRetCode, 1)
      ->setToolTip(tr("CR（0x0d）が用いられます。　Macintosh標準の改行コードです。"));
  optionButton(m_optRetCode, 2)
      ->setToolTip(tr("LF（0x0a）が用いられます。　UNIX標準の改行コードです。"));
  auto* returnLayout = new QVBoxLayout(fraReturnCode);
  for (QAbstractButton* button : m_optRetCode->buttons()) returnLayout->addWidget(button);

  // Excel reads a CSV without a byte-order mark as Shift_JIS on Japanese systems: the person
  // picks what the program that opens the list expects.
  m_fraTextCode = new QGroupBox(tr("テキストの文字コード"), this);
  m_fraTextCode->setObjectName(QStringLiteral("fraTextCode"));
  m_fraTextCode->setToolTip(
      tr("CSV・テキストファイルの文字コードを指定します。　Excelで開く場合は「UTF-8（BOM付き）」か"
         "「Shift_JIS」をお使いください。"));
  m_cmbTextCode = new QComboBox(m_fraTextCode);
  m_cmbTextCode->setObjectName(QStringLiteral("cmbTextCode"));
  addListEncodingItems(*m_cmbTextCode);
  m_cmbTextCode->setAccessibleName(m_fraTextCode->title());
  m_chkFormulaGuard = new QCheckBox(tr("数式として扱わない（先頭に ' を付加）"), m_fraTextCode);
  m_chkFormulaGuard->setObjectName(QStringLiteral("chkFormulaGuard"));
  m_chkFormulaGuard->setToolTip(
      tr("「=」「+」「-」「@」などで始まる項目の先頭に「'"
         "」を付け、Excelで数式として扱われないようにします。"));
  followCheckColour(m_chkFormulaGuard);
  auto* textCodeLayout = new QVBoxLayout(m_fraTextCode);
  textCodeLayout->addWidget(m_cmbTextCode);
  textCodeLayout->addWidget(m_chkFormulaGuard);

  m_cmdTextCreate = new QPushButton(tr("CSVファイルの作成"), this);
  m_cmdTextCreate->setObjectName(QStringLiteral("cmdTextCreate"));
  m_cmdTextCreate->setToolTip(tr("テキスト／CSVリストの作成を開始します。"));
  m_cmdTextCreate->setDefault(true);
  m_cmdCancel = createCancelButton();

  auto* format = new QVBoxLayout;
  format->addWidget(fraFileType);
  format->addWidget(m_fraSepa);
  format->addWidget(fraReturnCode);
  format->addWidget(m_fraTextCode);
  format->addWidget(m_frmHeadIns);
  format->addStretch();
  // The totals and the paths in a column of their own: the dialog stays as low as before.
  auto* extras = new QVBoxLayout;
  extras->addWidget(m_framTotals);
  extras->addWidget(m_framPrefix);
  extras->addStretch();
  auto* right = new QHBoxLayout;
  right->addLayout(format, 1);
  right->addLayout(extras, 1);
  arrange(m_framJoho, right, m_cmdTextCreate, m_cmdCancel);

  connect(m_optType, &QButtonGroup::idToggled, this, &frmOutText::applyTypeRule);
  connect(m_chkSepaTab, &QCheckBox::toggled, this, &frmOutText::applyTabRule);
  connect(m_frmHeadIns, &frmHeadIns::choiceChanged, this,
          [this] { m_framTotals->setSubtotalsAvailable(m_frmHeadIns->insertsAtFolderChange()); });
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

  selectOption(m_optType, m_settings.listFile.json       ? 3
                          : m_settings.listFile.workbook ? 2
                                                         : int(csv.fileType));
  m_cmbTextCode->setCurrentIndex(m_cmbTextCode->findData(int(m_settings.listFile.encoding)));
  m_chkFormulaGuard->setChecked(m_settings.listFile.formulaGuard);
  m_chkSepaTab->setChecked(csv.tabUse);
  selectOption(m_optRetCode, csv.crLfType);
  m_framJoho->load(csv.columns);
  m_frmHeadIns->load(csv.columns);
  m_framTotals->load(csv.columns);
  m_framTotals->setSubtotalsAvailable(m_frmHeadIns->insertsAtFolderChange());
  m_framPrefix->load(csv.columns);
  applyTypeRule();
}

void frmOutText::chooseType(ListType type) {
  optionButton(m_optType, int(type))->setChecked(true);
}

bool frmOutText::isTextType() const {
  return optionButton(m_optType, 1)->isChecked();
}

bool frmOutText::isWorkbookType() const {
  return optionButton(m_optType, 2)->isChecked();
}

bool frmOutText::isJsonType() const {
  return optionButton(m_optType, 3)->isChecked();
}

void frmOutText::applyTypeRule() {
  const bool text = isTextType();
  const bool workbook = isWorkbookType();
  const bool json = isJsonType();
  m_cmdTextCreate->setText(workbook ? tr("Excelブックの作成")
                           : json   ? tr("JSONファイルの作成")
                           : text   ? tr("テキストファイルの作成")
                                    : tr("CSVファイルの作成"));
  // The separator is used by text files only; a workbook has no line ends nor text encoding,
  // and its text cells are never formulas.
  m_fraSepa->setEnabled(text);
  m_chkSepaTab->setEnabled(text);
  // A JSON list is always UTF-8 with LF, and has every column.
  m_fraReturnCode->setEnabled(!workbook && !json);
  m_fraTextCode->setEnabled(!workbook && !json);
  m_frmHeadIns->setEnabled(!json);
  m_framJoho->setEveryField(json);
  applyTabRule();
}

void frmOutText::applyTabRule() {
  m_cmbSepa->setEnabled(!m_chkSepaTab->isChecked());
}

void frmOutText::storeOptions(Settings& settings) const {
  CsvSettings& csv = settings.csv;
  // FileType keeps CSV or text, so that a reader of the Csv section alone finds one of them;
  // the workbook is Vek's own key.
  if (!isWorkbookType() && !isJsonType())
    csv.fileType = isTextType() ? ListFileType::Text : ListFileType::Csv;
  settings.listFile.workbook = isWorkbookType();
  settings.listFile.json = isJsonType();
  settings.listFile.encoding = ListEncoding(m_cmbTextCode->currentData().toInt());
  settings.listFile.formulaGuard = m_chkFormulaGuard->isChecked();
  csv.tabUse = m_chkSepaTab->isChecked();
  csv.crLfType = selectedOption<LineBreak>(m_optRetCode);
  m_framJoho->store(csv.columns);
  m_frmHeadIns->store(csv.columns);
  m_framTotals->store(csv.columns);
  m_framPrefix->store(csv.columns);
}

const ColumnOptions& frmOutText::columnsOf(const Settings& settings) const {
  return settings.csv.columns;
}

void frmOutText::storeOnClose() {
  recordRecent(m_settings.separators, m_cmbSepa->currentText());
}

void frmOutText::create() {
  if (isJsonType()) {
    // The folder the first ticked row's add started from: the rows are matched by their paths
    // below it when the list is compared later.
    QString folder;
    for (const FileEntry& row : m_list.rows()) {
      if (!row.ticked) continue;
      folder = row.rootLength >= 0 ? row.folder.left(row.rootLength) : row.folder;
      break;
    }
    const bool withState =
        std::any_of(m_list.rows().begin(), m_list.rows().end(),
                    [](const FileEntry& row) { return row.state != CompareState::None; });
    createList(m_cmdTextCreate, tr("JSONﾌｧｲﾙ|*.json"),
               [this, folder, withState](const QString& path, const Settings& working,
                                         const ListDigests* digests) {
                 return createJsonList(path, m_list, working, m_interaction, folder, folder,
                                       withState, std::nullopt, digests);
               });
    return;
  }
  if (isWorkbookType()) {
    // The sheet is named after the folder of the first row written.
    QString title;
    for (const FileEntry& row : m_list.rows()) {
      if (!row.ticked) continue;
      title = row.folder;
      break;
    }
    createList(
        m_cmdTextCreate, tr("Excelﾌﾞｯｸ|*.xlsx"),
        [this, title](const QString& path, const Settings& working, const ListDigests* digests) {
          return createXlsxList(path, m_list, working, m_interaction, title, digests);
        });
    return;
  }
  const bool text = isTextType();
  const QString separator = m_cmbSepa->currentText();
  createList(
      m_cmdTextCreate, text ? tr("ﾃｷｽﾄﾌｧｲﾙ|*.txt") : tr("CSVﾌｧｲﾙ|*.csv"),
      [this, text, separator](const QString& path, const Settings& working,
                              const ListDigests* digests) {
        const TextListChoices choices{working.listFile.encoding, working.listFile.formulaGuard};
        return createTextList(path, m_list, working, m_interaction, text, separator, choices,
                              ReplacedRowsReport::FirstRow, digests);
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
