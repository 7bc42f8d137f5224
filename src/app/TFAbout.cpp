#include "app/TFAbout.h"

#include "app/AboutTexts.h"
#include "common/Desktop.h"
#include "common/ErrorBoundary.h"
#include "common/widgets/Guarded.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

inline namespace zz {

namespace {

QLabel* LinkLabel(const QString& text, QWidget* parent)
{
    auto* label =
        new QLabel(QStringLiteral("<a href=\"#\" style=\"color:#0000ff\">%1</a>").arg(text.toHtmlEscaped()), parent);
    label->setCursor(Qt::PointingHandCursor);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setAccessibleName(text);
    return label;
}

} // namespace

QPixmap GatewayPicture(int size)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = size / 81.0;
    // The two buses as rails, the gateway as a box joining them.
    p.setPen(QPen(QColor(0x2B, 0x6C, 0xB0), 4 * u));
    p.drawLine(QPointF(6 * u, 16 * u), QPointF(75 * u, 16 * u));
    p.setPen(QPen(QColor(0xC0, 0x6A, 0x10), 4 * u));
    p.drawLine(QPointF(6 * u, 65 * u), QPointF(75 * u, 65 * u));
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 2 * u));
    p.drawLine(QPointF(40.5 * u, 16 * u), QPointF(40.5 * u, 26 * u));
    p.drawLine(QPointF(40.5 * u, 55 * u), QPointF(40.5 * u, 65 * u));
    p.setBrush(QColor(0xF8, 0xF7, 0xED));
    p.drawRoundedRect(QRectF(18 * u, 26 * u, 45 * u, 29 * u), 4 * u, 4 * u);
    p.setBrush(QColor(0x2E, 0xA0, 0x4A));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF((28 + 12.5 * i) * u, 40.5 * u), 3 * u, 3 * u);
    return picture;
}

TFAbout::TFAbout(QWidget* parent)
    : ModalWindow(parent),
      Label1(new QLabel(QStringLiteral("Software Zuzududada "), this)),
      Label2(new QLabel(QStringLiteral("Gateway CAN to DeviceNET Slave"), this)),
      Label6(new QLabel(QStringLiteral("Software Code : "), this)),
      Label9(new QLabel(QString::fromLatin1(kSoftwareCode), this)),
      Label3(new QLabel(QStringLiteral("Version :"), this)),
      Label10(new QLabel(QString::fromLatin1(kVersion), this)),
      Label8(new QLabel(QStringLiteral("Document Code :"), this)),
      Label12(new QLabel(QString::fromLatin1(kDocumentCode), this)),
      Image2(new QLabel(this)),
      Label4(LinkLabel(QString::fromLatin1(kMakerWebAddress), this)),
      Label5(LinkLabel(QString::fromLatin1(kMakerSupportMail), this)),
      LbButton1(new QPushButton(QStringLiteral("OK"), this))
{
    setWindowTitle(QStringLiteral("About..."));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QFont big = Label1->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    Label1->setFont(big);
    Image2->setPixmap(GatewayPicture(81));
    Image2->setFixedSize(81, 81);
    Image2->setScaledContents(true);
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->installEventFilter(this);
    Image2->setAccessibleName(QStringLiteral("Gateway picture"));
    Label5->hide();

    auto* grid = new QGridLayout(this);
    grid->addWidget(Image2, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(Label1, 0, 1, 1, 2);
    grid->addWidget(Label2, 1, 1, 1, 2);
    grid->addWidget(Label6, 3, 1);
    grid->addWidget(Label9, 3, 2);
    grid->addWidget(Label3, 4, 1);
    grid->addWidget(Label10, 4, 2);
    grid->addWidget(Label8, 5, 1);
    grid->addWidget(Label12, 5, 2);
    grid->addWidget(Label4, 6, 0, 1, 3);
    grid->addWidget(Label5, 7, 0, 1, 3);
    grid->addWidget(LbButton1, 8, 2, Qt::AlignRight);
    grid->setColumnStretch(2, 1);

    connect(Label4, &QLabel::linkActivated, this, [this] { RunGuarded([this] { Label4Click(); }); });
    connect(Label5, &QLabel::linkActivated, this, [this] { RunGuarded([this] { Label5Click(); }); });
    OnAccept(LbButton1, this, [] { return true; });
    LbButton1->setFocus(); // nothing to type here: Enter or Space closes
}

void TFAbout::Label4Click()
{
    DesktopServices().OpenLink(kMakerWebAddress);
}

void TFAbout::Label5Click()
{
    DesktopServices().OpenLink(std::string("mailto:") + kMakerSupportMail);
}

bool TFAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image2 && event->type() == QEvent::MouseButtonRelease) {
        RunGuarded([this] { Label4Click(); });
        return true;
    }
    return ModalWindow::eventFilter(watched, event);
}

} // namespace zz
