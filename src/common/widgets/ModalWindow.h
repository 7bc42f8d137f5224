#pragma once
#include <QDialog>

#include <functional>

class QAbstractItemView;
class QHBoxLayout;
class QPushButton;
class QLabel;
class QString;

inline namespace zz {

// The base of every window the application shows modally. A window is created once at start
// and shown as often as asked; each showing runs FormShow behind the error boundary, as soon
// as the window is on screen, so a window reloads its data every time and a failed load
// leaves it open with what it had read.
class ModalWindow : public QDialog {
    Q_OBJECT
public:
    explicit ModalWindow(QWidget* parent = nullptr);

    void setVisible(bool visible) override;

    // True when the last showing could not read its document to the end.
    bool LoadIncomplete() const { return loadIncomplete_; }

protected:
    // Fills the window; runs at every showing. A failure thrown out of it marks the load
    // incomplete.
    virtual void FormShow() {}

    // For windows that catch their own read failures and show their own message.
    void MarkLoadIncomplete() { loadIncomplete_ = true; }

    // Before a save: after an incomplete load the window holds only part of the document, and
    // saving would replace the whole file with that part. Asks the engineer first; true when
    // the save may go on.
    bool ConfirmSaveAfterIncompleteLoad();

private:
    bool loadIncomplete_ = false;
};

// Makes `label` the visible name of `field`: its buddy (Alt+letter focuses the field) and the
// field's accessible name, so screen readers and desktop test drivers find it by that text.
void LabelFor(QLabel* label, QWidget* field);

// Gives a control an accessible name where no label stands beside it.
void NameFor(QWidget* field, const QString& name);

// Names every group box at or below `root` by its own title (call again after a title
// changes), so a group nested in another is announced by its own caption. A group already
// named by a label beside it keeps that name.
void NameGroupsByTitle(QWidget* root);

// A list whose current row has no selection (as Qt leaves one that gets the focus) selects
// that row when it gets the focus from the keyboard or as the window opens, so the row shown
// as current is the chosen one and Up and Down move from it. A click chooses its own row.
void SelectCurrentOnFocus(QAbstractItemView* list);

// The bar of a window closed by "OK" and "Cancel", both at its right end: OK closes with the OK
// result through OnAccept and `accept`, Cancel discards. The buttons take their parent from the
// layout the bar goes into.
QHBoxLayout* OkCancelBar(QDialog* window, QPushButton*& ok, QPushButton*& cancel, std::function<bool()> accept);

} // namespace zz
