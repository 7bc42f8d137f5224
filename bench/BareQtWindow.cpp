// bare_qt_window: a Qt window with one label and nothing else, the floor the application's
// start-up is measured against.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QLabel label("Hello");
    label.show();
    return application.exec();
}
