#include "devicenet/widgets/ReplayWindow.h"

#include "common/Desktop.h"
#include "common/Failure.h"
#include "common/MessageSink.h"
#include "common/widgets/Guarded.h"
#include "common/widgets/QtText.h"
#include "devicenet/widgets/ReplayImageView.h"
#include "gateway/GatewayProject.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSplitter>
#include <QVBoxLayout>

inline namespace zz {

// The changes of a timeline as list rows, without an item per row: a log may hold millions.
class ReplayChangesModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;
    void SetTimeline(const ReplayTimeline* timeline)
    {
        beginResetModel();
        timeline_ = timeline;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() || !timeline_ ? 0 : static_cast<int>(std::min<size_t>(timeline_->Size(), INT32_MAX));
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!timeline_ || role != Qt::DisplayRole) return {};
        const ReplayChange& c = timeline_->Change(static_cast<size_t>(index.row()));
        QString bytes;
        for (const auto& [byte, value] : c.Bytes)
            bytes += QStringLiteral(" %1=%2").arg(byte).arg(value, 2, 16, QLatin1Char('0')).toUpper();
        return QStringLiteral("%1  0x%2 (frame %3):%4")
            .arg(Q(c.Time))
            .arg(QString::number(c.CobId, 16).toUpper())
            .arg(c.Row + 1)
            .arg(bytes);
    }

private:
    const ReplayTimeline* timeline_ = nullptr;
};

ReplayWindow::ReplayWindow(QWidget* parent)
    : ModalWindow(parent),
      timeline_(std::make_unique<ReplayTimeline>())
{
    setObjectName(QStringLiteral("ReplayWindow"));
    setWindowTitle(QStringLiteral("Replay CAN log"));

    OpenLog = new QPushButton(QStringLiteral("&Open log..."), this);
    Summary = new QLabel(QStringLiteral("No log opened: open a candump -l or ASC log to replay it through the "
                                        "configuration."),
                         this);
    Summary->setWordWrap(true);
    Summary->setMinimumHeight(3 * Summary->fontMetrics().height());
    Summary->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    NameFor(Summary, QStringLiteral("Summary"));

    View = new ReplayImageView;
    Scroll = new QScrollArea(this);
    Scroll->setWidget(View);
    NameFor(Scroll, QStringLiteral("Input area"));

    Time = new QSlider(Qt::Horizontal, this);
    Time->setRange(0, 0);
    auto* timeCaption = new QLabel(QStringLiteral("&Time:"), this);
    LabelFor(timeCaption, Time);
    TimeLabel = new QLabel(QStringLiteral("start"), this);
    TimeLabel->setMinimumWidth(260);
    Previous = new QPushButton(QStringLiteral("&Previous change"), this);
    Next = new QPushButton(QStringLiteral("&Next change"), this);
    Previous->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Left));
    Next->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Right));

    model_ = new ReplayChangesModel(this);
    Changes = new QListView(this);
    Changes->setModel(model_);
    Changes->setUniformItemSizes(true);
    auto* changesCaption = new QLabel(QStringLiteral("&Changes (frames that changed the input image)"), this);
    LabelFor(changesCaption, Changes);
    Events = new QListWidget(this);
    auto* eventsCaption = new QLabel(QStringLiteral("&Events"), this);
    LabelFor(eventsCaption, Events);
    CloseButton = new QPushButton(QStringLiteral("C&lose"), this);
    for (QPushButton* b : {OpenLog, Previous, Next, CloseButton}) b->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(OpenLog);
    top->addStretch();
    auto* lists = new QVBoxLayout;
    lists->addWidget(changesCaption);
    lists->addWidget(Changes, 3);
    lists->addWidget(eventsCaption);
    lists->addWidget(Events, 2);
    auto* listsBox = new QWidget(this);
    listsBox->setLayout(lists);
    lists->setContentsMargins(0, 0, 0, 0);
    auto* body = new QSplitter(this);
    body->addWidget(Scroll);
    body->addWidget(listsBox);
    body->setStretchFactor(0, 3);
    body->setStretchFactor(1, 2);
    auto* steps = new QHBoxLayout;
    steps->addWidget(timeCaption);
    steps->addWidget(Time, 1);
    steps->addWidget(TimeLabel);
    steps->addWidget(Previous);
    steps->addWidget(Next);
    steps->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Summary);
    layout->addWidget(body, 1);
    layout->addLayout(steps);
    resize(1280, 680);
    setTabOrder(OpenLog, Changes);
    setTabOrder(Changes, Events);
    setTabOrder(Events, Time);
    setTabOrder(Time, Previous);
    setTabOrder(Previous, Next);
    setTabOrder(Next, CloseButton);

    OnClick(OpenLog, [this] { OpenLogClick(); });
    OnClick(Previous, [this] { ShowStep(step_ - 1); });
    OnClick(Next, [this] { ShowStep(step_ + 1); });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(Time, &QSlider::valueChanged, this, [this](int value) {
        if (!syncing_) ShowStep(value);
    });
    connect(Changes->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& index) {
        if (!syncing_ && index.isValid()) ShowStep(index.row() + 1);
    });
}

