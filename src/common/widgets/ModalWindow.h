#pragma once
#include <QDialog>

class QLabel;
class QString;

// The base of every window the application shows modally. A window is created once at start
// and shown as often as asked; each showing runs FormShow behind the error boundary, so a
// window reloads its data every time and a failed load leaves it open with what it had read.
class ModalWindow : public QDialog {
    Q_OBJECT
public:
    explicit ModalWindow(QWidget* parent = nullptr);

protected:
    // Fills the window; runs at every showing.
    virtual void FormShow() {}
    void showEvent(QShowEvent* event) override;
};

// Makes `label` the visible name of `field`: its buddy (Alt+letter focuses the field) and the
// field's accessible name, so screen readers and desktop test drivers find it by that text.
void LabelFor(QLabel* label, QWidget* field);

// Gives a control an accessible name where no label stands beside it.
void NameFor(QWidget* field, const QString& name);
