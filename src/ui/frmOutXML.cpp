#include "ui/frmOutXML.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/CaptionColour.h"
#include "ui/OptionGroup.h"
#include "ui/framJoho.h"
#include "ui/framPrefix.h"
#include "ui/framTotals.h"
#include "writers/ElementNameCheck.h"
#include "writers/XmlListExport.h"

namespace vek {

namespace {

// The elements in document order: node key, the parent's place in this table (-1 for the
// document element) and the member of ElementNames that holds the name.
struct ElementNode {
  const char* key;
  int parent;
  QString ElementNames::*name;
};
constexpr ElementNode kElementNodes[frmOutXML::kNodeCount] = {
    {"root", -1, &ElementNames::root},
    {"finfo", 0, &ElementNames::fileInfo},
    {"fullpath", 1, &ElementNames::fileFullPath},
    {"path", 1, &ElementNames::filePath},
    {"fname", 1, &ElementNames::fileName},
    {"ftype", 1, &ElementNames::fileType},
    {"fsize", 1, &ElementNames::fileSize},
    {"relpath", 1, &ElementNames::relativePath},
    {"hash", 1, &ElementNames::hash},
    {"check", 1, &ElementNames::deliveryCheck},
    {"fdate", 1, &ElementNames::fileDate},
    {"makedate", 10, &ElementNames::makeDate},
    {"accessdate", 10, &ElementNames::accessDate},
    {"updatedate", 10, &ElementNames::updateDate},
};

// The node's key, and the last name the check accepted (what a refused edit goes back to).
constexpr int kKeyRole = Qt::UserRole;
constexpr int kAcceptedNameRole = Qt::UserRole + 1;

}  // namespace

frmOutXML::frmOutXML(Settings& settings, const FileList& list, const Session& session,
                     Interaction& interaction, QWidget* parent)
    : WriterDialog(settings, list, session, interaction, parent) {
  setObjectName(QStringLiteral("frmOutXML"));
  setWindowTitle(tr("XMLでの出力設定"));

  m_framJoho = new framJoho(framJoho::defaultCaption(), this);

  auto* fraStringCode = new QGroupBox(tr("文字コードの指定"), this);
  fraStringCode->setObjectName(QStringLiteral("fraStringCode"));
  fraStringCode->setToolTip(tr("出力されるXMLドキュメントの文字コードを指定します。"));
  m_optStrCode = createOptionGroup(
      fraStringCode, QStringLiteral("optStrCode"),
      {QStringLiteral("UTF-8"), QStringLiteral("Shift JIS"), QStringLiteral("Unicode"),
       QStringLiteral("EUC-JP"), QStringLiteral("JIS (ISO-2022-JP)")});
  const QString encodingTips[] = {
      tr("UTF-8：XML推奨規格文字コード"), tr("Shift JIS：日本国内で標準的に用いられる文字コード"),
      tr("Unicode：全世界統一規格（全世界の文字を表現できる）文字コード"),
      tr("EUC-JP：UNIXで用いられる文字コード"), tr("JIS：ISO規格に準じた文字コード")};
  auto* codeLayout = new QVBoxLayout(fraStringCode);
  for (int i = 0; i < 5; ++i) {
    optionButton(m_optStrCode, i)->setToolTip(encodingTips[i]);
    codeLayout->addWidget(optionButton(m_optStrCode, i));
  }

  const QString lineBreakTip = tr("XMLドキュメント上に、改行コードを挿入するか否かを設定します。");
  m_chkInsCrLf = new QCheckBox(tr("改行ノードを付加する。"), this);
  m_chkInsCrLf->setObjectName(QStringLiteral("chkInsCrLf"));
  m_chkInsCrLf->setToolTip(lineBreakTip);
  followCheckColour(m_chkInsCrLf);
  auto* fraReturnCode = new QGroupBox(tr("改行コード"), this);
  fraReturnCode->setObjectName(QStringLiteral("fraReturnCode"));
  fraReturnCode->setToolTip(lineBreakTip);
  m_optRetCode = createOptionGroup(fraReturnCode, QStringLiteral("optRetCode"),
                                   {tr("CR + LF（標準）"), tr("CR（キャリッジリターン） のみ"),
                                    tr("LF（ラインフィード） のみ")});
  optionButton(m_optRetCode, 0)
      ->setToolTip(tr("CRLF（0x0d 0x0a）が用いられます。　Windows標準のテキスト用です。"));
  optionButton(m_optRetCode, 1)->setToolTip(tr("CR（0x0d）が用いられます。"));
  optionButton(m_optRetCode, 2)
      ->setToolTip(tr("LF（0x0a）が用いられます。　UNIX等で参照する時にお使いください。"));
  auto* returnLayout = new QVBoxLayout(fraReturnCode);
  returnLayout->addWidget(m_chkInsCrLf);
  for (QAbstractButton* button : m_optRetCode->buttons()) returnLayout->addWidget(button);

  auto* frame1 = new QGroupBox(tr("要素名の設定"), this);
  frame1->setObjectName(QStringLiteral("Frame1"));
  m_tvXmlStruct = new QTreeWidget(frame1);
  m_tvXmlStruct->setObjectName(QStringLiteral("tvXmlStruct"));
  m_tvXmlStruct->setToolTip(tr("XML出力時の、各要素名（タグ名）を設定します。"));
  m_tvXmlStruct->setAccessibleName(frame1->title());
  m_tvXmlStruct->setHeaderHidden(true);
  m_tvXmlStruct->setColumnCount(1);
  m_tvXmlStruct->setSortingEnabled(false);
  m_tvXmlStruct->setRootIsDecorated(true);
  m_tvXmlStruct->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::SelectedClicked |
                                 QAbstractItemView::EditKeyPressed);
  m_cmdResetElementName = new QPushButton(tr("要素名をデフォルトに戻す"), frame1);
  m_cmdResetElementName->setObjectName(QStringLiteral("cmdResetElementName"));
  m_cmdResetElementName->setToolTip(tr("各要素名をデフォルトに戻します。"));
  m_cmdResetElementName->setAutoDefault(false);
  auto* treeLayout = new QVBoxLayout(frame1);
  treeLayout->addWidget(m_tvXmlStruct, 1);
  treeLayout->addWidget(m_cmdResetElementName, 0, Qt::AlignRight);

