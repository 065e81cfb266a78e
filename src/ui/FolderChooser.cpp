#include "ui/FolderChooser.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStringListModel>
#include <QStyle>
#include <cerrno>
#include <cstring>

#include "core/messages/Interaction.h"
#include "core/messages/MessageCatalogue.h"
#include "core/messages/PrintedPath.h"
#include "core/platform/FileSystem.h"
#include "core/settings/Settings.h"
#include "core/text/PathRules.h"
#include "gather/Gatherer.h"
#include "ui/PushButton.h"
#include "ui/Volumes.h"
#include "ui/WindowDialogs.h"

namespace vek {

namespace {

QString historyCaption(const QString& folder) {
  QString caption = folder;
  caption.replace(u'&', QStringLiteral("&&"));  // a path is shown, not an access key
  return caption;
}

}  // namespace

FolderChooser::FolderChooser(QWidget& frame, QWidget& owner, WindowDialogs& dialogs,
                             Interaction& interaction, Gatherer& gatherer, Settings& settings)
    : QObject(&frame),
      m_owner(owner),
      m_dialogs(dialogs),
      m_interaction(interaction),
      m_gatherer(gatherer),
      m_settings(settings) {
  m_drvGetFile = new QComboBox(&frame);
  m_drvGetFile->setObjectName(QStringLiteral("drvGetFile"));
  m_drvGetFile->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  m_drvGetFile->setMinimumContentsLength(8);
  m_cmdBrowseForFolder =
      createPushButton(QStringLiteral("cmdBrowseForFolder"), QStringLiteral("..."), &frame);
  // As narrow as its caption with a dot to spare and the button's frame and padding.
  constexpr int kButtonFramePixels = 16;
  m_cmdBrowseForFolder->setMaximumWidth(
      m_cmdBrowseForFolder->fontMetrics().horizontalAdvance(QStringLiteral("....")) +
      kButtonFramePixels);
  m_dirGetFile = new QListWidget(&frame);
  m_dirGetFile->setObjectName(QStringLiteral("dirGetFile"));
  m_dirGetFile->setUniformItemSizes(true);
  m_cmdDirectPath = createPushButton(QStringLiteral("cmdDirectPath"), tr("パスを入力指定"), &frame);
  m_filGetFile = new QListView(&frame);
  m_filGetFile->setObjectName(QStringLiteral("filGetFile"));
  m_filGetFile->setUniformItemSizes(true);
  m_filGetFile->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_fileNames = new QStringListModel(this);
  m_filGetFile->setModel(m_fileNames);

  m_volumes = mountedVolumeRoots();
  m_drvGetFile->addItems(m_volumes);

  connect(m_drvGetFile, &QComboBox::activated, this, &FolderChooser::driveChosen);
  connect(m_cmdBrowseForFolder, &QPushButton::clicked, this, &FolderChooser::browseForFolder);
  connect(m_cmdDirectPath, &QPushButton::clicked, this, &FolderChooser::typePath);
  connect(m_dirGetFile, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    const QString folder = item->data(Qt::UserRole).toString();
    if (folder != m_folder && !setFolderPath(folder)) {
      warnNotShown(
          {tr("指定されたパスからファイル情報を取得できません。"), tr("パスを確認してください。")});
      fillFolderBox();  // the folder may have gone: show what is there now
    }
  });
}

bool FolderChooser::setFolderPath(const QString& folder) {
  m_problem.clear();
  if (folder.isEmpty() || !QDir::isAbsolutePath(folder)) return false;
  const QString clean = cleanPath(folder, nativePathStyle());
  errno = 0;
  bool shown = FileSystem::folderExists(clean);
  // A path that names something else than a folder leaves errno as it was.
  if (!shown && errno == 0) errno = ENOTDIR;
  shown = shown && FileSystem::subfolders(clean);
  if (!shown) {
    const int error = errno ? errno : EIO;  // taken before anything else can change it
    m_problem = problemText(clean, error);
    return false;
  }
  m_folder = clean;
  fillFolderBox();
  refreshFileBox();
  Q_EMIT folderShown(m_folder);
  return true;
}

void FolderChooser::fillFolderBox() {
  // The folders above the current one, the current one, and its subfolders, indented by depth.
  m_dirGetFile->clear();
  const QIcon open = m_owner.style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = m_owner.style()->standardIcon(QStyle::SP_DirClosedIcon);
  const PathStyle style = nativePathStyle();
  int depth = 0;
  auto add = [this](const QIcon& icon, const QString& text, const QString& folder, int indent) {
    auto* item = new QListWidgetItem(icon, QString(indent * 2, u' ') + text, m_dirGetFile);
    item->setData(Qt::UserRole, folder);
    return item;
  };
  QListWidgetItem* current = nullptr;
  for (const QString& folder : folderChain(m_folder, style)) {
    const bool root = folder == pathRoot(folder, style);
    const QString name = root ? folder : folder.section(pathSeparator(style), -1);
    current = add(open, name, folderWithoutSeparator(folder, style), depth++);
  }
  const QString prefix = folderText(m_folder, style);
  if (const auto subfolders = FileSystem::subfolders(m_folder)) {
    for (const QString& name : *subfolders) add(closed, name, prefix + name, depth);
  }
  m_dirGetFile->setCurrentItem(current);
}

