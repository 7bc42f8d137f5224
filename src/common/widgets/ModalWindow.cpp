#include "common/widgets/ModalWindow.h"

#include "common/ErrorBoundary.h"
#include "common/MessageSink.h"
#include "common/widgets/Guarded.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>

inline namespace zz {

ModalWindow::ModalWindow(QWidget* parent)
    : QDialog(parent)
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
    NameGroupsByTitle(this);
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

void NameGroupsByTitle(QWidget* root)
{
    QList<QGroupBox*> groups = root->findChildren<QGroupBox*>();
    if (auto* self = qobject_cast<QGroupBox*>(root)) groups.prepend(self);
    // A group named by a label beside it keeps that name.
    static const char* const kNamedByTitle = "namedByTitle";
    for (QGroupBox* group : groups) {
        if (!group->accessibleName().isEmpty() && !group->property(kNamedByTitle).toBool()) continue;
        QString title = group->title();
        title.remove(QLatin1Char('&'));
        group->setAccessibleName(title.trimmed());
        group->setProperty(kNamedByTitle, true);
    }
}

namespace {

class SelectOnFocus : public QObject {
public:
    explicit SelectOnFocus(QAbstractItemView* list)
        : QObject(list),
          list_(list)
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::FocusIn || !list_->selectionModel()) return false;
        // A click chooses its own row.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) return false;
        QItemSelectionModel* selection = list_->selectionModel();
        if (selection->hasSelection() || !list_->model() || list_->model()->rowCount() == 0) return false;
        QModelIndex current = list_->currentIndex();
        if (!current.isValid()) current = list_->model()->index(0, 0);
        selection->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
        return false;
    }

private:
    QAbstractItemView* list_;
};

} // namespace

void SelectCurrentOnFocus(QAbstractItemView* list)
{
    list->installEventFilter(new SelectOnFocus(list));
}

QHBoxLayout* OkCancelBar(QDialog* window, QPushButton*& ok, QPushButton*& cancel, std::function<bool()> accept)
{
    ok = new QPushButton(QStringLiteral("OK"));
    cancel = new QPushButton(QStringLiteral("Cancel"));
    auto* bar = new QHBoxLayout;
    bar->addStretch();
    bar->addWidget(ok);
    bar->addWidget(cancel);
    OnAccept(ok, window, std::move(accept));
    QObject::connect(cancel, &QPushButton::clicked, window, &QDialog::reject);
    return bar;
}

} // namespace zz