  m_cmdXmlCreate = new QPushButton(tr("XMLドキュメントの作成"), this);
  m_cmdXmlCreate->setObjectName(QStringLiteral("cmdXmlCreate"));
  m_cmdXmlCreate->setAutoDefault(false);
  m_cmdCancel = createCancelButton();

  auto* options = new QHBoxLayout;
  options->addWidget(fraStringCode);
  options->addWidget(fraReturnCode);
  m_framTotals = new framTotals(/*withSubtotals=*/false, this);
  m_framPrefix = new framPrefix(this);
  auto* right = new QVBoxLayout;
  right->addLayout(options);
  right->addWidget(frame1, 1);
  right->addWidget(m_framTotals);
  right->addWidget(m_framPrefix);
  arrange(m_framJoho, right, m_cmdXmlCreate, m_cmdCancel);

  connect(m_chkInsCrLf, &QCheckBox::toggled, this, &frmOutXML::applyLineBreakRule);
  connect(m_tvXmlStruct, &QTreeWidget::itemChanged, this, &frmOutXML::checkEditedName);
  connect(m_cmdResetElementName, &QPushButton::clicked, this, &frmOutXML::resetElementNames);
  connect(m_cmdXmlCreate, &QPushButton::clicked, this, &frmOutXML::create);
  load();
}

void frmOutXML::load() {
  const XmlSettings& xml = m_settings.xml;
  selectOption(m_optStrCode, xml.stringCode);
  m_chkInsCrLf->setChecked(xml.crLfCheck);
  selectOption(m_optRetCode, xml.crLfType);
  m_framJoho->load(xml.columns);
  m_framTotals->load(xml.columns);
  m_framPrefix->load(xml.columns);
  applyLineBreakRule();
  buildTree();
}

void frmOutXML::buildTree() {
  const QSignalBlocker blocker(m_tvXmlStruct);
  for (int i = 0; i < kNodeCount; ++i) {
    const ElementNode& element = kElementNodes[i];
    auto* item = element.parent < 0 ? new QTreeWidgetItem(m_tvXmlStruct)
                                    : new QTreeWidgetItem(m_nodes[element.parent]);
    const QString& name = m_settings.elementNames.*element.name;
    item->setText(0, name);
    item->setData(0, kKeyRole, QString::fromLatin1(element.key));
    item->setData(0, kAcceptedNameRole, name);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    m_nodes[i] = item;
  }
  m_tvXmlStruct->expandAll();
}

QTreeWidgetItem* frmOutXML::node(const QString& key) const {
  for (QTreeWidgetItem* item : m_nodes)
    if (item->data(0, kKeyRole).toString() == key) return item;
  return nullptr;
}

void frmOutXML::applyLineBreakRule() {
  for (QAbstractButton* button : m_optRetCode->buttons())
    button->setEnabled(m_chkInsCrLf->isChecked());
}

void frmOutXML::resetElementNames() {
  const ElementNames defaults;
  const QSignalBlocker blocker(m_tvXmlStruct);
  for (int i = 0; i < kNodeCount; ++i) {
    const QString& name = defaults.*kElementNodes[i].name;
    m_nodes[i]->setText(0, name);
    m_nodes[i]->setData(0, kAcceptedNameRole, name);
  }
}

void frmOutXML::checkEditedName(QTreeWidgetItem* item) {
  const QString edited = item->text(0);
  const QString accepted = item->data(0, kAcceptedNameRole).toString();
  if (edited == accepted) return;
  const ElementNameCheck check = checkElementName(edited);
  const QSignalBlocker blocker(m_tvXmlStruct);
  if (check.verdict == ElementNameVerdict::Accepted) {
    item->setData(0, kAcceptedNameRole, edited);
    return;
  }
  item->setText(0, accepted);
  if (check.message) {
    // Said once the in-place editor has closed, so the message box does not end the edit a
    // second time while the tree is still committing it.
    QMetaObject::invokeMethod(
        this, [this, message = *check.message] { m_interaction.showMessage(message); },
        Qt::QueuedConnection);
  }
}

void frmOutXML::storeOptions(Settings& settings) const {
  XmlSettings& xml = settings.xml;
  xml.stringCode = selectedOption<XmlCharset>(m_optStrCode);
  xml.crLfCheck = m_chkInsCrLf->isChecked();
  xml.crLfType = selectedOption<LineBreak>(m_optRetCode);
  m_framJoho->store(xml.columns);
  m_framTotals->store(xml.columns);
  m_framPrefix->store(xml.columns);
  for (int i = 0; i < kNodeCount; ++i)
    settings.elementNames.*kElementNodes[i].name = m_nodes[i]->text(0);
}

const ColumnOptions& frmOutXML::columnsOf(const Settings& settings) const {
  return settings.xml.columns;
}

void frmOutXML::create() {
  createList(m_cmdXmlCreate, tr("XMLﾌｧｲﾙ|*.xml"),
             [this](const QString& path, const Settings& working, const ListDigests* digests) {
               return createXmlList(path, m_list, working, m_interaction, nativePathStyle(),
                                    digests);
             });
}

}  // namespace vek
