#include "ui/frmVersion.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegion>
#include <QRegularExpression>
#include <QUrl>
#include <QWindow>

#include "core/settings/ProgramVersion.h"
#include "ui/ProgramIcon.h"
#include "ui/WindowDialogs.h"

namespace vek {

namespace {

// The window draws its own title strip: the ellipse cuts the ends of it, as it cuts the
// corners of the client area, so the window has no frame of the window manager's.
constexpr int kTitleHeight = 26;
constexpr int kClientWidth = 336;
constexpr int kClientHeight = 240;
const QColor kGrey(128, 128, 128);

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& place,
              bool bold = false) {
  auto* created = new QLabel(text, parent);
  created->setObjectName(QString::fromLatin1(name));
  created->setGeometry(place.translated(0, kTitleHeight));
  if (bold) {
    QFont font = created->font();
    font.setBold(true);
    created->setFont(font);
  }
  return created;
}

QLabel* band(QWidget* parent, const char* name, const QColor& colour, const QRect& place) {
  QLabel* created = label(parent, name, QString(), place);
  created->setAutoFillBackground(true);
  QPalette palette = created->palette();
  palette.setColor(QPalette::Window, colour);
  created->setPalette(palette);
  return created;
}

void setTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  widget->setPalette(palette);
}

}  // namespace

QStringList frmVersion::credits() {
  return {
      tr("Qt さん - 画面と部品、ファイル情報"),  tr("shared-mime-info さん - 種類の説明"),
      tr("GNU C Library さん - 文字コード変換"), tr("libxml2 さん - HTML・XML 出力の検査"),
      tr("GoogleTest さん - 自動テスト"),        tr("CMake さん - ビルドとパッケージ"),
      tr("GCC さん - C++ コンパイラ"),           tr("Noto CJK さん - 日本語フォント"),
  };
}

