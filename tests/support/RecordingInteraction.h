// An Interaction that records what the core said and answers questions as told.
#pragma once

#include <vector>

#include "core/messages/Interaction.h"

namespace vek::test {

class RecordingInteraction : public Interaction {
 public:
  struct Progress {
    QString caption, info, detail;
    qint64 bar;
  };

  void showMessage(const Message& message) override { messages.push_back(message); }
  bool askYesNo(const Message& question) override {
    questions.push_back(question);
    return nextAnswer;
  }
  void showProgress(const QString& caption, const QString& info, const QString& detail, qint64 bar,
                    qint64 barMaximum) override {
    progressOpen = true;
    lastBarMaximum = barMaximum;
    progress.push_back({caption, info, detail, bar});
  }
  void updateProgress(const QString& caption, const QString& info, const QString& detail,
                      qint64 bar) override {
    progress.push_back({caption, info, detail, bar});
    if (cancelAfterUpdates >= 0 && --cancelAfterUpdates < 0) cancel = true;
    if (!cancelAtDetail.isEmpty() && detail == cancelAtDetail) cancel = true;
  }
  void closeProgress() override {
    progressOpen = false;
    ++closeCount;
  }
  bool cancelRequested() override { return cancel; }
  void clearCancelRequested() override { cancel = false; }

  std::vector<Message> messages;
  std::vector<Message> questions;
  std::vector<Progress> progress;
  bool nextAnswer = true;
  bool cancel = false;
  int cancelAfterUpdates = -1;  // sets cancel after this many more updates
  QString cancelAtDetail;       // sets cancel at the update showing this detail
  bool progressOpen = false;
  qint64 lastBarMaximum = 0;
  int closeCount = 0;
};

}  // namespace vek::test
