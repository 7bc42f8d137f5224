#pragma once
#include <functional>

class QAbstractButton;
class QDialog;

inline namespace zz {

// Connects a button's click to a handler that runs behind the error boundary.
void OnClick(QAbstractButton* button, std::function<void()> handler);

// Connects the button that closes `window` with the OK result: the window closes only when the
// handler completed without an unhandled failure and returned true (every check passed and
// the document was saved); otherwise it stays open with what was typed.
void OnAccept(QAbstractButton* button, QDialog* window, std::function<bool()> handler);

} // namespace zz
