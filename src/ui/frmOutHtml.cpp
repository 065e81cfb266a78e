#include "ui/frmOutHtml.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/CaptionColour.h"
#include "ui/ColourLabel.h"
#include "ui/framJoho.h"
#include "ui/framPrefix.h"
#include "ui/framTotals.h"
#include "ui/frmHeadIns.h"
#include "writers/HtmlListExport.h"

namespace vek {

namespace {

QGroupBox* createFrame(QWidget* parent, const char* name, const QString& caption,
                       const QString& toolTip, QWidget* content) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(QString::fromLatin1(name));
  frame->setToolTip(toolTip);
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(content);
  content->setAccessibleName(caption);
  return frame;
}

}  // namespace

frmOutHtml::frmOutHtml(Settings& settings, const FileList& list, const Session& session,
                       Interaction& interaction, QWidget* parent)
    : WriterDialog(settings, list, session, interaction, parent),
      m_chooseColour([](const QColor& initial, QWidget* owner) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, owner);
        if (!chosen.isValid()) return std::nullopt;
        return chosen;
      }) {
  setObjectName(QStringLiteral("frmOutHtml"));
  setWindowTitle(tr("HTMLでの出力設定"));

  m_framJoho = new framJoho(tr("　%1　").arg(framJoho::defaultCaption()), this);
  m_frmHeadIns = new frmHeadIns(tr("見出し行の挿入"), this);

  m_txtTitle = new QLineEdit(tr("（タイトル）"), this);
  m_txtTitle->setObjectName(QStringLiteral("txtTitle"));
  m_txtTitle->setToolTip(tr("出力されるHTMLのタイトルを設定します。"));
  m_txtTitle->installEventFilter(this);
  QGroupBox* fraTitle = createFrame(this, "fraTitle", tr("HTMLのタイトル名"),
                                    tr("HTMLのタイトルを設定します。"), m_txtTitle);

  struct ColourControl {
    const char* label;
    const char* frame;
    QString caption, frameTip, labelTip;
  };
  const ColourControl controls[ColourCount] = {
      {"lblFontSample", "fraFontColor", tr("フォント色"),
       tr("HTMLタイトルのフォントカラーを設定します。"), tr("タイトル文字列の色を設定します。")},
      {"lblBack", "fraBackColor", tr("背景色"), tr("HTMLの背景色を設定します。"),
       tr("HTMLの背景色を指定します。")},
      {"lblHeadColor", "fraHeadColor", tr("ヘッダカラー"), tr("HTMLのヘッダカラーを設定します。"),
       tr("HTML内のヘッダ行の背景色を指定します。")},
      // Colour A is used for the second, fourth, … data rows, colour B for the first, third, ….
      {"lblTableColorA", "fraTableColorA", tr("テーブルカラー A"),
       tr("HTMLのテーブルカラーAを設定します。"),
       tr("HTML内のテーブル行（偶数行）の背景色を指定します。")},
      {"lblTableColorB", "fraTableColorB", tr("テーブルカラー B"),
       tr("HTMLのテーブルカラーBを設定します。"),
       tr("HTML内のテーブル行（奇数行）の背景色を指定します。")},
  };
  auto* colourGrid = new QGridLayout;
  for (int i = 0; i < ColourCount; ++i) {
    auto* label = new ColourLabel(QString::fromLatin1(controls[i].label), this);
    label->setToolTip(controls[i].labelTip);
    m_colours[std::size_t(i)] = label;
    colourGrid->addWidget(
        createFrame(this, controls[i].frame, controls[i].caption, controls[i].frameTip, label),
        i / 3, i % 3);
    connect(label, &ColourLabel::clicked, this, [this, label] { chooseColour(label); });
  }

  m_chkLink = new QCheckBox(tr("ファイル名にリンクを張る"), this);
  m_chkLink->setObjectName(QStringLiteral("chkLink"));
  m_chkLink->setToolTip(tr("ブラウザ上から任意のファイルを開くことが出来るようになります。"));
  followCheckColour(m_chkLink);

  m_cmdHtmlCreate = new QPushButton(tr("HTMLファイルの作成"), this);
  m_cmdHtmlCreate->setObjectName(QStringLiteral("cmdHtmlCreate"));
  m_cmdHtmlCreate->setToolTip(tr("HTMLリストの作成を開始します。"));
  m_cmdHtmlCreate->setDefault(true);
  m_cmdCancel = createCancelButton();
  m_cmdCancel->setToolTip(tr("キャンセルし、前画面に戻ります。"));

  auto* right = new QVBoxLayout;
  right->addWidget(fraTitle);
  right->addLayout(colourGrid);
  right->addWidget(m_chkLink);
  right->addWidget(m_frmHeadIns);
  m_framTotals = new framTotals(/*withSubtotals=*/true, this);
  m_framPrefix = new framPrefix(this);
  right->addWidget(m_framTotals);
  right->addWidget(m_framPrefix);
  right->addStretch();
  arrange(m_framJoho, right, m_cmdHtmlCreate, m_cmdCancel);

  connect(m_cmdHtmlCreate, &QPushButton::clicked, this, &frmOutHtml::create);
  connect(m_frmHeadIns, &frmHeadIns::choiceChanged, this,
          [this] { m_framTotals->setSubtotalsAvailable(m_frmHeadIns->insertsAtFolderChange()); });
  load();
}