frmVersion::frmVersion(WindowDialogs& dialogs, const Places& places, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_dialogs(dialogs),
      m_homePage(places.homePage.isEmpty() ? places.manual : QUrl(places.homePage)) {
  setObjectName(QStringLiteral("frmVersion"));
  // Nineteen spaces put the caption in the middle of a title bar that shows it from the left.
  setWindowTitle(QString(19, u' ') + tr("バージョン情報"));
  setModal(true);
  setFixedSize(kClientWidth, kTitleHeight + kClientHeight);
  m_startMove = [this] { return windowHandle() && windowHandle()->startSystemMove(); };

  band(this, "Label7", Qt::white, {0, 0, kClientWidth, 49});
  band(this, "Label8", kGrey, {0, 88, kClientWidth, 153});
  auto* line1 = new QFrame(this);
  line1->setObjectName(QStringLiteral("Line1"));
  line1->setFrameShape(QFrame::HLine);
  line1->setFrameShadow(QFrame::Sunken);
  line1->setGeometry(0, kTitleHeight + 49, kClientWidth, 2);
  auto* line2 = new QFrame(this);
  line2->setObjectName(QStringLiteral("Line2"));
  line2->setFrameShape(QFrame::HLine);
  line2->setFrameShadow(QFrame::Sunken);
  line2->setGeometry(0, kTitleHeight + 86, kClientWidth, 2);

  QLabel* image = label(this, "Image1", QString(), {64, 8, 32, 32});
  image->setPixmap(programIcon().pixmap(32, 32));
  label(this, "Label1", tr("Vek　Version %1").arg(programVersion()), {108, 6, 180, 20}, true);
  label(this, "Label9", tr("Update %1").arg(releaseDate()), {156, 26, 140, 20}, true);
  label(this, "Label6", tr("最新版、サポート等は、"), {22, 54, 150, 18}, true);
  // Without a home page the manual that came with the program stands in: no address that does
  // not exist is shown.
  QString shown = places.homePage;
  shown.remove(QRegularExpression(QStringLiteral("^https?://")));
  if (shown.isEmpty()) shown = tr("付属のマニュアル（readme.htm）");
  const QString target =
      m_homePage.isLocalFile() ? m_homePage.toLocalFile() : m_homePage.toString();
  QLabel* link = label(this, "lblHomePage", QString(), {40, 70, 280, 18});
  // A long address is shortened in its middle; the tooltip gives it whole.
  const QString fitted = link->fontMetrics().elidedText(shown, Qt::ElideMiddle, link->width());
  link->setText(fitted.toHtmlEscaped());
  if (!m_homePage.isEmpty()) {
    link->setText(
        QStringLiteral("<a href=\"%1\">%2</a>")
            .arg(m_homePage.toString(QUrl::FullyEncoded).toHtmlEscaped(), fitted.toHtmlEscaped()));
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setToolTip(target);
    connect(link, &QLabel::linkActivated, this, &frmVersion::openHomePage);
  }
  link->setTextFormat(Qt::RichText);
  link->setAccessibleName(shown);
  link->setAccessibleDescription(target);

  QLabel* label3 = label(this, "Label3", tr("プログラム作成  ："), {64, 94, 110, 18});
  m_label2 = label(this, "Label2", tr("Vek の開発者"), {176, 94, 120, 18});
  if (!m_homePage.isEmpty()) {
    m_label2->setCursor(Qt::PointingHandCursor);
    m_label2->setToolTip(target);
  }
  m_label2->installEventFilter(this);
  QLabel* label10 = label(this, "Label10", tr("Special Thanks :"), {64, 116, 150, 18});
  for (QLabel* onGrey : {label3, m_label2, label10}) setTextColour(onGrey, Qt::white);

  m_lstSpecialThanks = new QListWidget(this);
  m_lstSpecialThanks->setObjectName(QStringLiteral("lstSpecialThanks"));
  m_lstSpecialThanks->setAccessibleName(tr("Special Thanks"));
  m_lstSpecialThanks->addItems(credits());
  for (int i = 0; i < m_lstSpecialThanks->count(); ++i) {
    QListWidgetItem* item = m_lstSpecialThanks->item(i);
    item->setToolTip(item->text());
  }
  // Three whole lines, whatever the font; a line too long for the box ends in "…" and shows
  // whole in its tooltip.
  m_lstSpecialThanks->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_lstSpecialThanks->setTextElideMode(Qt::ElideRight);
  const int listHeight =
      m_lstSpecialThanks->sizeHintForRow(0) * 3 + 2 * m_lstSpecialThanks->frameWidth();
  m_lstSpecialThanks->setGeometry(48, kTitleHeight + 137, 240, listHeight);

  m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
  m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
  m_cmdOK->setGeometry(124, kTitleHeight + 200, 89, 25);
  m_cmdOK->setDefault(true);
  connect(m_cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  m_cmdOK->setFocus();
}

void frmVersion::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  setMask(QRegion(rect(), QRegion::Ellipse));
}

void frmVersion::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  QLinearGradient title(0, 0, width(), 0);
  title.setColorAt(0, QColor(0x0a, 0x24, 0x6a));
  title.setColorAt(1, QColor(0xa6, 0xca, 0xf0));
  painter.fillRect(0, 0, width(), kTitleHeight, title);
  QFont font = painter.font();
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, 0, width(), kTitleHeight), Qt::AlignCenter, windowTitle().trimmed());
}

void frmVersion::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QDialog::mousePressEvent(event);
    return;
  }
  // The system moves the window with the mouse; where it cannot, the window follows itself.
  if (!m_startMove()) {
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
  }
  event->accept();
}

void frmVersion::mouseMoveEvent(QMouseEvent* event) {
  if (m_dragging && (event->buttons() & Qt::LeftButton)) {
    move(event->globalPosition().toPoint() - m_dragOffset);
    event->accept();
    return;
  }
  QDialog::mouseMoveEvent(event);
}

void frmVersion::mouseReleaseEvent(QMouseEvent* event) {
  m_dragging = false;
  QDialog::mouseReleaseEvent(event);
}

bool frmVersion::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_label2 && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    openHomePage();
    return true;
  }
  if (watched == m_label2 && event->type() == QEvent::MouseButtonPress) return true;
  return QDialog::eventFilter(watched, event);
}

void frmVersion::openHomePage() {
  if (!m_homePage.isEmpty()) m_dialogs.openUrl(m_homePage);
}

}  // namespace vek