void FolderChooser::refreshFileBox() {
  if (m_folder.isEmpty()) return;
  QStringList names;
  if (const auto files = m_gatherer.listFiles(m_folder)) {
    names.reserve(qsizetype(files->size()));
    for (const QString& name : *files) names.append(name);
  }
  m_fileNames->setStringList(names);
}

void FolderChooser::selectVolumeFor(const QString& path) {
  const int index = int(m_volumes.indexOf(volumeHolding(path, m_volumes)));
  if (index < 0) return;
  const QSignalBlocker block(m_drvGetFile);
  m_drvGetFile->setCurrentIndex(index);
}

bool FolderChooser::confirmShownFolder() {
  if (m_folder.isEmpty()) return true;
  errno = 0;
  if (FileSystem::folderExists(m_folder)) return true;
  const int error = errno ? errno : ENOTDIR;  // 0: something else than a folder is there now
  m_problem = problemText(m_folder, error);
  warnNotShown(
      {tr("指定されたパスからファイル情報を取得できません。"), tr("パスを確認してください。")});
  const QStringList above = folderChain(m_folder, nativePathStyle());
  for (auto folder = above.rbegin(); folder != above.rend(); ++folder) {
    if (*folder != m_folder && setFolderPath(*folder)) {
      selectVolumeFor(m_folder);
      return false;
    }
  }
  fillFolderBox();  // nothing above is there either: at least what is listed goes
  m_fileNames->setStringList({});
  return false;
}

void FolderChooser::setBoxesEnabled(bool enabled) {
  m_drvGetFile->setEnabled(enabled);
  m_dirGetFile->setEnabled(enabled);
  m_filGetFile->setEnabled(enabled);
}

void FolderChooser::browseForFolder() {
  setBoxesEnabled(false);
  const std::optional<QString> chosen =
      m_dialogs.chooseFolder(&m_owner, tr("ﾌｫﾙﾀﾞを選択してください"), m_folder);
  if (chosen && chosen->isEmpty()) {
    m_interaction.showMessage(
        MessageCatalogue::warning({tr("指定されたﾊﾟｽからﾌｧｲﾙ情報を取得できません。"),
                                   tr("指定が可能なものは、ﾃﾞｽｸﾄｯﾌﾟ、ﾄﾞﾗｲﾌﾞ、ﾌｫﾙﾀﾞのみです。")}));
  } else if (chosen) {
    if (setFolderPath(*chosen)) {
      selectVolumeFor(m_folder);
    } else {
      warnNotShown(
          {tr("指定されたパスからファイル情報を取得できません。"), tr("パスを変更してください。")});
    }
  }
  setBoxesEnabled(true);
}

void FolderChooser::typePath() {
  const std::optional<QString> text = m_dialogs.askText(
      &m_owner, tr("パスの入力"),
      joinLines({tr("参照するパスを入力してください。"),
                 tr("ネットワーク上のコンピュータを指定するときは、「/mnt/server/share」"
                    "のように入力してください")}));
  if (!text || text->isEmpty()) return;
  if (!setFolderPath(resolveTypedPath(*text, m_folder, QDir::homePath(), nativePathStyle()))) {
    warnNotShown(
        {tr("指定されたパス「%1」から、").arg(*text), tr("ファイル情報を取得できません。")});
    return;
  }
  selectVolumeFor(m_folder);
}

void FolderChooser::driveChosen(int index) {
  if (index < 0 || index >= m_volumes.size()) return;
  setBoxesEnabled(false);
  if (!setFolderPath(m_volumes[index])) {
    warnNotShown({tr("指定したドライブから、ファイル情報を取得できません。"),
                  tr("ドライブを変更してください。")});
  }
  setBoxesEnabled(true);
}

void FolderChooser::addHistoryItems(QMenu& menu) {
  for (int i = 0; i < int(kRecentCount); ++i) {
    QAction* item = menu.addAction(QString());
    item->setObjectName(QStringLiteral("mHis") + QString::number(i));
    item->setVisible(false);
    connect(item, &QAction::triggered, this, [this, i] { openHistory(i); });
    m_history.push_back(item);
  }
}

void FolderChooser::openHistory(int index) {
  const QString folder = m_settings.history[std::size_t(index)];
  if (folder.isEmpty()) return;
  if (!setFolderPath(folder)) {
    // The entry stays: the folder may come back (a medium put in again).
    warnNotShown(
        {tr("指定されたパスからファイル情報を取得できません。"), tr("パスを確認してください。")});
    return;
  }
  selectVolumeFor(m_folder);
}

QString FolderChooser::problemText(const QString& folder, int error) {
  return tr("「%1」: %2").arg(printedPath(folder), QString::fromLocal8Bit(std::strerror(error)));
}

void FolderChooser::warnNotShown(std::initializer_list<QString> lines) {
  QString text = joinLines(lines);
  if (!m_problem.isEmpty()) text = joinLines({text, m_problem});
  m_interaction.showMessage(MessageCatalogue::warning(text));
}

void FolderChooser::refreshHistoryMenu() {
  for (std::size_t i = 0; i < m_history.size(); ++i) {
    const QString& folder = m_settings.history[i];
    m_history[i]->setText(historyCaption(folder));
    m_history[i]->setVisible(!folder.isEmpty());
  }
}

}  // namespace vek
