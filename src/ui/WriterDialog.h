// What the three writer dialogs share: the settings, list, session and interaction they work
// with, the create steps around the writer (column check, save question, the digests read
// beside the event loop under a progress window of the dialog's own, busy pointer, opening the
// written file, closing) and the unload that stores the options on every way out.
#pragma once

#include <functional>
#include <memory>

#include <QDialog>

#include "core/list/FileList.h"
#include "core/messages/Interaction.h"
#include "core/settings/Session.h"
#include "core/settings/Settings.h"
#include "writers/ListDelivery.h"

class QLayout;
class QPushButton;

namespace vek {

class BackgroundHashes;
class frmInfo;

class WriterDialog : public QDialog {
  Q_OBJECT
 public:
  WriterDialog(Settings& settings, const FileList& list, const Session& session,
               Interaction& interaction, QWidget* parent);
  ~WriterDialog() override;

  // The progress window shown while the digests are read: the dialog's own, over it; nullptr
  // before the first.
  frmInfo* progressWindow() const { return m_progress; }
  // True while the digests of a create are read.
  bool readingDigests() const;

  // Closing the dialog in any way (create, Cancel, Esc, the close box) stores its options.
  void done(int result) override;

 protected:
  // Copies the dialog's controls into settings: the working copy a create writes with, and
  // Settings itself when the dialog closes.
  virtual void storeOptions(Settings& settings) const = 0;
  // This writer's column options within settings.
  virtual const ColumnOptions& columnsOf(const Settings& settings) const = 0;
  // What else the unload does besides storing the options (the separator history).
  virtual void storeOnClose() {}

  // What writes the list: the path chosen, the options as the controls show them, and the
  // digests when the options ask for some (read already; nullptr otherwise).
  using ListWrite =
      std::function<bool(const QString& path, const Settings& working, const ListDigests* digests)>;
  // The create steps: refuses when no column is chosen (before any question), asks for the
  // file with filter, reads the digests the options ask for (the dialog waits under its
  // progress window, whose キャンセル stops it and writes nothing), writes with `write` while
  // the button is disabled and the pointer busy, then opens the file when ListOpen is 1 and
  // closes the dialog. A failed write leaves the dialog open with its options; the writer has
  // said what went wrong. The create may end after this returns: write must hold what it
  // needs by value.
  void createList(QPushButton* createButton, const QString& filter, ListWrite write);

  // The キャンセル button every writer dialog has; a click rejects the dialog.
  QPushButton* createCancelButton();
  // The shared arrangement: the column group and the sort note on the left, this writer's own
  // options on the right, the create and Cancel buttons at the bottom right.
  void arrange(QWidget* columnGroup, QLayout* options, QPushButton* createButton,
               QPushButton* cancelButton);

  Settings& m_settings;
  const FileList& m_list;
  const Session& m_session;
  Interaction& m_interaction;

 private:
  struct PendingCreate {
    QPushButton* button = nullptr;
    QString path;
    Settings working;
    ListWrite write;
  };
  void writeList(const PendingCreate& create, const ListDigests* digests);
  void stopReading();

  PendingCreate m_pending;
  std::unique_ptr<BackgroundHashes> m_hashes;
  frmInfo* m_progress = nullptr;
};

}  // namespace vek
