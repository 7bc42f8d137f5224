#include "projectcheck/widgets/ProjectCheckWindow.h"

#include "common/ErrorBoundary.h"
#include "common/widgets/Guarded.h"
#include "common/widgets/QtText.h"
#include "gateway/GatewayProject.h"
#include "projectcheck/ProjectCheck.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

inline namespace zz {

namespace {

enum Column { kSeverity, kDocument, kRow, kField, kMessage, kColumnCount };

} // namespace

ProjectCheckWindow::ProjectCheckWindow(QWidget* parent)
    : ModalWindow(parent)
{
    setObjectName(QStringLiteral("ProjectCheckWindow"));
    setWindowTitle(QStringLiteral("Check project"));
    Verdict = new QLabel(this);
    Verdict->setObjectName(QStringLiteral("Verdict"));

    List = new QTableWidget(0, kColumnCount, this);
    List->setObjectName(QStringLiteral("List"));
    List->setHorizontalHeaderLabels({QStringLiteral("Severity"), QStringLiteral("Document"), QStringLiteral("Row"),
                                     QStringLiteral("Field"), QStringLiteral("Message")});
    List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List->setSelectionBehavior(QAbstractItemView::SelectRows);
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    List->setWordWrap(true);
    List->verticalHeader()->hide();
    List->horizontalHeader()->setStretchLastSection(true);
    List->setColumnWidth(kSeverity, 70);
    List->setColumnWidth(kDocument, 130);
    List->setColumnWidth(kRow, 45);
    List->setColumnWidth(kField, 90);
    List->installEventFilter(this);
    NameFor(List, QStringLiteral("Findings"));
    Verdict->setBuddy(List);

    OpenEditor = new QPushButton(QStringLiteral("&Open editor"), this);
    CheckAgain = new QPushButton(QStringLiteral("Check &again"), this);
    CloseButton = new QPushButton(QStringLiteral("&Close"), this);
    OpenEditor->setAutoDefault(false);
    CheckAgain->setAutoDefault(false);
    CloseButton->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(OpenEditor);
    buttons->addWidget(CheckAgain);
    buttons->addStretch();
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Verdict);
    layout->addWidget(List, 1);
    layout->addLayout(buttons);
    resize(960, 520);

    OnClick(OpenEditor, [this] { OpenSelected(); });
    OnClick(CheckAgain, [this] { RunCheck(); });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(List, &QTableWidget::cellDoubleClicked, this, [this] { RunGuarded([this] { OpenSelected(); }); });
}

void ProjectCheckWindow::FormShow()
{
    RunCheck();
    List->setFocus();
}

void ProjectCheckWindow::RunCheck()
{
    findings_ = CheckProject(LoadGatewayProject(ProjectLayout::Of(projectDir_)));
    Verdict->setText(Q(CheckVerdict(findings_)));
    List->setRowCount(static_cast<int>(findings_.size()));
    for (int r = 0; r < static_cast<int>(findings_.size()); ++r) {
        const Finding& f = findings_[static_cast<size_t>(r)];
        const QString cells[kColumnCount] = {QString::fromLatin1(SeverityName(f.Level)),
                                             f.Document.empty() ? QStringLiteral("project") : Q(f.Document),
                                             f.Row ? QString::number(*f.Row) : QString(), Q(f.Field), Q(f.Message)};
        for (int c = 0; c < kColumnCount; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == kSeverity && f.Level == Severity::Error) item->setForeground(Qt::red);
            if (c == kMessage) item->setToolTip(cells[c]);
            List->setItem(r, c, item);
        }
    }
    List->resizeRowsToContents();
    if (!findings_.empty()) List->setCurrentCell(0, kMessage);
    OpenEditor->setEnabled(!findings_.empty());
}

void ProjectCheckWindow::OpenSelected()
{
    const int r = List->currentRow();
    if (r < 0 || r >= static_cast<int>(findings_.size()) || !openDocument_) return;
    openDocument_(findings_[static_cast<size_t>(r)]);
    RunCheck();
    List->setCurrentCell(std::min(r, List->rowCount() - 1), kMessage);
}

bool ProjectCheckWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on a finding opens its editor, as a double click does.
    if (watched == List && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RunGuarded([this] { OpenSelected(); });
            return true;
        }
    }
    return ModalWindow::eventFilter(watched, event);
}

} // namespace zz
