// Finds the texts of a window that did not pass through translation (with the interface in
// English no caption, tooltip or accessible name holds a Japanese character, so one that does
// names a text that was missed), and keyboard accelerators that a translation made clash.
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStringList>
#include <QTabBar>
#include <QWidget>

namespace vek::test {

// Kana (full and half width), kanji, Japanese punctuation and the full-width forms.
inline bool holdsJapanese(const QString& text) {
  for (const char32_t c : text.toUcs4()) {
    if ((c >= 0x3000 && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF) ||
        (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
        (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF) ||
        (c >= 0x20000 && c <= 0x3FFFF))
      return true;
  }
  return false;
}

namespace detail {

class TextWalk {
 public:
  explicit TextWalk(const QStringList& dataControls) : m_dataControls(dataControls) {}

  void widget(const QWidget* w) {
    const QString who = name(w);
    if (w->isWindow()) check(who, "window title", w->windowTitle());
    check(who, "tooltip", w->toolTip());
    check(who, "what's this", w->whatsThis());
    check(who, "status tip", w->statusTip());
    check(who, "accessible name", w->accessibleName());
    check(who, "accessible description", w->accessibleDescription());
    for (const QAction* action : w->actions()) {
      const QString of = who + u" action " + action->objectName();
      check(of, "text", action->text());
      check(of, "tooltip", action->toolTip());
      check(of, "status tip", action->statusTip());
    }
    // What the person typed or chose (names, patterns, captions for the output) is theirs; the
    // column headers of a list of them are the program's.
    if (isData(w)) {
      if (auto* view = qobject_cast<const QAbstractItemView*>(w); view && !insideCombo(view))
        headers(who, view);
      return;
    }
    if (auto* label = qobject_cast<const QLabel*>(w)) check(who, "text", label->text());
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) check(who, "text", button->text());
    if (auto* group = qobject_cast<const QGroupBox*>(w)) check(who, "title", group->title());
    if (auto* edit = qobject_cast<const QLineEdit*>(w))
      check(who, "placeholder", edit->placeholderText());
    if (auto* text = qobject_cast<const QPlainTextEdit*>(w); text && text->isReadOnly())
      check(who, "text", text->toPlainText());
    if (auto* bar = qobject_cast<const QProgressBar*>(w); bar && bar->isTextVisible())
      check(who, "text", bar->text());
    if (auto* spin = qobject_cast<const QAbstractSpinBox*>(w))
      check(who, "special value", spin->specialValueText());
    if (auto* tabs = qobject_cast<const QTabBar*>(w)) {
      for (int i = 0; i < tabs->count(); ++i) {
        check(who, "tab", tabs->tabText(i));
        check(who, "tab tooltip", tabs->tabToolTip(i));
      }
    }
    if (auto* combo = qobject_cast<const QComboBox*>(w); combo && !combo->isEditable()) {
      for (int i = 0; i < combo->count(); ++i) check(who, "item", combo->itemText(i));
    }
    if (auto* view = qobject_cast<const QAbstractItemView*>(w); view && !insideCombo(view))
      items(who, view);
  }

  QStringList found;

 private:
  bool isData(const QWidget* w) const {
    for (const QWidget* up = w; up; up = up->parentWidget()) {
      if (m_dataControls.contains(up->objectName())) return true;
      if (up->isWindow()) break;
    }
    return false;
  }

  static bool insideCombo(const QWidget* w) {
    for (const QWidget* up = w->parentWidget(); up; up = up->parentWidget())
      if (qobject_cast<const QComboBox*>(up)) return true;
    return false;
  }

  void headers(const QString& who, const QAbstractItemView* view) {
    const QAbstractItemModel* model = view->model();
    if (!model) return;
    for (int c = 0; c < model->columnCount(); ++c) {
      check(who, "header", model->headerData(c, Qt::Horizontal).toString());
      check(who, "header tooltip",
            model->headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString());
    }
  }

  void items(const QString& who, const QAbstractItemView* view) {
    headers(who, view);
    const QAbstractItemModel* model = view->model();
    if (!model) return;
    for (int r = 0; r < model->rowCount(); ++r) {
      for (int c = 0; c < model->columnCount(); ++c) {
        const QModelIndex index = model->index(r, c);
        check(who, "item", index.data(Qt::DisplayRole).toString());
        check(who, "item tooltip", index.data(Qt::ToolTipRole).toString());
      }
    }
  }

  static QString name(const QWidget* w) {
    const QString own = w->objectName().isEmpty() ? QStringLiteral("(unnamed)") : w->objectName();
    return own + u" (" + QString::fromLatin1(w->metaObject()->className()) + u')';
  }

  void check(const QString& who, const char* what, const QString& text) {
    if (holdsJapanese(text)) found.append(who + u' ' + QString::fromLatin1(what) + u": " + text);
  }

  QStringList m_dataControls;
};

}  // namespace detail

// Every window title, caption, item, tooltip and accessible name or description of the window
// and all its children, shown or hidden, that holds a Japanese character, each as
// "objectName (class) what: text". The contents of the controls named in dataControls (and of
// editable boxes) are the person's data and left out; their tooltips and names are not.
inline QStringList japaneseTexts(const QWidget* window, const QStringList& dataControls = {}) {
  detail::TextWalk walk(dataControls);
  walk.widget(window);
  for (const QWidget* w : window->findChildren<QWidget*>()) walk.widget(w);
  return walk.found;
}

// The letter of a caption's keyboard accelerator ("&File" gives 'f'; "&&" is a plain "&"), or
// a null character when it has none.
inline QChar acceleratorOf(const QString& caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != u'&') continue;
    if (caption[i + 1] == u'&') {
      ++i;
      continue;
    }
    return caption[i + 1].toLower();
  }
  return QChar();
}

// Accelerators that two controls of the window (its buttons, the labels of controls, group boxes,
// tabs and the menu bar's menus), or two items of one menu, share: each as
// "Alt+x: caption, caption". Dialogs that are windows of their own are left to their own check.
inline QStringList acceleratorClashes(const QWidget* window) {
  QStringList clashes;
  auto report = [&clashes](const QMap<QChar, QStringList>& group) {
    for (auto it = group.begin(); it != group.end(); ++it) {
      if (it.value().size() > 1)
        clashes.append(u"Alt+" + QString(it.key()) + u": " + it.value().join(QStringLiteral(", ")));
    }
  };
  QMap<QChar, QStringList> own;
  auto add = [](QMap<QChar, QStringList>& group, const QString& caption) {
    if (const QChar key = acceleratorOf(caption); !key.isNull()) group[key].append(caption);
  };
  for (const QWidget* w : window->findChildren<QWidget*>()) {
    if (w->window() != window) continue;
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) add(own, button->text());
    if (auto* label = qobject_cast<const QLabel*>(w); label && label->buddy())
      add(own, label->text());
    if (auto* group = qobject_cast<const QGroupBox*>(w)) add(own, group->title());
    if (auto* tabs = qobject_cast<const QTabBar*>(w)) {
      for (int i = 0; i < tabs->count(); ++i) add(own, tabs->tabText(i));
    }
    if (auto* bar = qobject_cast<const QMenuBar*>(w)) {
      for (const QAction* action : bar->actions()) add(own, action->text());
    }
  }
  report(own);
  for (const QMenu* menu : window->findChildren<QMenu*>()) {
    QMap<QChar, QStringList> items;
    for (const QAction* action : menu->actions()) add(items, action->text());
    report(items);
  }
  return clashes;
}

}  // namespace vek::test
