#include "editors/gateway/FrameMappingWindow.h"

#include "common/ErrorBoundary.h"
#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "common/widgets/Guarded.h"
#include "common/widgets/QtText.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

inline namespace zz {

FrameMappingWindow::FrameMappingWindow(ProjectContext& context, GatewaySide side, const QString& caption,
                                       QWidget* parent)
    : ModalWindow(parent),
      context_(context),
      side_(side)
{
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    const bool receive = side == GatewaySide::Receive;

    auto* listTitle = new QLabel(QStringLiteral("COB ID"));
    ListBox1 = new QListWidget;
    ListBox1->setMinimumWidth(140);
    LabelFor(listTitle, ListBox1);
    auto* left = new QVBoxLayout;
    left->addWidget(listTitle);
    left->addWidget(ListBox1, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Bytes")));
    for (int k = 1; k <= 8; ++k) {
        const size_t i = static_cast<size_t>(k - 1);
        auto* panel = new QFrame;
        panel->setFrameShape(QFrame::StyledPanel);
        auto* row = new QHBoxLayout(panel);
        const QString number = QString::number(k);
        auto* text = new QLabel(receive ? QStringLiteral("Byte %1 of frame CAN go to byte").arg(number)
                                        : QStringLiteral("Byte %1 of frame CAN is the byte").arg(number));
        auto* edit = new QLineEdit(QStringLiteral("none"));
        edit->setObjectName(QStringLiteral("Edit%1").arg(number));
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0x7F none")) + 16);
        auto* unused = new QLabel(QStringLiteral("Not in use"));
        QSizePolicy keepPlace = unused->sizePolicy();
        keepPlace.setRetainSizeWhenHidden(true); // the lines keep their shape as frames change
        unused->setSizePolicy(keepPlace);
        unused->setVisible(false);
        row->addWidget(text);
        row->addWidget(edit);
        row->addWidget(new QLabel(receive ? QStringLiteral("in DeviceNET") : QStringLiteral("of DeviceNET")));
        row->addWidget(unused);
        row->addStretch();
        LabelFor(text, edit);
        right->addWidget(panel);
        edits_[i] = edit;
        lines_[i] = panel;
        notInUse_[i] = unused;
        edit->installEventFilter(this);
        if (receive)
            connect(edit, &QLineEdit::textEdited, this, [this, i] {
                edited_[i] = true;
                told_[i] = false;
            });
        else connect(edit, &QLineEdit::textChanged, this, [this, k] { EditChange(k); });
    }
    right->addStretch();
    Edit1 = edits_[0];
    Edit2 = edits_[1];
    Edit3 = edits_[2];
    Edit4 = edits_[3];
    Edit5 = edits_[4];
    Edit6 = edits_[5];
    Edit7 = edits_[6];
    Edit8 = edits_[7];

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right);

    QHBoxLayout* buttons = OkCancelBar(this, bitbtn1, bitbtn2, [this] { return bitbtn1Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);

    ListBox1->installEventFilter(this);
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] {
        if (!filling_) RunGuarded([this] { ListBox1Click(); });
    });
}

const std::string& FrameMappingWindow::FramePath() const
{
    return side_ == GatewaySide::Receive ? context_.ReceiveFrameFile : context_.SendFrameFile;
}

const std::string& FrameMappingWindow::InfoPath() const
{
    return side_ == GatewaySide::Receive ? context_.ReceiveInfoFile : context_.SendInfoFile;
}

FrameMapping* FrameMappingWindow::Selected()
{
    if (selected_ < 0 || selected_ >= static_cast<int>(list_.Records.size())) return nullptr;
    return &list_.Records[static_cast<size_t>(selected_)];
}

void FrameMappingWindow::FormShow()
{
    filling_ = true;
    selected_ = -1;
    ListBox1->clear();
    const auto fillList = [this] {
        for (const std::string& cobId : list_.CobIds) ListBox1->addItem(Q(cobId));
        filling_ = false;
    };
    try {
        LoadMappings(document_, FramePath(), InfoPath(), list_);
    } catch (...) {
        fillList(); // the frames read before the failure stay listed
        DisableLines();
        ListBox1->setFocus();
        throw;
    }
    fillList();
    ListBox1->setFocus();
    if (list_.Records.empty()) {
        DisableLines();
        return;
    }
    filling_ = true;
    ListBox1->setCurrentRow(0);
    filling_ = false;
    selected_ = 0;
    ShowSelected();
}

void FrameMappingWindow::DisableLines()
{
    for (QWidget* line : lines_) line->setEnabled(false);
}

