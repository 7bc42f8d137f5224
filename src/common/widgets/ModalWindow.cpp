#include "common/widgets/ModalWindow.h"

#include "common/ErrorBoundary.h"
#include "common/MessageSink.h"

#include <QLabel>

ModalWindow::ModalWindow(QWidget* parent) : QDialog(parent)
{
    setModal(true);
}

void ModalWindow::setVisible(bool visible)
{
    const bool showing = visible && !isVisible();
    QDialog::setVisible(visible);
    if (!showing) return;
    // FormShow runs once the window is on screen: a message it shows then stands over the
    // window, and the window keeps the size its layout gave it.
    loadIncomplete_ = false;
    if (!RunGuarded([this] { FormShow(); })) loadIncomplete_ = true;
}

bool ModalWindow::ConfirmSaveAfterIncompleteLoad()
{
    if (!loadIncomplete_) return true;
    return Messages().Ask(windowTitle().toStdString(),
                          "The document could not be read to the end, so this window shows only part of it. "
                          "Saving now replaces the whole file with what the window shows. Save anyway?");
}

void LabelFor(QLabel* label, QWidget* field)
{
    label->setBuddy(field);
    QString name = label->text();
    name.remove(QLatin1Char('&'));
    field->setAccessibleName(name.trimmed());
}

void NameFor(QWidget* field, const QString& name)
{
    field->setAccessibleName(name);
}
