#pragma once
#include "common/MessageSink.h"
#include "support/ScriptedDesktop.h"

#include <QString>
#include <Qt>
#include <functional>
#include <string>

class QAbstractButton;
class QWidget;

inline namespace zz {

class StringGrid;

// The button below `root` whose text (without '&') is `text`; fails the test when absent.
QAbstractButton* Button(QWidget* root, const QString& text);

// The widget below `root` whose accessible name is `name`, of type T; null when absent.
QWidget* ByAccessibleName(QWidget* root, const QString& name);
template <typename T>
T* Find(QWidget* root, const QString& accessibleName)
{
    return qobject_cast<T*>(ByAccessibleName(root, accessibleName));
}

// Types into a grid cell as a person would: moves the cursor there, types (which opens the
// cell's editor) and presses Enter, which stores the text and moves to the next cell. An empty
// text presses Delete, which empties the cell.
void TypeIntoCell(StringGrid* grid, int column, int row, const QString& text);

// Shows the window as its button would, without a modal loop, and delivers the events its
// showing posted. A window already shown stays as it is; ShowAgain hides it first, so that
// it is shown afresh.
void Show(QWidget* window);
void ShowAgain(QWidget* window);
// Shows the window and waits until it is the active window, so that keys go where its focus is.
void ShowActive(QWidget* window);
// Shows the window active, runs `act` on it and hides it again.
void WhileShown(QWidget* window, const std::function<void(QWidget* shown)>& act);
// The widget that has the keyboard focus: the focused widget of the active window.
QWidget* Focused();
// Presses a key on the focused widget, as the keyboard does.
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Types the text key by key on whatever widget has the focus at each key (typing on a grid
// opens its cell editor, which takes the next keys).
void Type(const QString& text);

// Runs `whileOpen` as soon as a modal window is open and returns after `open` (which shows
// it with exec) has returned. `whileOpen` receives the modal window and must close it.
void WhileModal(const std::function<void()>& open, const std::function<void(QWidget* modal)>& whileOpen);

} // namespace zz
