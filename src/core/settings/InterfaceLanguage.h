// The language of the interface: Japanese (the texts as written in the code) or English (the
// translation built into the program). VEK_LANG=ja|en decides; without it the desktop's locale
// does: English when it names a language other than Japanese.
#pragma once

#include <optional>

#include <QLocale>
#include <QString>

namespace vek {

enum class InterfaceLanguage { Japanese, English };

// What the choice depends on; tests fill it themselves.
struct LanguageInputs {
  QString vekLang;     // $VEK_LANG
  QString lcAll;       // $LC_ALL
  QString lcMessages;  // $LC_MESSAGES
  QString lang;        // $LANG
  static LanguageInputs environment();
};

// VEK_LANG when it names ja or en (case and a region or encoding after it do not matter; any
// other value is passed over); else the first of LC_ALL, LC_MESSAGES and LANG that is set and
// not empty: English when its language is set and is not "ja"; Japanese for "ja", for C and
// POSIX (no language chosen) and when none is set.
InterfaceLanguage chooseInterfaceLanguage(const LanguageInputs& inputs);

// The locale QLocale's default should become so that what it gives (file-type descriptions,
// month and day names, date formats) speaks the interface's language: ja_JP or en_US when
// VEK_LANG chose a language other than the one the locale alone gives; none otherwise, and
// QLocale stays as the locale set it (VEK_LANG=ja under C keeps the bytes a run under C always
// wrote).
std::optional<QLocale> localeToFollow(const LanguageInputs& inputs);

// Makes QCoreApplication::translate and tr() answer in the language for the rest of the run:
// English installs the translation built into the program, Japanese removes it again. Needs a
// QCoreApplication; false when there is none or the translation could not be loaded (the texts
// then stay Japanese).
bool installInterfaceLanguage(InterfaceLanguage language);

// A text's English, whichever language is installed (the source text when the translation has
// none): for reading back what a run in English wrote.
QString englishText(const char* context, const char* sourceText);

// The language installInterfaceLanguage last made the texts answer in (Japanese before any).
InterfaceLanguage installedInterfaceLanguage();

}  // namespace vek
