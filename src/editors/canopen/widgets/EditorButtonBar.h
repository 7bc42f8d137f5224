#pragma once
#include <functional>

class QDialog;
class QPushButton;
class QWidget;

// The bar under the pages of every CANopen editor: "OK" and "Cancel" on the left, "Export"
// and "Import" on the right. Where a window keeps its buttons, under their usual names:
struct EditorButtonFields {
    QPushButton** ok;           // BitBtn1
    QPushButton** cancel;       // BitBtn2
    QPushButton** exportButton; // Button1
    QPushButton** importButton; // BitBtn4
};

// Lays out a CANopen editor: `pages` above the bar, the pages taking the room the window
// gains; the buttons go into the window's fields. The bar is connected behind the error
// boundary: OK closes with the OK result only when `ok` returned true, Cancel discards, Export
// and Import run their handlers. No button is a default button, so Enter in an edit field
// presses none of them.
void AddEditorButtonBar(QDialog* window, QWidget* pages, EditorButtonFields fields, std::function<bool()> ok,
                        std::function<void()> exportLines, std::function<void()> importSheet);
