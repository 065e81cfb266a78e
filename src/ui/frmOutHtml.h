// The HTML export dialog: the page title, the five colours, links on file names, the column
// group and the repeated header row.
#pragma once

#include <array>
#include <functional>
#include <optional>

#include <QColor>

#include "ui/WriterDialog.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vek {

class ColourLabel;
class framJoho;
class framPrefix;
class framTotals;
class frmHeadIns;

class frmOutHtml : public WriterDialog {
  Q_OBJECT
 public:
  // Asks for a colour starting from initial; nullopt when the person cancelled.
  using ColourChooser =
      std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

  frmOutHtml(Settings& settings, const FileList& list, const Session& session,
             Interaction& interaction, QWidget* parent = nullptr);

  void create();
  // Replaces the colour dialog (tests answer it themselves).
  void setColourChooser(ColourChooser chooser) { m_chooseColour = std::move(chooser); }

 protected:
  void storeOptions(Settings& settings) const override;
  const ColumnOptions& columnsOf(const Settings& settings) const override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum ColourIndex { FontSample, Back, HeadColor, TableColorA, TableColorB, ColourCount };

  void load();
  void chooseColour(ColourLabel* label);

  framJoho* m_framJoho;
  framTotals* m_framTotals;
  framPrefix* m_framPrefix;
  frmHeadIns* m_frmHeadIns;
  QLineEdit* m_txtTitle;
  std::array<ColourLabel*, ColourCount> m_colours{};
  QCheckBox* m_chkLink;
  QPushButton* m_cmdHtmlCreate;
  QPushButton* m_cmdCancel;
  ColourChooser m_chooseColour;
};

}  // namespace vek
