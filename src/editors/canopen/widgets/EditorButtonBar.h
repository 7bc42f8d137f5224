#pragma once
#include <functional>

class QDialog;
class QHBoxLayout;
class QPushButton;

// The bar under the pages of every CANopen editor: "OK" and "Cancel" on the left, "Export"
// and "Import" on the right.
struct EditorButtonBar {
    QPushButton* ok;
    QPushButton* cancel;
    QPushButton* exportButton;
    QPushButton* importButton;
    QHBoxLayout* layout;
};

// Makes the bar of `window` and connects it behind the error boundary: OK closes with the OK
// result only when `ok` returned true, Cancel discards, Export and Import run their handlers.
// No button is a default button, so Enter in an edit field presses none of them.
EditorButtonBar MakeEditorButtonBar(QDialog* window, std::function<bool()> ok, std::function<void()> exportLines,
                                    std::function<void()> importSheet);
