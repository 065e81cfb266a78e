#include "ui/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vek {

namespace {

// Qt's Japanese translation with the few texts it leaves out that the file dialogs show: the
// type column names folders and drives in the words the same dialogs use elsewhere.
class JapaneseQtTranslator : public QTranslator {
 public:
  using QTranslator::QTranslator;

  QString translate(const char* context, const char* sourceText, const char* disambiguation,
                    int n) const override {
    QString text = QTranslator::translate(context, sourceText, disambiguation, n);
    if (text.isNull() && qstrcmp(context, "QAbstractFileIconProvider") == 0) {
      if (qstrcmp(sourceText, "Folder") == 0) text = QStringLiteral("フォルダ");
      if (qstrcmp(sourceText, "Drive") == 0) text = QStringLiteral("ドライブ");
    }
    return text;
  }
};

}  // namespace

bool installQtTranslation() {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return false;
  const QString name = QStringLiteral("qtbase_ja");
  if (app->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly)) return true;
  auto* translator = new JapaneseQtTranslator(app);
  translator->setObjectName(name);
  if (!translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  return true;
}

}  // namespace vek
