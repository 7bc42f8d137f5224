#include "canbus/widgets/DbcImportDialog.h"

#include "common/ErrorBoundary.h"
#include "common/MessageSink.h"
#include "common/widgets/ModalWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstdio>

inline namespace zz {

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QString FrameLine(const DbcMessage& message)
{
    char id[16];
    std::snprintf(id, sizeof id, message.Extended ? "0x%08X" : "0x%03X", static_cast<unsigned>(message.Id));
    return QStringLiteral("%1  %2  (%3 bytes)").arg(QString::fromLatin1(id), Q(message.Name)).arg(message.Dlc);
}

} // namespace

DbcImportDialog::DbcImportDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Import DBC"));
    auto* layout = new QVBoxLayout(this);
    auto* choices = new QGridLayout;
    asExported_ = new QRadioButton(QStringLiteral("&Restore the tables as they were exported"), this);
    byNode_ = new QRadioButton(QStringLiteral("The gateway is &node:"), this);
    node_ = new QComboBox(this);
    bySide_ = new QRadioButton(QStringLiteral("Every frame into the &table:"), this);
    side_ = new QComboBox(this);
    side_->addItems({QStringLiteral("Receive"), QStringLiteral("Send")});
    NameFor(node_, QStringLiteral("Gateway node"));
    NameFor(side_, QStringLiteral("Table"));
    choices->addWidget(asExported_, 0, 0, 1, 2);
    choices->addWidget(byNode_, 1, 0);
    choices->addWidget(node_, 1, 1);
    choices->addWidget(bySide_, 2, 0);
    choices->addWidget(side_, 2, 1);
    layout->addLayout(choices);
    map_ = new QCheckBox(QStringLiteral("&Map the bytes the signals cover to the next free DeviceNet bytes"), this);
    layout->addWidget(map_);
    auto* framesLabel = new QLabel(QStringLiteral("&Frames to import:"), this);
    frames_ = new QListWidget(this);
    frames_->setMinimumHeight(160);
    LabelFor(framesLabel, frames_);
    layout->addWidget(framesLabel);
    layout->addWidget(frames_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &DbcImportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DbcImportDialog::reject);
    const auto follow = [this] {
        node_->setEnabled(byNode_->isChecked());
        side_->setEnabled(bySide_->isChecked());
        map_->setEnabled(!asExported_->isChecked());
    };
    for (QRadioButton* choice : {asExported_, byNode_, bySide_}) connect(choice, &QRadioButton::toggled, this, follow);
    resize(560, 480);
}

std::optional<DbcImportPlan> DbcImportDialog::Choose(const DbcDatabase& database, const GatewayProject& project)
{
    database_ = &database;
    project_ = &project;
    plan_.reset();
    node_->clear();
    for (const std::string& node : database.Nodes) node_->addItem(Q(node));
    frames_->clear();
    for (const DbcMessage& message : database.Messages) {
        auto* item = new QListWidgetItem(FrameLine(message), frames_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    if (frames_->count() > 0) frames_->setCurrentRow(0);
    const bool own = IsOwnDbcExport(database);
    asExported_->setEnabled(own);
    byNode_->setEnabled(!database.Nodes.empty());
    (own ? asExported_ : !database.Nodes.empty() ? byNode_ : bySide_)->setChecked(true);
    map_->setChecked(false);
    asExported_->toggled(asExported_->isChecked());
    exec();
    database_ = nullptr;
    project_ = nullptr;
    return std::move(plan_);
}

DbcImportOptions DbcImportDialog::Options() const
{
    DbcImportOptions options;
    if (byNode_->isChecked()) options.Node = node_->currentText().toStdString();
    if (bySide_->isChecked()) options.Side = side_->currentIndex() == 1 ? GatewaySide::Send : GatewaySide::Receive;
    options.Map = !asExported_->isChecked() && map_->isChecked();
    std::vector<uint32_t> chosen;
    for (int i = 0; i < frames_->count(); ++i)
        if (frames_->item(i)->checkState() == Qt::Checked)
            chosen.push_back(database_->Messages[static_cast<size_t>(i)].Id);
    if (static_cast<int>(chosen.size()) < frames_->count()) options.Frames = chosen;
    return options;
}

void DbcImportDialog::accept()
{
    RunGuarded([this] {
        if (!database_ || !project_) return;
        const DbcImportOptions options = Options();
        if (options.Frames && options.Frames->empty()) {
            Messages().Error("Choose at least one frame to import.");
            return;
        }
        DbcImportPlan plan = PlanDbcImport(*database_, *project_, options);
        if (plan.ReplacesAny()) {
            std::string tables;
            for (const GatewaySide side : kGatewaySides)
                if (plan.Of(side).ReplacesFrames)
                    tables += std::string(tables.empty() ? "" : " and the ") +
                              (side == GatewaySide::Receive ? "receive" : "send");
            if (!Messages().Ask("Import DBC", "The " + tables + " frame table holds frames. Replace them?")) return;
        }
        plan_ = std::move(plan);
        QDialog::accept();
    });
}

} // namespace zz
