#pragma once
#include "common/widgets/ModalWindow.h"

class QLabel;
class QPushButton;
class QPixmap;

inline namespace zz {

// "About...": what the software is, its codes and version, and the link to the maker's page.
class TFAbout : public ModalWindow {
    Q_OBJECT
public:
    explicit TFAbout(QWidget* parent = nullptr);

    QLabel *Label1, *Label2, *Label6, *Label9, *Label3, *Label10, *Label8, *Label12;
    QLabel *Image2, *Label4, *Label5;
    QPushButton* LbButton1;

    void Label4Click();
    void Label5Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The about window's picture: the gateway between its two buses, drawn at any size.
QPixmap GatewayPicture(int size);

} // namespace zz
