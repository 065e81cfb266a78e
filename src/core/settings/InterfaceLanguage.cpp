#include "core/settings/InterfaceLanguage.h"

#include <atomic>

#include <QCoreApplication>
#include <QTranslator>

namespace vek {

namespace {

// "ja_JP.UTF-8" and "ja@euro" give "ja"; "C.UTF-8" gives "c".
QString languagePart(const QString& value) {
  qsizetype end = 0;
  while (end < value.size() && value[end].isLetter()) ++end;
  return value.first(end).toLower();
}

const char* const kTranslatorName = "vekInterfaceTranslation";

// What installInterfaceLanguage made the texts answer in: asked for every listed file's type
// description, on any thread.
std::atomic<InterfaceLanguage> g_installed{InterfaceLanguage::Japanese};

}  // namespace

LanguageInputs LanguageInputs::environment() {
  return {qEnvironmentVariable("VEK_LANG"), qEnvironmentVariable("LC_ALL"),
          qEnvironmentVariable("LC_MESSAGES"), qEnvironmentVariable("LANG")};
}

std::optional<QLocale> localeToFollow(const LanguageInputs& inputs) {
  LanguageInputs fromLocale = inputs;
  fromLocale.vekLang.clear();
  const InterfaceLanguage language = chooseInterfaceLanguage(inputs);
  if (language == chooseInterfaceLanguage(fromLocale)) return std::nullopt;
  return language == InterfaceLanguage::Japanese ? QLocale(QLocale::Japanese, QLocale::Japan)
                                                 : QLocale(QLocale::English, QLocale::UnitedStates);
}

InterfaceLanguage chooseInterfaceLanguage(const LanguageInputs& inputs) {
  const QString chosen = languagePart(inputs.vekLang);
  if (chosen == u"ja") return InterfaceLanguage::Japanese;
  if (chosen == u"en") return InterfaceLanguage::English;
  // C and POSIX name no language (cron, services, containers): Vek keeps its own, Japanese, so
  // that scripts run there see the same texts and list captions as always.
  for (const QString* locale : {&inputs.lcAll, &inputs.lcMessages, &inputs.lang}) {
    if (locale->isEmpty()) continue;
    const QString language = languagePart(*locale);
    return language == u"ja" || language == u"c" || language == u"posix"
               ? InterfaceLanguage::Japanese
               : InterfaceLanguage::English;
  }
  return InterfaceLanguage::Japanese;
}

bool installInterfaceLanguage(InterfaceLanguage language) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return false;
  const QString name = QString::fromLatin1(kTranslatorName);
  for (QTranslator* old : app->findChildren<QTranslator*>(name, Qt::FindDirectChildrenOnly)) {
    QCoreApplication::removeTranslator(old);
    delete old;
  }
  g_installed = InterfaceLanguage::Japanese;
  if (language == InterfaceLanguage::Japanese) return true;
  auto* translator = new QTranslator(app);
  translator->setObjectName(name);
  if (!translator->load(QStringLiteral(":/i18n/vek_en.qm")) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  g_installed = InterfaceLanguage::English;
  return true;
}

QString englishText(const char* context, const char* sourceText) {
  static const QTranslator* const english = [] {
    auto* translator = new QTranslator;
    if (!translator->load(QStringLiteral(":/i18n/vek_en.qm"))) {
      delete translator;
      return static_cast<QTranslator*>(nullptr);
    }
    return translator;
  }();
  const QString text = english ? english->translate(context, sourceText) : QString();
  return text.isEmpty() ? QString::fromUtf8(sourceText) : text;
}

InterfaceLanguage installedInterfaceLanguage() {
  return g_installed.load(std::memory_order_relaxed);
}

}  // namespace vek
