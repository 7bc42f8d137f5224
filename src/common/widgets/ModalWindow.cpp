#include "common/widgets/ModalWindow.h"

#include "common/ErrorBoundary.h"
#include "common/MessageSink.h"

#include <QLabel>
#include <QShowEvent>

ModalWindow::ModalWindow(QWidget* parent) : QDialog(parent)
{
    setModal(true);
}

void ModalWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
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