ReplayWindow::~ReplayWindow() = default;

void ReplayWindow::FormShow()
{
    configuration_.reset();
    OpenLog->setFocus();
    const GatewayProject project = LoadGatewayProject(ProjectLayout::Of(projectDir_));
    map_ = BuildByteMap(project);
    View->SetMap(map_);
    configuration_ = LoadReplayConfiguration(project);
    ShowStep(step_);
}

void ReplayWindow::OpenLogClick()
{
    const std::optional<std::string> path =
        DesktopServices().PickOpenFile("Open CAN log", projectDir_, "CAN logs (*.log *.asc *.txt)|*.log;*.asc;*.txt");
    if (path) LoadLog(*path);
}

void ReplayWindow::LoadLog(const std::string& path)
{
    if (!configuration_) throw Failure("The project does not build, so no log can be replayed through it");
    QProgressDialog progress(QStringLiteral("Reading %1...").arg(Q(path)), QStringLiteral("Cancel"), 0, 1000, this);
    progress.setWindowTitle(QStringLiteral("Replay CAN log"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    auto timeline = std::make_unique<ReplayTimeline>(ReplayLogFile(*configuration_, path, [&](double share) {
        progress.setValue(static_cast<int>(share * 1000));
        QApplication::processEvents();
        return !progress.wasCanceled();
    }));
    progress.reset();
    if (timeline->Cancelled) return; // the run shown before stays
    timeline_ = std::move(timeline);
    const ReplayTimeline& t = *timeline_;
    const ReplayCounts& n = t.Counts;
    Summary->setText(QStringLiteral("%1 (%2): %3 frames read, %4 applied (%5 changed the image, %6 short), %7 not "
                                    "configured, ignored: %8 remote, %9 error, %10 CAN FD, %11 other identifier "
                                    "length; %12 time-outs, %13 unreadable lines. Not modelled: the bytes after a "
                                    "time-out, the Delete flag, bus timing.")
                         .arg(Q(path), QString::fromLatin1(CanLogFormatName(t.Format)))
                         .arg(n.Read)
                         .arg(n.Applied)
                         .arg(n.Changed)
                         .arg(n.Short)
                         .arg(n.NotConfigured)
                         .arg(n.Remote)
                         .arg(n.Error)
                         .arg(n.Fd)
                         .arg(n.OtherLength)
                         .arg(n.TimeOuts)
                         .arg(n.Unreadable));
    Events->clear();
    for (const ReplayNote& note : t.Events)
        Events->addItem(note.Time.empty() ? Q(note.Text) : Q(note.Time) + QStringLiteral("  ") + Q(note.Text));
    for (const IgnoredFrames& i : t.Ignored)
        Events->addItem(QStringLiteral("Ignored, %1: 0x%2%3, %4 times from %5")
                            .arg(QString::fromLatin1(IgnoredKindName(i.Kind)))
                            .arg(QString::number(i.Id, 16).toUpper())
                            .arg(i.Extended ? QStringLiteral(" (29-bit)") : QString())
                            .arg(i.Count)
                            .arg(Q(i.FirstTime)));
    model_->SetTimeline(timeline_.get());
    syncing_ = true;
    Time->setRange(0, static_cast<int>(std::min<size_t>(t.Size(), INT32_MAX)));
    syncing_ = false;
    step_ = -1;
    ShowStep(t.Size() > 0 ? 1 : 0);
    Changes->setFocus();
}

void ReplayWindow::ShowStep(int steps)
{
    const int last = static_cast<int>(std::min<size_t>(timeline_->Size(), INT32_MAX));
    steps = std::clamp(steps, 0, last);
    step_ = steps;
    std::optional<size_t> frame;
    std::vector<uint8_t> written;
    if (steps > 0) {
        const ReplayChange& change = timeline_->Change(static_cast<size_t>(steps - 1));
        for (size_t f = 0; f < map_.Input.Frames.size(); ++f)
            if (map_.Input.Frames[f].Row == static_cast<int>(change.Row) + 1) frame = f;
        for (const auto& [byte, value] : change.Bytes) written.push_back(byte);
        TimeLabel->setText(QStringLiteral("%1 of %2: %3, 0x%4")
                               .arg(steps)
                               .arg(last)
                               .arg(Q(change.Time))
                               .arg(QString::number(change.CobId, 16).toUpper()));
    } else {
        TimeLabel->setText(QStringLiteral("start (all zero), %1 changes").arg(last));
    }
    std::vector<uint8_t> image = timeline_->ImageAfter(static_cast<size_t>(steps));
    if (image.empty() && configuration_) image.assign(static_cast<size_t>(configuration_->NetIn), 0);
    View->SetImage(std::move(image), frame, std::move(written));
    syncing_ = true;
    Time->setValue(steps);
    if (steps > 0) Changes->setCurrentIndex(model_->index(steps - 1));
    else Changes->clearSelection();
    syncing_ = false;
    Previous->setEnabled(steps > 0);
    Next->setEnabled(steps < last);
}

} // namespace zz
