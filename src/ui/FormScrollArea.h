// A scroll area for the fields of a dialog that may be taller than a small screen. It asks for
// the whole size of its form, so that where the screen has room the form shows as it is, with
// no scroll bar; where the dialog had to be made lower, the form scrolls, the control that takes
// the keyboard focus is scrolled into view, and the wheel scrolls the form rather than turning
// a choice the pointer happens to pass.
#pragma once

#include <QScrollArea>

namespace vek {

class FormScrollArea : public QScrollArea {
  Q_OBJECT
 public:
  // Takes the form (a widget with a layout) and shows it at the area's width.
  explicit FormScrollArea(QWidget* form, QWidget* parent = nullptr);

  // The form's width, and its whole height at the least: a form of frames and boxes gains
  // nothing from more.
  QSize sizeHint() const override;
  // The form's width (beside the scroll bar while it scrolls), and a few lines of its height.
  QSize minimumSizeHint() const override;
  // The height that shows the whole form.
  int wholeHeight() const;
  // The width of the scroll bar, which a dialog adds to its own when it makes the form scroll.
  int scrollBarWidth() const;
  bool scrolls() const;
  // Whether the form scrolls, for its least width, which then makes room for the bar. The area
  // follows its scroll bar by itself; a window that sizes itself to the screen says it first.
  void setScrolling(bool scrolling);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void watchChoices();
  void showFocused(QWidget* focused);

  bool m_scrolling = false;
};

}  // namespace vek
