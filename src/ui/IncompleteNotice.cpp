#include "ui/IncompleteNotice.h"

#include <QBoxLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "ui/PushButton.h"

namespace vek {

IncompleteNotice::IncompleteNotice(QWidget* owner, const Message& notice, QString wholeList)
    : QDialog(owner), m_wholeList(std::move(wholeList)) {
  setObjectName(QStringLiteral("IncompleteNotice"));
  setWindowTitle(notice.title);
  setModal(true);
  auto* icon = new QLabel(this);
  const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(side));
  icon->setAlignment(Qt::AlignTop);
  auto* text = new QLabel(this);
  text->setObjectName(QStringLiteral("lblNotice"));
  text->setTextFormat(Qt::PlainText);
  QString shown = notice.text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text->setText(shown);
  // Paths are read and copied from here too; they are never wrapped inside a name.
  text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text->setAccessibleName(notice.title);
  text->setAccessibleDescription(shown);

  m_copy = createPushButton(QStringLiteral("cmdCopyList"), tr("一覧をコピー"), this);
  m_copy->setToolTip(tr("読み取れなかったものすべてを、1行に1つずつクリップボードにコピーします"));
  m_copy->setAutoDefault(false);
  m_copied = new QLabel(tr("コピーしました"), this);
  m_copied->setObjectName(QStringLiteral("lblCopied"));
  m_copied->hide();
  QPushButton* ok = createPushButton(QStringLiteral("cmdOK"), tr("OK"), this);
  ok->setDefault(true);

  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addSpacing(fontMetrics().horizontalAdvance(u'M'));
  top->addWidget(text, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_copy);
  buttons->addWidget(m_copied);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(m_copy, &QPushButton::clicked, this, &IncompleteNotice::copyList);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  ok->setFocus();
}

void IncompleteNotice::copyList() {
  QGuiApplication::clipboard()->setText(m_wholeList);
  m_copied->show();
}

}  // namespace vek
