// Qt's own texts in Japanese: the standard buttons of the program's message boxes and questions
// and of its save dialog, with the translation installed as the program installs it.
#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

#include "support/QStringPrinter.h"
#include "ui/QtTranslation.h"
#include "ui/SystemDialogs.h"

namespace vek {
namespace {
using namespace Qt::StringLiterals;

class QtTranslationTest : public ::testing::Test {
 protected:
  // The other window tests of this process keep Qt's untranslated texts.
  ~QtTranslationTest() override {
    for (auto* translator : QCoreApplication::instance()->findChildren<QTranslator*>(
             u"qtbase_ja"_s, Qt::FindDirectChildrenOnly)) {
      QCoreApplication::removeTranslator(translator);
      delete translator;
    }
  }
};

TEST_F(QtTranslationTest, StandardButtonsSpeakJapanese) {
  ASSERT_TRUE(installQtTranslation()) << "Qt's translations (qt6-translations-l10n) are missing";
  EXPECT_TRUE(installQtTranslation());  // once is enough; a second call changes nothing
  EXPECT_EQ(QCoreApplication::instance()
                ->findChildren<QTranslator*>(u"qtbase_ja"_s, Qt::FindDirectChildrenOnly)
                .size(),
            1);

  const Message question{u"ﾌｧｲﾙ保存確認"_s, u"よろしいですか?"_s, MessageIcon::Question};
  const auto box = SystemDialogs::messageBox(
      nullptr, question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
      QMessageBox::Yes);
  const struct {
    QMessageBox::StandardButton button;
    QString text;
  } buttons[] = {{QMessageBox::Yes, u"はい(&Y)"_s},
                 {QMessageBox::No, u"いいえ(&N)"_s},
                 {QMessageBox::Cancel, u"キャンセル"_s}};
  for (const auto& b : buttons) EXPECT_EQ(box->button(b.button)->text(), b.text);

  QDialogButtonBox okCancel(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  EXPECT_EQ(okCancel.button(QDialogButtonBox::Cancel)->text(), u"キャンセル"_s);

  // The save dialog of the writers.
  const auto save = SystemDialogs::saveDialog(nullptr, u"CSVﾌｧｲﾙ|*.csv"_s, QDir::tempPath());
  save->setOption(QFileDialog::DontUseNativeDialog);
  auto* dialogButtons = save->findChild<QDialogButtonBox*>();
  ASSERT_NE(dialogButtons, nullptr);
  EXPECT_EQ(dialogButtons->button(QDialogButtonBox::Save)->text(), u"保存(&S)"_s);
  EXPECT_EQ(dialogButtons->button(QDialogButtonBox::Cancel)->text(), u"キャンセル"_s);
  // The type column's word for a folder, which Qt's own translation leaves in English.
  EXPECT_EQ(QFileIconProvider().type(QFileInfo(QDir::tempPath())), u"フォルダ"_s);
}

}  // namespace
}  // namespace vek
