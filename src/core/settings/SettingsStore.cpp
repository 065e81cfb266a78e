#include "core/settings/SettingsStore.h"
#include "core/messages/MessageCatalogue.h"

#include <sys/stat.h>

#include <QCoreApplication>

#include "core/messages/Interaction.h"
#include "core/platform/FileNameBytes.h"
#include "core/settings/SettingsFile.h"

namespace vek {

SettingsStore::SettingsStore(QString iniPath, Interaction& interaction)
    : m_path(std::move(iniPath)), m_interaction(interaction) {}

bool SettingsStore::load(Settings& settings, WindowState& window, const QString& fallbackFolder) {
  // Whether there was a file decides what a failure means: one that could not be read must be
  // left alone, one that could not be created may simply be missing at the end as well.
  // A link counts as a file: what it leads to is written through it.
  struct stat st {};
  const bool existed = ::lstat(encodeFileName(m_path).constData(), &st) == 0;
  QString error;
  if (loadSettings(m_path, settings, window, fallbackFolder, &error)) {
    m_outcome = existed ? Outcome::Read : Outcome::Created;
    return true;
  }
  m_outcome = existed ? Outcome::NotRead : Outcome::NotCreated;
  report(error);
  return false;
}

bool SettingsStore::save(const Settings& settings, const WindowState& window,
                         const QString& fallbackFolder) {
  // The failure at start was told once; the file is left as it is.
  if (!mayWrite()) return false;
  QString error;
  if (saveSettings(m_path, settings, window, fallbackFolder, &error)) return true;
  report(error);
  return false;
}

void SettingsStore::report(const QString& error) {
  if (m_reported) return;
  m_reported = true;
  m_interaction.showMessage(MessageCatalogue::warning(
      {QCoreApplication::translate("SettingsStore", "設定ファイルを読み書きできません。"), error}));
}

}  // namespace vek
