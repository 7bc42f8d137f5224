#include "common/widgets/ModalWindow.h"

#include "common/ErrorBoundary.h"

#include <QLabel>
#include <QShowEvent>

ModalWindow::ModalWindow(QWidget* parent) : QDialog(parent)
{
    setModal(true);
}

void ModalWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) RunGuarded([this] { FormShow(); });
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