void frmOutHtml::load() {
  const HtmlSettings& html = m_settings.html;
  m_txtTitle->setText(htmlInitialTitle(m_list, m_settings));
  m_colours[FontSample]->setColour(html.stringColor);
  m_colours[Back]->setColour(html.backColor);
  m_colours[HeadColor]->setColour(html.headColor);
  m_colours[TableColorA]->setColour(html.tableColorA);
  m_colours[TableColorB]->setColour(html.tableColorB);
  m_chkLink->setChecked(html.fileLink == 1);
  m_framJoho->load(html.columns);
  m_frmHeadIns->load(html.columns);
  m_framTotals->load(html.columns);
  m_framTotals->setSubtotalsAvailable(m_frmHeadIns->insertsAtFolderChange());
  m_framPrefix->load(html.columns);
}

void frmOutHtml::chooseColour(ColourLabel* label) {
  if (const std::optional<QColor> chosen = m_chooseColour(label->shownColour(), this))
    label->setColour(ColourLabel::fromQColor(*chosen));
}

void frmOutHtml::storeOptions(Settings& settings) const {
  HtmlSettings& html = settings.html;
  html.title = m_txtTitle->text();
  html.stringColor = m_colours[FontSample]->colour();
  html.backColor = m_colours[Back]->colour();
  html.headColor = m_colours[HeadColor]->colour();
  html.tableColorA = m_colours[TableColorA]->colour();
  html.tableColorB = m_colours[TableColorB]->colour();
  html.fileLink = m_chkLink->isChecked() ? 1 : 0;
  m_framJoho->store(html.columns);
  m_frmHeadIns->store(html.columns);
  m_framTotals->store(html.columns);
  m_framPrefix->store(html.columns);
}

const ColumnOptions& frmOutHtml::columnsOf(const Settings& settings) const {
  return settings.html.columns;
}

void frmOutHtml::create() {
  createList(m_cmdHtmlCreate, tr("HTMLﾄﾞｷｭﾒﾝﾄ|*.htm;*.html"),
             [this](const QString& path, const Settings& working, const ListDigests* digests) {
               return createHtmlList(path, m_list, working, m_interaction, working.html.title,
                                     nativePathStyle(), digests);
             });
}

bool frmOutHtml::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_txtTitle && event->type() == QEvent::FocusIn)
    QTimer::singleShot(0, m_txtTitle, &QLineEdit::selectAll);
  return WriterDialog::eventFilter(watched, event);
}

}  // namespace vek