void FrameMappingWindow::ListBox1Click()
{
    // A line typed into and not yet stored belongs to the frame shown so far. Its refusal, if
    // any, was told when the line lost the focus to the list.
    // A refused line keeps its frame on screen with what was typed: the list goes back to that
    // frame and the focus to the line, telling why unless leaving the line just did.
    for (int k = 1; k <= 8; ++k) {
        const size_t i = static_cast<size_t>(k - 1);
        if (!edited_[i] || StoreEdit(k, told_[i] ? Refusal::Quiet : Refusal::Tell)) continue;
        KeepListOnSelected();
        // A click selects its item after telling the change: once the click is done, the
        // highlight goes back to the frame shown too.
        QTimer::singleShot(0, this, [this] { KeepListOnSelected(); });
        EditOf(k)->setFocus();
        return;
    }
    selected_ = ListBox1->currentRow();
    ShowSelected();
}

void FrameMappingWindow::KeepListOnSelected()
{
    if (selected_ < 0 || selected_ >= ListBox1->count()) return;
    filling_ = true;
    ListBox1->setCurrentRow(selected_, QItemSelectionModel::ClearAndSelect);
    filling_ = false;
}

void FrameMappingWindow::ShowSelected()
{
    const FrameMapping* record = Selected();
    if (!record) return;
    // On the send side every text set here is stored again at once, which keeps the values.
    const FrameMapping shown = *record;
    showing_ = true; // a line losing the focus as it is disabled here was not left by the engineer
    for (int k = 1; k <= 8; ++k) {
        const bool used = k <= shown.Dim;
        lines_[static_cast<size_t>(k - 1)]->setEnabled(used);
        notInUse_[static_cast<size_t>(k - 1)]->setVisible(!used);
        EditOf(k)->setText(Q(used ? ByteText(shown.Byte(k)) : std::string("none")));
    }
    edited_.fill(false);
    told_.fill(false);
    showing_ = false;
}

bool FrameMappingWindow::StoreEdit(int k, Refusal refusal)
{
    FrameMapping* record = Selected();
    if (!record || k > record->Dim) return true; // bytes beyond the data length stay none
    const std::optional<uint8_t> value = ParseByteEntry(S(EditOf(k)->text()));
    if (!value) {
        if (refusal == Refusal::Tell) {
            told_[static_cast<size_t>(k - 1)] = true;
            Messages().Error(ByteEntryMessage(k));
            EditOf(k)->setFocus();
        }
        return false;
    }
    record->Byte(k) = *value;
    edited_[static_cast<size_t>(k - 1)] = false;
    return true;
}

void FrameMappingWindow::EditExit(int k, Refusal refusal)
{
    if (storing_ || showing_ || !edited_[static_cast<size_t>(k - 1)]) return;
    storing_ = true; // the error box taking the focus is no leaving
    RunGuarded([&] { StoreEdit(k, refusal); });
    storing_ = false;
}

void FrameMappingWindow::EditChange(int k)
{
    RunGuarded([&] { StoreEdit(k, Refusal::Tell); });
}

int FrameMappingWindow::LineOf(QObject* edit) const
{
    for (int k = 1; k <= 8; ++k)
        if (edit == EditOf(k)) return k;
    return 0;
}

bool FrameMappingWindow::eventFilter(QObject* watched, QEvent* event)
{
    const int k = LineOf(watched);
    if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) return true; // choosing a frame is no OK
    }
    if (k && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Enter confirms the line (on the receive side it stores it); it does not press OK.
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (side_ == GatewaySide::Receive) EditExit(k, Refusal::Tell);
            return true;
        }
    }
    if (k && side_ == GatewaySide::Receive && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Another window coming to the front (a message box) does not mean the line was left.
        // A click on OK or Cancel: OK takes the line itself and Cancel drops it, so a refusal is
        // told once, by OK. Tabbing there leaves the line like any other move.
        const QWidget* next = QApplication::focusWidget();
        const bool clickOnButton = (next == bitbtn1 || next == bitbtn2) && reason == Qt::MouseFocusReason;
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            EditExit(k, clickOnButton ? Refusal::Quiet : Refusal::Tell);
    }
    return ModalWindow::eventFilter(watched, event);
}

bool FrameMappingWindow::bitbtn1Click()
{
    // The lines of the selected frame count as left: a refused text keeps the window open
    // rather than saving the value it replaced.
    if (const FrameMapping* record = Selected()) {
        for (int k = 1; k <= 8 && k <= record->Dim; ++k)
            if (!StoreEdit(k, Refusal::Tell)) return false;
    }
    if (const auto message = CheckMappings(list_, side_)) {
        Messages().Error(*message);
        return false;
    }
    if (!ConfirmSaveAfterIncompleteLoad()) return false;
    SaveMappings(document_, InfoPath(), side_, list_.Records);
    return true;
}

TF_Rec_Info::TF_Rec_Info(ProjectContext& context, QWidget* parent)
    : FrameMappingWindow(context, GatewaySide::Receive, QStringLiteral("Receive Frames Info"), parent)
{
}

TF_Sen_Info::TF_Sen_Info(ProjectContext& context, QWidget* parent)
    : FrameMappingWindow(context, GatewaySide::Send, QStringLiteral("Send Frames Info"), parent)
{
}

} // namespace zz
