#include "editors/gateway/FrameTableWindow.h"

#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "common/widgets/Guarded.h"
#include "common/widgets/StringGrid.h"
#include "gateway/PargenDocument.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

inline namespace zz {

namespace {

// Design widths in pixels, by column.
constexpr std::array<int, 5> kReceiveWidths = {65, 144, 82, 80, 215};
constexpr std::array<int, 4> kSendWidths = {64, 142, 82, 217};

} // namespace

FrameTableWindow::FrameTableWindow(ProjectContext& context, GatewaySide side, std::string ProjectContext::*framePath,
                                   const QString& caption, QWidget* parent)
    : ModalWindow(parent),
      context_(context),
      side_(side),
      framePath_(framePath)
{
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);

    grid_ = new StringGrid(ColumnCountOf(side), kFrameGridRows + 1, this);
    if (side == GatewaySide::Receive) grid_->SetCheckColumn(ColumnsOf(side).Delete);
    ResetFrameGrid(grid_->Cells(), side);
    grid_->CellsChanged();
    int width = 0;
    for (int column = 0; column < ColumnCountOf(side); ++column) {
        const int w = side == GatewaySide::Receive ? kReceiveWidths[static_cast<size_t>(column)]
                                                   : kSendWidths[static_cast<size_t>(column)];
        grid_->SetColumnWidth(column, w);
        width += w;
    }
    NameFor(grid_, caption);

    QHBoxLayout* buttons = OkCancelBar(this, ok_, cancel_, [this] { return bitbtn1Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);
    resize(width + 60, 520);
}

void FrameTableWindow::FormShow()
{
    Is29Bit = ReadIs29Bit(document_, context_.PargenFile);
    ResetFrameGrid(grid_->Cells(), side_);
    try {
        LoadFrameTable(document_, context_.*framePath_, side_, grid_->Cells());
    } catch (...) {
        grid_->CellsChanged(); // the rows read before the failure stay
        grid_->MoveCursor(1, 1);
        grid_->setFocus();
        throw;
    }
    grid_->CellsChanged();
    grid_->MoveCursor(1, 1);
    grid_->setFocus();
}

bool FrameTableWindow::bitbtn1Click()
{
    const std::vector<FrameRow> frames = FrameTableRun(grid_->Cells(), side_);
    if (const auto message = ValidateFrames(frames, Is29Bit)) {
        Messages().Error(*message);
        return false;
    }
    if (!ConfirmSaveAfterIncompleteLoad()) return false;
    SaveFrameTable(document_, context_.*framePath_, side_, frames);
    return true;
}

TFSetVar::TFSetVar(ProjectContext& context, QWidget* parent)
    : FrameTableWindow(context, GatewaySide::Receive, &ProjectContext::ReceiveFrameFile,
                       QStringLiteral("Receive Frames"), parent),
      sga(grid_),
      bitbtn1(ok_),
      bitbtn2(cancel_)
{
}

TFSetPdo::TFSetPdo(ProjectContext& context, QWidget* parent)
    : FrameTableWindow(context, GatewaySide::Send, &ProjectContext::SendFrameFile, QStringLiteral("Send Frames"),
                       parent),
      sga(grid_),
      LbButton4(ok_),
      LbButton3(cancel_)
{
}

} // namespace zz
