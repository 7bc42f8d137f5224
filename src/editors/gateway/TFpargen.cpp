#include "editors/gateway/TFpargen.h"

#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "common/widgets/Guarded.h"
#include "common/widgets/QtText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

inline namespace zz {

namespace {

template <size_t N>
QComboBox* BaudList(const std::array<std::string_view, N>& rates, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    for (std::string_view rate : rates) box->addItem(Q(rate));
    return box; // a drop-down list: a typed rate that selects no position cannot arise
}

// The "Baud rate" label and its list on one line of a form grid; the list is named `name`.
template <size_t N>
QComboBox* AddBaudLine(QGridLayout* grid, int row, const std::array<std::string_view, N>& rates, QWidget* group,
                       const QString& name)
{
    auto* label = new QLabel(QStringLiteral("Baud rate"));
    QComboBox* box = BaudList(rates, group);
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
    LabelFor(label, box);
    NameFor(box, name);
    return box;
}

template <size_t N>
int ListIndex(int position, const std::array<std::string_view, N>& rates)
{
    return position >= 0 && position < static_cast<int>(rates.size()) ? position : -1;
}

// A label, its field and an optional unit on one line of a form grid.
QLineEdit* AddEditLine(QGridLayout* grid, int row, const QString& caption, const QString& unit)
{
    auto* label = new QLabel(caption);
    auto* edit = new QLineEdit;
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    if (!unit.isEmpty()) grid->addWidget(new QLabel(unit), row, 2);
    LabelFor(label, edit);
    return edit;
}

} // namespace

TFpargen::TFpargen(ProjectContext& context, QWidget* parent)
    : ModalWindow(parent),
      context_(context)
{
    setWindowTitle(QStringLiteral("SET COMMUNICATION"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint); // OK and Cancel are the ways out

    auto* canGroup = new QGroupBox(QStringLiteral("CAN"));
    auto* canGrid = new QGridLayout(canGroup);
    ComboBox2 = AddBaudLine(canGrid, 0, kCanBaudRates, canGroup, QStringLiteral("CAN Baud rate"));

    auto* typeGroup = new QGroupBox(QStringLiteral("CAN Type"));
    auto* typeBox = new QVBoxLayout(typeGroup);
    RB_CT_A = new QRadioButton(QStringLiteral("CAN 2.0A 11Bit"));
    RB_CT_B = new QRadioButton(QStringLiteral("CAN 2.0B 29Bit"));
    typeBox->addWidget(RB_CT_A);
    typeBox->addWidget(RB_CT_B);
    RB_CT_A->setChecked(true);

    auto* sendGroup = new QGroupBox(QStringLiteral("Send Data"));
    auto* sendGrid = new QGridLayout(sendGroup);
    RB_Sen_Cha = new QRadioButton(QStringLiteral("Send Frame on Data Change"));
    RB_Sen_Eve = new QRadioButton(QStringLiteral("Send Frame Every "));
    Edit2 = new QLineEdit;
    sendGrid->addWidget(RB_Sen_Cha, 0, 0, 1, 3);
    sendGrid->addWidget(RB_Sen_Eve, 1, 0);
    sendGrid->addWidget(Edit2, 1, 1);
    sendGrid->addWidget(new QLabel(QStringLiteral("ms")), 1, 2);
    NameFor(Edit2, QStringLiteral("Send Frame Every"));

    auto* timeOutGroup = new QGroupBox(QStringLiteral("TimeOut DATA"));
    auto* timeOutGrid = new QGridLayout(timeOutGroup);
    E_TOD_CAN = AddEditLine(timeOutGrid, 0, QStringLiteral("TimeOut Data"), QStringLiteral("s"));

    auto* netGroup = new QGroupBox(QStringLiteral("DeviceNET"));
    auto* netGrid = new QGridLayout(netGroup);
    Edit1 = AddEditLine(netGrid, 0, QStringLiteral("ID Dev."), QString());
    ComboBox1 = AddBaudLine(netGrid, 1, kNetBaudRates, netGroup, QStringLiteral("DeviceNET Baud rate"));
    E_DN_IN = AddEditLine(netGrid, 2, QStringLiteral("Number Byte IN"), QString());
    E_DN_OUT = AddEditLine(netGrid, 3, QStringLiteral("Number Byte OUT"), QString());

    QHBoxLayout* buttons = OkCancelBar(this, bitbtn1, bitbtn2, [this] { return BitBtn1Click(); });

    auto* left = new QVBoxLayout;
    left->addWidget(canGroup);
    left->addWidget(typeGroup);
    left->addWidget(sendGroup);
    left->addWidget(timeOutGroup);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(netGroup);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
}

void TFpargen::FormShow()
{
    ComboBox2->setFocus(); // the first field, also when the document cannot be read
    PargenSettings settings = PargenDefaults(RB_CT_A->isChecked());
    try {
        LoadPargen(document_, context_.PargenFile, settings);
    } catch (...) {
        ShowSettings(settings); // what was read before the failure stays in the window
        throw;
    }
    ShowSettings(settings);
}

void TFpargen::ShowSettings(const PargenSettings& s)
{
    ComboBox2->setCurrentIndex(ListIndex(s.CanBaud, kCanBaudRates));
    (s.Can11Bit ? RB_CT_A : RB_CT_B)->setChecked(true);
    (s.SendOnChange ? RB_Sen_Cha : RB_Sen_Eve)->setChecked(true);
    Edit2->setText(Q(s.DelaySend));
    E_TOD_CAN->setText(Q(s.TimeOutData));
    Edit1->setText(Q(s.NetDevId));
    ComboBox1->setCurrentIndex(ListIndex(s.NetBaud, kNetBaudRates));
    E_DN_IN->setText(Q(s.NetIn));
    E_DN_OUT->setText(Q(s.NetOut));
}

PargenSettings TFpargen::Entered() const
{
    PargenSettings s;
    s.CanBaud = ComboBox2->currentIndex();
    s.Can11Bit = RB_CT_A->isChecked();
    s.SendOnChange = RB_Sen_Cha->isChecked();
    s.DelaySend = S(Edit2->text());
    s.TimeOutData = S(E_TOD_CAN->text());
    s.NetDevId = S(Edit1->text());
    s.NetBaud = ComboBox1->currentIndex();
    s.NetIn = S(E_DN_IN->text());
    s.NetOut = S(E_DN_OUT->text());
    return s;
}

bool TFpargen::BitBtn1Click()
{
    const PargenSettings settings = Entered();
    if (const auto message = ValidatePargen(settings)) {
        Messages().Error(*message);
        return false;
    }
    if (!ConfirmSaveAfterIncompleteLoad()) return false;
    SavePargen(document_, context_.PargenFile, settings);
    return true;
}

} // namespace zz
