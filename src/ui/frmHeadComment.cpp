#include "ui/frmHeadComment.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vek {

namespace {

struct CaptionRow {
  const char* box;
  QString label;
};

}  // namespace

frmHeadComment::frmHeadComment(Settings& settings, const Session& session, QWidget* parent)
    : BandDialog(QStringLiteral("frmHeadComment"), tr("ﾍｯﾀﾞｺﾒﾝﾄ編集"),
                 tr("ﾃｷｽﾄ／CSV／HTML　に出力される見出し行のコメントを設定します。"), session,
                 parent),
      m_settings(settings) {
  const CaptionRow rows[kColumnCount] = {
      {"txtFullPath", tr("ﾌﾙﾊﾟｽ：")},      {"txtDir", tr("ﾃﾞｨﾚｸﾄﾘ：")},
      {"txtFile", tr("ﾌｧｲﾙ名：")},         {"txtFileType", tr("ﾌｧｲﾙﾀｲﾌﾟ：")},
      {"txtFileSize", tr("ﾌｧｲﾙｻｲｽﾞ：")},   {"txtCreateDate", tr("作成日付：")},
      {"txtAccessDate", tr("ｱｸｾｽ日付：")}, {"txtUpdateDate", tr("更新日付：")},
  };
  auto* grid = new QGridLayout;
  for (int i = 0; i < kColumnCount; ++i) {
    auto* box = new QLineEdit(settings.headComment[std::size_t(i)], this);
    box->setObjectName(QString::fromLatin1(rows[i].box));
    box->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("ファイルサイズ")) * 2);
    auto* label = new QLabel(rows[i].label, this);
    label->setBuddy(box);
    box->setAccessibleName(rows[i].label.chopped(1));
    grid->addWidget(label, i, 0);
    grid->addWidget(box, i, 1);
    box->installEventFilter(this);
    addKeyRule(box);
    m_boxes[std::size_t(i)] = box;
  }
  fieldsLayout()->addLayout(grid);

  m_cmdDefault = new QPushButton(tr("ﾃﾞﾌｫﾙﾄに戻す"), this);
  m_cmdDefault->setObjectName(QStringLiteral("cmdDefault"));
  buttonRow()->insertWidget(0, m_cmdDefault);
  connect(m_cmdDefault, &QPushButton::clicked, this, &frmHeadComment::restoreDefaults);
  addKeyRule(m_cmdOK);
}

void frmHeadComment::restoreDefaults() {
  const Settings defaults;
  for (int i = 0; i < kColumnCount; ++i)
    m_boxes[std::size_t(i)]->setText(defaults.headComment[std::size_t(i)]);
}

void frmHeadComment::ok() {
  for (int i = 0; i < kColumnCount; ++i)
    m_settings.headComment[std::size_t(i)] = m_boxes[std::size_t(i)]->text();
  accept();
}

bool frmHeadComment::eventFilter(QObject* watched, QEvent* event) {
  // Entering a box selects its whole text, after the click that placed the caret.
  if (event->type() == QEvent::FocusIn) {
    if (auto* box = qobject_cast<QLineEdit*>(watched))
      QTimer::singleShot(0, box, &QLineEdit::selectAll);
  }
  return BandDialog::eventFilter(watched, event);
}

}  // namespace vek
