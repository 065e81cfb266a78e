// WindowDialogs that record what the window asked and answer from a script, so window tests
// never wait in a modal loop.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/WindowDialogs.h"

namespace vek::test {

class ScriptedDialogs : public WindowDialogs {
 public:
  void showMessage(QWidget*, const Message& message) override {
    messages.push_back(message);
    if (onMessage) onMessage(message);
  }
  bool askYesNo(QWidget*, const Message& question) override {
    questions.push_back(question);
    return yes;
  }
  FailureAnswer askAddFailure(QWidget*, const Message& message) override {
    messages.push_back(message);
    if (onMessage) onMessage(message);
    return failureAnswer;
  }
  void showIncomplete(QWidget*, const Message& notice, const QString& wholeList) override {
    notices.push_back(notice);
    wholeLists.push_back(wholeList);
  }
  bool askOkCancel(QWidget*, const Message& question) override {
    questions.push_back(question);
    return ok;
  }
  std::optional<QString> chooseFolder(QWidget*, const QString& title, const QString&) override {
    titles.push_back(title);
    return next(folders);
  }
  std::optional<QString> askText(QWidget*, const QString& title, const QString& prompt) override {
    titles.push_back(title);
    prompts.push_back(prompt);
    return next(texts);
  }
  std::optional<QString> chooseSaveFile(QWidget*, const QString& filter,
                                        const QString& initialFolder,
                                        const QString& offeredName) override {
    filters.push_back(filter);
    initialFolders.push_back(initialFolder);
    offeredNames.push_back(offeredName);
    return next(saveFiles);
  }
  std::optional<QString> chooseOpenFile(QWidget*, const QString& title, const QString& filter,
                                        const QString&) override {
    titles.push_back(title);
    filters.push_back(filter);
    return next(openFiles);
  }
  void openUrl(const QUrl& url) override { opened.push_back(url); }
  void beep() override { ++beeps; }

  std::vector<Message> messages;
  std::vector<Message> questions;
  // The notices of what an add or export could not read, and the lists their copy button copies.
  std::vector<Message> notices;
  std::vector<QString> wholeLists;
  std::vector<QString> titles, prompts, filters, initialFolders, offeredNames;
  std::vector<QUrl> opened;
  int beeps = 0;
  bool yes = true;
  bool ok = true;
  FailureAnswer failureAnswer = FailureAnswer::Continue;
  // Answers, taken from the front; an empty queue answers "cancelled".
  std::deque<std::optional<QString>> folders, texts, saveFiles, openFiles;
  std::function<void(const Message&)> onMessage;

 private:
  static std::optional<QString> next(std::deque<std::optional<QString>>& queue) {
    if (queue.empty()) return std::nullopt;
    std::optional<QString> answer;
    answer.swap(queue.front());
    queue.pop_front();
    return answer;
  }
};

}  // namespace vek::test
