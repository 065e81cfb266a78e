#include "ui/frmInfo.h"

#include <limits>

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/Twips.h"

namespace vek {

namespace {

// A progress bar holds an int; a longer count is scaled down.
int barUnits(qint64 value, qint64 maximum) {
  constexpr qint64 limit = std::numeric_limits<int>::max();
  if (maximum <= limit) return int(value);
  return int(value / (maximum / limit + 1));
}

}  // namespace

frmInfo::frmInfo(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("frmInfo"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  // The owner stays painted but takes no input while the progress window is up.
  setWindowModality(Qt::WindowModal);

  auto* band = new QFrame(this);
  band->setObjectName(QStringLiteral("Label1"));
  band->setAutoFillBackground(true);
  QPalette white = band->palette();
  white.setColor(QPalette::Window, Qt::white);
  band->setPalette(white);
  auto* bandLayout = new QVBoxLayout(band);

  m_info = new QLabel(band);
  m_info->setObjectName(QStringLiteral("lblInfo"));
  m_info->setAlignment(Qt::AlignCenter);
  // 11.25 pt in the desktop's own face (the Windows face named for it is not found here, and
  // looking for it costs the first display a noticeable wait).
  QFont infoFont = m_info->font();
  infoFont.setPointSizeF(11.25);
  m_info->setFont(infoFont);
  m_info->setPalette(white);
  bandLayout->addWidget(m_info);

  auto* line = new QFrame(this);
  line->setObjectName(QStringLiteral("Line1"));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);

  m_bar = new QProgressBar(this);
  m_bar->setObjectName(QStringLiteral("pgProc"));
  m_bar->setTextVisible(false);
  m_bar->hide();

  m_status = new QPlainTextEdit(this);
  m_status->setObjectName(QStringLiteral("txtStatus"));
  m_status->setReadOnly(true);
  m_status->setFrameShape(QFrame::NoFrame);
  m_status->setFocusPolicy(Qt::NoFocus);
  m_status->setBackgroundRole(QPalette::Button);
  QPalette face = m_status->palette();
  face.setColor(QPalette::Base, face.color(QPalette::Button));
  m_status->setPalette(face);
  m_status->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  m_status->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  m_cancel = new QPushButton(tr("ｷｬﾝｾﾙ"), this);
  m_cancel->setObjectName(QStringLiteral("cmdCancel"));
  m_cancel->setAccessibleName(m_cancel->text());
  connect(m_cancel, &QPushButton::clicked, this, &frmInfo::cancelClicked);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 8);
  layout->addWidget(band);
  layout->addWidget(line);
  auto* body = new QVBoxLayout;
  body->setContentsMargins(8, 0, 8, 0);
  body->addWidget(m_bar);
  body->addWidget(m_status);
  layout->addLayout(body);
  layout->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(m_cancel);
  buttons->addStretch();
  layout->addLayout(buttons);

  m_info->setAccessibleName(tr("処理内容"));
  m_status->setAccessibleName(tr("処理状況"));
  m_bar->setAccessibleName(tr("進行状況"));

  // Room for three lines of detail (a long folder path wraps).
  m_status->setMinimumHeight(m_status->fontMetrics().lineSpacing() * 3 + 8);
  m_status->setMaximumHeight(m_status->fontMetrics().lineSpacing() * 3 + 8);
  // The client area of 4455 x 2385 twips, or what the texts need at this font.
  const QSize designed(twipsToPixels(4455, *this), twipsToPixels(2385, *this));
  resize(designed.expandedTo(layout->sizeHint()));
}

void frmInfo::setProgress(const QString& caption, const QString& info, const QString& detail,
                          qint64 bar, qint64 barMaximum) {
  if (barMaximum > 0) m_barMaximum = barMaximum;
  setWindowTitle(caption);
  m_info->setText(info);
  if (m_status->toPlainText() != detail) m_status->setPlainText(detail);
  if (bar < 0) {
    m_bar->hide();
  } else {
    m_bar->setMaximum(barUnits(std::max(m_barMaximum, bar), m_barMaximum));
    m_bar->setValue(barUnits(bar, m_barMaximum));
    m_bar->show();
  }
}

void frmInfo::clear() {
  setWindowTitle(QString());
  m_info->clear();
  m_status->clear();
  m_bar->hide();
  m_barMaximum = 0;
}

void frmInfo::centreOverOwner() {
  const QWidget* owner = parentWidget();
  if (!owner) return;
  const QRect ownerFrame = owner->frameGeometry();
  const QSize own = frameGeometry().size();
  move(ownerFrame.left() + (ownerFrame.width() - own.width()) / 2,
       ownerFrame.top() + (ownerFrame.height() - own.height()) / 2);
}

void frmInfo::showEvent(QShowEvent* event) {
  centreOverOwner();
  QDialog::showEvent(event);
}

void frmInfo::closeEvent(QCloseEvent* event) {
  // The operation closes the window when it has stopped; the title bar's close asks it to stop.
  event->ignore();
  Q_EMIT cancelClicked();
}

void frmInfo::reject() {
  Q_EMIT cancelClicked();
}

}  // namespace vek
