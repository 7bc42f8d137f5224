#include "common/widgets/Guarded.h"

#include "common/ErrorBoundary.h"

#include <QAbstractButton>
#include <QDialog>

inline namespace zz {

void OnClick(QAbstractButton* button, std::function<void()> handler)
{
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [handler = std::move(handler)] { RunGuarded(handler); });
}

void OnAccept(QAbstractButton* button, QDialog* window, std::function<bool()> handler)
{
    QObject::connect(button, &QAbstractButton::clicked, window, [window, handler = std::move(handler)] {
        bool accepted = false;
        if (RunGuarded([&] { accepted = handler(); }) && accepted) window->accept();
    });
}

} // namespace zz
