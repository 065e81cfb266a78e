#include "ui/SaveFileQuestion.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "core/PathRules.h"

namespace vek {

namespace {

QStringList patternsOf(const QString& filter) {
  const qsizetype bar = filter.indexOf(u'|');
  return filter.mid(bar + 1).split(u';', Qt::SkipEmptyParts);
}

}  // namespace

QString nameFilterText(const QString& filter) {
  const qsizetype bar = filter.indexOf(u'|');
  if (bar < 0) return filter;
  return filter.left(bar) + u" (" + patternsOf(filter).join(u' ') + u')';
}

QString defaultSuffix(const QString& filter) {
  const QStringList patterns = patternsOf(filter);
  if (patterns.isEmpty()) return {};
  const QString& first = patterns.front();
  const qsizetype dot = first.lastIndexOf(u'.');
  const QString suffix = dot < 0 ? QString() : first.mid(dot + 1);
  return suffix.contains(u'*') || suffix.contains(u'?') ? QString() : suffix;
}

QString saveConfirmationText(const QString& path) {
  return u"ﾌｧｲﾙ名 " + path + u" で保存します、よろしいですか?";
}

void rememberSaveFile(WindowState& state, const QString& path) {
  state.saveFileName = path;
  state.saveInitialDir = folderText(QFileInfo(path).absolutePath(), nativePathStyle());
}

Session::SaveQuestion windowSaveQuestion(WindowState& state, QWidget* parent) {
  return [&state, parent](const QString& filter, QString& path) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The confirmation below is asked whether or not the file exists; one question is enough.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(state.saveInitialDir);
    dialog.setNameFilter(nameFilterText(filter));
    dialog.setDefaultSuffix(defaultSuffix(filter));
    dialog.selectFile(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return true;
    const QString chosen = dialog.selectedFiles().front();

    QMessageBox question(QMessageBox::NoIcon, QStringLiteral("ﾌｧｲﾙ保存確認"),
                         saveConfirmationText(chosen), QMessageBox::Ok | QMessageBox::Cancel,
                         parent);
    question.setDefaultButton(QMessageBox::Ok);
    if (question.exec() != QMessageBox::Ok) return true;
    rememberSaveFile(state, chosen);
    path = chosen;
    return false;
  };
}

}  // namespace vek
