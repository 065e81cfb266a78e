// The one small interface through which the core talks to a person: messages, yes/no
// questions, the progress window and the cancel flag. The window implements it with message
// boxes and the progress window; the batch run on standard error; tests record what was said.
#pragma once

#include "core/messages/Message.h"

namespace vek {

// What the person chose in an error box shown during an add.
enum class FailureAnswer {
  Continue,  // OK: the add goes on
  StopAdd,   // the add stops; the rows added so far stay
  Quiet,     // the add goes on and shows no further error boxes; they are counted instead
};

class Interaction {
 public:
  virtual ~Interaction() = default;

  virtual void showMessage(const Message& message) = 0;
  // True for "yes" (or OK).
  virtual bool askYesNo(const Message& question) = 0;
  // A failure met during an add (a file whose information cannot be read). Where a person
  // can answer, the box also offers to stop the add or to show no further boxes for it, so a
  // tree full of unreadable files cannot hold them in a chain of boxes.
  virtual FailureAnswer reportAddFailure(const Message& message) {
    showMessage(message);
    return FailureAnswer::Continue;
  }

  // bar == -1 hides the bar. showProgress opens the progress display (disabling the owner
  // window), updateProgress only changes its texts and bar, closeProgress hides it.
  virtual void showProgress(const QString& caption, const QString& info, const QString& detail,
                            qint64 bar, qint64 barMaximum) = 0;
  virtual void updateProgress(const QString& caption, const QString& info, const QString& detail,
                              qint64 bar) = 0;
  virtual void closeProgress() = 0;

  // Polled before each folder's files are added, between the batches (up to 1,024 files) of
  // one folder, and after each folder a subtree search finds; true once the person asked to
  // stop.
  virtual bool cancelRequested() = 0;
  // Forgets an earlier request to stop. Called when a subtree add (or a drop) starts, so that
  // the Cancel of one operation does not stop the next.
  virtual void clearCancelRequested() {}
  // Something the list should cover was left out or written cut: a folder or file under the
  // input folder that could not be read, a digest that could not be made, a cell cut to fit.
  // The work goes on; whoever drives it names each one at its end (the batch run on standard
  // error with exit status 5, the window in the notice that ends the add or export). path is
  // the file or folder as the list names it; reason is the system's own words.
  virtual void reportIncomplete(const QString& path, const QString& reason) {
    (void)path;
    (void)reason;
  }
};

}  // namespace vek
