// The state one run of the program shares between its parts: the batch flag and the two steps it
// switches, the writers' save question and the opening of a written file. The window fills in
// how it asks and opens; a batch run asks nothing and opens nothing.
#pragma once

#include <functional>

#include <QString>

namespace vek {

class Session {
 public:
  // Shows the save question for `filter` (e.g. "CSVﾌｧｲﾙ|*.csv"); returns true when the person
  // cancelled, otherwise leaves the chosen file in `path`.
  using SaveQuestion = std::function<bool(const QString& filter, QString& path)>;
  using Opener = std::function<void(const QString& path)>;

  bool batchMode() const { return m_batchMode; }
  // Set once, as the first step of a batch run; the program ends after it, so it is never cleared.
  void setBatchMode() { m_batchMode = true; }

  void setSaveQuestion(SaveQuestion question) { m_saveQuestion = std::move(question); }
  void setOpener(Opener opener) { m_opener = std::move(opener); }

  // Asks where to save. Returns true when the person cancelled: the writer must then stop
  // without writing. Returns false when the writer goes on and writes to `path` (the file the
  // person chose, or in batch mode at once the path the run put there, replacing an existing
  // file).
  bool confirmSave(const QString& filter, QString& path) const {
    if (m_batchMode) return false;
    return m_saveQuestion ? m_saveQuestion(filter, path) : true;
  }

  // Opens a file or address with its associated application; does nothing in batch mode.
  void openWithAssociatedApp(const QString& path) const {
    if (m_batchMode || !m_opener) return;
    m_opener(path);
  }

 private:
  bool m_batchMode = false;
  SaveQuestion m_saveQuestion;
  Opener m_opener;
};

}  // namespace vek
