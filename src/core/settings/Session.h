// The state one run of the program shares between its parts: the batch flag and the two steps it
// switches, the writers' save question, the opening of a written file and of the manual. The
// window fills in how it asks and opens; a batch run asks nothing and opens nothing.
#pragma once

#include <functional>
#include <optional>

#include <QString>

namespace vek {

class Session {
 public:
  // Shows the save question for `filter` (e.g. "CSVﾌｧｲﾙ|*.csv"); returns the chosen file, or
  // nothing when the person cancelled.
  using SaveQuestion = std::function<std::optional<QString>(const QString& filter)>;
  using Opener = std::function<void(const QString& path)>;

  bool batchMode() const { return m_batchMode; }
  // Set once, as the first step of a batch run; the program ends after it, so it is never cleared.
  void setBatchMode() { m_batchMode = true; }

  void setSaveQuestion(SaveQuestion question) { m_saveQuestion = std::move(question); }
  void setOpener(Opener opener) { m_opener = std::move(opener); }

  // Asks where to save. Returns the file to write (the one the person chose, or in batch mode
  // at once `runPath`, the path the run decided, replacing an existing file); returns nothing
  // when the person cancelled or there is no way to ask: the writer must then stop without
  // writing.
  std::optional<QString> confirmSave(const QString& filter, const QString& runPath = {}) const {
    if (m_batchMode) return runPath;
    if (!m_saveQuestion) return std::nullopt;
    return m_saveQuestion(filter);
  }

  // Opens a file or address with its associated application; does nothing in batch mode.
  void openWithAssociatedApp(const QString& path) const {
    if (m_batchMode || !m_opener) return;
    m_opener(path);
  }

  // The folder of Vek.ini, where a portable manual is looked for first; unset, the folder the
  // environment names.
  void setProgramFolder(const QString& folder) { m_programFolder = folder; }
  // F1 in every window: opens the local manual readme.htm like a written file. Without a
  // manual installed nothing happens, as a failed "open" is not reported either.
  void openManual() const;

 private:
  bool m_batchMode = false;
  SaveQuestion m_saveQuestion;
  Opener m_opener;
  QString m_programFolder;
};

}  // namespace vek
