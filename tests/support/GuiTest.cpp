#include "support/GuiTest.h"

#include "common/widgets/StringGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

inline namespace zz {

QAbstractButton* Button(QWidget* root, const QString& text)
{
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        QString caption = button->text();
        caption.remove(QLatin1Char('&'));
        if (caption == text) return button;
    }
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}

QWidget* ByAccessibleName(QWidget* root, const QString& name)
{
    for (QWidget* widget : root->findChildren<QWidget*>())
        if (widget->accessibleName() == name) return widget;
    return nullptr;
}

namespace {

// Runs `whileOpen` once the first modal window shown after it was made is active: keys go to
// the focused widget, which the window gets only then. The call is queued, so that it runs
// inside the modal window's own event loop once the activation is through.
class ModalActivation : public QObject {
public:
    explicit ModalActivation(const std::function<void(QWidget* modal)>& whileOpen)
        : whileOpen_(whileOpen)
    {
        qApp->installEventFilter(this);
    }
    // Whether `whileOpen` ran: a window that closes before its turn comes counts as not shown.
    bool Ran() const { return ran_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!seen_ && event->type() == QEvent::WindowActivate) {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && watched == modal && modal->isActiveWindow()) {
                seen_ = true;
                QMetaObject::invokeMethod(
                    this,
                    [this, modal] {
                        ran_ = true;
                        whileOpen_(modal);
                    },
                    Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    const std::function<void(QWidget* modal)>& whileOpen_;
    bool seen_ = false;
    bool ran_ = false;
};

} // namespace

void WhileModal(const std::function<void()>& open, const std::function<void(QWidget* modal)>& whileOpen)
{
    ModalActivation activation(whileOpen);
    open();
    EXPECT_TRUE(activation.Ran()) << "no modal window was shown";
}

void TypeIntoCell(StringGrid* grid, int column, int row, const QString& text)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // editors closed before
    grid->MoveCursor(column, row);
    if (text.isEmpty()) {
        QTest::keyClick(grid, Qt::Key_Delete);
        return;
    }
    QTest::keyClicks(grid, text.left(1));
    QLineEdit* editor = grid->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr) << "typing did not open the cell editor";
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
}

void Show(QWidget* window)
{
    window->show();
    QCoreApplication::processEvents();
}

void ShowAgain(QWidget* window)
{
    window->hide();
    Show(window);
}

void ShowActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

void WhileShown(QWidget* window, const std::function<void(QWidget* shown)>& act)
{
    ShowActive(window);
    act(window);
    window->hide();
}

QWidget* Focused()
{
    if (QWidget* focus = QApplication::focusWidget()) return focus;
    QWidget* active = QApplication::activeWindow();
    return active ? active->focusWidget() : nullptr;
}

void Press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* focus = Focused();
    ASSERT_NE(focus, nullptr) << "no widget has the focus";
    QTest::keyClick(focus, key, modifiers);
}

void Type(const QString& text)
{
    for (const QChar c : text) {
        QWidget* focus = Focused();
        ASSERT_NE(focus, nullptr) << "no widget has the focus";
        QTest::keyClicks(focus, QString(c));
    }
}

} // namespace zz
