#include "common/widgets/QtMessageSink.h"

#include "common/widgets/QtText.h"

#include <QApplication>
#include <QMessageBox>

inline namespace zz {

namespace {

QWidget* Owner()
{
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

void Show(QMessageBox::Icon icon, const QString& title, std::string_view text)
{
    QMessageBox box(icon, title, Q(text), QMessageBox::Ok, Owner());
    box.exec();
}

} // namespace

void QtMessageSink::Notice(std::string_view text)
{
    Show(QMessageBox::NoIcon, Q(kApplicationTitle), text);
}

void QtMessageSink::Error(std::string_view text)
{
    Show(QMessageBox::Critical, QStringLiteral("Error"), text);
}

bool QtMessageSink::Ask(std::string_view caption, std::string_view text)
{
    QMessageBox box(QMessageBox::Question, Q(caption), Q(text), QMessageBox::Yes | QMessageBox::No, Owner());
    return box.exec() == QMessageBox::Yes;
}

void QtMessageSink::ApplicationError(std::string_view text)
{
    Show(QMessageBox::Critical, Q(kApplicationTitle), ApplicationErrorText(text));
}

} // namespace zz
