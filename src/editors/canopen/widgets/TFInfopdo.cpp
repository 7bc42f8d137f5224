#include "editors/canopen/widgets/TFInfopdo.h"

#include "common/ErrorBoundary.h"
#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "common/widgets/Guarded.h"
#include "common/widgets/QtText.h"
#include "editors/canopen/tables/SheetExchange.h"
#include "editors/canopen/widgets/MappingLook.h"
#include "editors/canopen/widgets/RadioGroup.h"
#include "editors/canopen/workbook/OpenExcel.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <tuple>

inline namespace zz {

namespace {

// The choices of a byte position: none, then the PDO's eight data bytes "B1" to "B8".
QStringList ByteItems()
{
    QStringList items{QStringLiteral("none")};
    for (int byte = 1; byte <= 8; ++byte) items << QStringLiteral("B%1").arg(byte);
    return items;
}

// The row of the selected item, -1 when none is selected. A list can hold a current row that
// is not selected (given on keyboard focus); that one is not the engineer's choice.
int SelectedRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.empty() ? -1 : list->row(selected.front());
}

QString SdoItemText(size_t position)
{
    return QStringLiteral("Sdo") + QString::number(position);
}

// Remembers which row was selected when the mouse went down on a list, so that a click on the
// row already selected is told apart from one that changed the selection.
class PressWatch : public QObject {
public:
    PressWatch(QListWidget* list)
        : QObject(list),
          list_(list)
    {
        list->viewport()->installEventFilter(this);
    }
    int rowBeforePress = -1;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress) rowBeforePress = SelectedRow(list_);
        return false;
    }

private:
    QListWidget* list_;
};

} // namespace

TFInfopdo::TFInfopdo(ProjectContext& context, OpenExcelDialog& openExcel, QWidget* parent)
    : CanopenEditor(context, openExcel, parent),
      PageControl1(new QTabWidget(this))
{
    setObjectName(QStringLiteral("TFInfopdo"));
    setWindowTitle(QStringLiteral("Define Store PDO"));
    setSizeGripEnabled(true);
    ApplyMappingLook(this);

    PageControl1->addTab(BuildPage(CanSide::A, QStringLiteral("CANA"), QStringLiteral("CANB")), QStringLiteral("CanA"));
    PageControl1->addTab(BuildPage(CanSide::B, QStringLiteral("CANB"), QStringLiteral("CANA")), QStringLiteral("CanB"));
    // Each page's controls under their names.
    const auto name = [this](CanSide side, QListWidget*& pdoList, QListWidget*& sdoList, QLineEdit*& index,
                             QLineEdit*& subindex, RadioGroup*& high, RadioGroup*& low) {
        const Page& page = pages_[side];
        std::tie(pdoList, sdoList, index, subindex, high, low) =
            std::tie(page.pdoList, page.sdoList, page.index, page.subindex, page.high, page.low);
    };
    name(CanSide::A, LPdoCanA, LSdoCanA, EindexA, EsubindexA, PoscompMsbA, PoscompLsbA);
    name(CanSide::B, LPdoCanB, LSdoCanB, EindexB, EsubindexB, PoscompMsbB, PoscompLsbB);

    AddButtonBar(
        PageControl1, [this] { return BitBtn1Click(); }, [this] { Button1Click(); }, [this] { BitBtn4Click(); });
    resize(760, 480);
}

QWidget* TFInfopdo::BuildPage(CanSide side, const QString& own, const QString& other)
{
    Page& page = pages_[side];
    page.widget = new QWidget;
    QWidget* w = page.widget;
    page.pdoList = new QListWidget(w);
    page.sdoList = new QListWidget(w);
    page.index = new QLineEdit(w);
    page.subindex = new QLineEdit(w);
    page.high = new RadioGroup(QStringLiteral("Selected PDO Byte"), ByteItems(), w);
    page.low = new RadioGroup(QStringLiteral("Selected PDO Byte"), ByteItems(), w);
    const QString suffix = side == CanSide::A ? QStringLiteral("A") : QStringLiteral("B");
    page.pdoList->setObjectName(QStringLiteral("LPdoCan") + suffix);
    SelectCurrentOnFocus(page.pdoList);
    page.sdoList->setObjectName(QStringLiteral("LSdoCan") + suffix);
    page.index->setObjectName(QStringLiteral("Eindex") + suffix);
    page.subindex->setObjectName(QStringLiteral("Esubindex") + suffix);
    page.high->setObjectName(QStringLiteral("PoscompMsb") + suffix);
    page.low->setObjectName(QStringLiteral("PoscompLsb") + suffix);
    ApplyTargetColour(page.sdoList);
    ApplyTargetColour(page.index);
    ApplyTargetColour(page.subindex);

    auto* sdoCaption = new QLabel(QStringLiteral("SDO ") + other, w);
    LabelFor(sdoCaption, page.sdoList);
    auto* left = new QVBoxLayout;
    left->addWidget(sdoCaption);
    left->addWidget(page.sdoList, 1);

    auto* correlated = new QLabel(QStringLiteral("Correlated"), w);
    auto* pdoCaption = new QLabel(QStringLiteral("Index PDO in ") + own, w);
    LabelFor(pdoCaption, page.pdoList);
    auto* middle = new QVBoxLayout;
    middle->addWidget(correlated);
    middle->addWidget(pdoCaption);
    middle->addWidget(page.pdoList, 1);

    auto* indexCaption = new QLabel(QStringLiteral("Index SDO ") + other, w);
    auto* subindexCaption = new QLabel(QStringLiteral("Subindex SDO ") + other, w);
    LabelFor(indexCaption, page.index);
    LabelFor(subindexCaption, page.subindex);
    auto* highCaption = new QLabel(QStringLiteral("High SDO Byte"), w);
    auto* lowCaption = new QLabel(QStringLiteral("Low SDO Byte"), w);
    LabelFor(highCaption, page.high);
    LabelFor(lowCaption, page.low);
    auto* fields = new QGridLayout;
    fields->addWidget(indexCaption, 0, 0);
    fields->addWidget(page.index, 0, 1);
    fields->addWidget(subindexCaption, 1, 0);
    fields->addWidget(page.subindex, 1, 1);
    auto* highTexts = new QVBoxLayout;
    highTexts->addWidget(new QLabel(QStringLiteral("Traslate in"), w));
    highTexts->addWidget(highCaption);
    fields->addLayout(highTexts, 2, 0);
    fields->addWidget(page.high, 2, 1);
    auto* lowTexts = new QVBoxLayout;
    // The low byte's caption on page CanA has always read so.
    lowTexts->addWidget(
        new QLabel(side == CanSide::A ? QStringLiteral("Trsalete in") : QStringLiteral("Traslate in"), w));
    lowTexts->addWidget(lowCaption);
    fields->addLayout(lowTexts, 3, 0);
    fields->addWidget(page.low, 3, 1);

    auto* deleteSdo = new QPushButton(QStringLiteral("Delete SDO"), w);
    auto* newSdo = new QPushButton(QStringLiteral("New SDO"), w);
    auto* modifySdo = new QPushButton(QStringLiteral("Modify SDO"), w);
    auto* copySdo = new QPushButton(QStringLiteral("Copy SDO"), w);
    auto* pasteSdo = new QPushButton(QStringLiteral("Paste SDO"), w);
    auto* actions = new QGridLayout;
    actions->addWidget(deleteSdo, 0, 0);
    actions->addWidget(newSdo, 0, 1);
    actions->addWidget(modifySdo, 0, 2);
    actions->addWidget(copySdo, 1, 0);
    actions->addWidget(pasteSdo, 1, 1);

    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addLayout(actions);
    right->addStretch();

    auto* layout = new QHBoxLayout(w);
    layout->addLayout(left, 1);
    layout->addLayout(middle, 1);
    layout->addLayout(right, 2);

    OnClick(newSdo, [this, side] { NewAClick(side); });
    OnClick(modifySdo, [this, side] { ModifyAClick(side); });
    OnClick(deleteSdo, [this, side] { DeleteAClick(side); });
    OnClick(copySdo, [this, side] { CopyAClick(side); });
    OnClick(pasteSdo, [this, side] { PasteAClick(side); });
    ConnectListClick(page.pdoList, &TFInfopdo::LPdoCanAClick, side);
    ConnectListClick(page.sdoList, &TFInfopdo::LSdoCanAClick, side);
    ResetPage(page);
    return w;
}

// A list item chosen by the mouse or the keyboard runs the handler once; a click on the item
// already selected runs it again. Changes the window makes itself run nothing.
void TFInfopdo::ConnectListClick(QListWidget* list, void (TFInfopdo::*handler)(CanSide), CanSide side)
{
    auto* watch = new PressWatch(list);
    connect(list, &QListWidget::itemSelectionChanged, this, [this, list, handler, side] {
        if (!changingLists_ && SelectedRow(list) >= 0) RunGuarded([&] { (this->*handler)(side); });
    });
    connect(list, &QListWidget::clicked, this, [this, watch, handler, side](const QModelIndex& at) {
        if (!changingLists_ && at.row() == watch->rowBeforePress) RunGuarded([&] { (this->*handler)(side); });
    });
}

void TFInfopdo::EmptySdoList(Page& page)
{
    changingLists_ = true;
    page.sdoList->clear();
    changingLists_ = false;
    page.index->clear();
    page.subindex->clear();
    page.high->SetItemIndex(0);
    page.low->SetItemIndex(0);
}

void TFInfopdo::ResetPage(Page& page)
{
    changingLists_ = true;
    page.pdoList->clear();
    changingLists_ = false;
    EmptySdoList(page);
}

std::optional<StoredSdoRef> TFInfopdo::SelectedSdo(const Page& page) const
{
    const int p = SelectedRow(page.pdoList);
    const int s = SelectedRow(page.sdoList);
    if (p < 0 || s < 0) return std::nullopt;
    return StoredSdoRef{size_t(p), size_t(s)};
}

std::optional<TClSdo> TFInfopdo::SdoFromFields(CanSide side, const Page& page, std::optional<StoredSdoRef> replacing)
{
    TClSdo sdo{S(page.index->text()), S(page.subindex->text()), {}};
    if (const auto refused = CheckStoredSdo(tables_.Sides[side], sdo.index, sdo.subindex, replacing)) {
        Messages().Notice(*refused);
        return std::nullopt;
    }
    sdo.poscomp = PoscompOf(page);
    return sdo;
}

std::string TFInfopdo::PoscompOf(const Page& page) const
{
    return PoscompText(std::max(page.high->ItemIndex(), 0), std::max(page.low->ItemIndex(), 0));
}

void TFInfopdo::ShowPoscomp(Page& page, const std::string& poscomp)
{
    const PoscompBytes bytes = PoscompSelection(poscomp); // a text that is no integer ends the handler here
    page.high->SetItemIndex(bytes.High);
    page.low->SetItemIndex(bytes.Low);
}

void TFInfopdo::FormShow()
{
    for (Page& page : pages_) ResetPage(page);
    if (!LoadStoredPdoTables(context_, document_, tables_)) MarkLoadIncomplete();
    changingLists_ = true;
    for (const CanSide side : kCanSides)
        for (const TClPdo& pdo : tables_.Sides[side].Pdos) pages_[side].pdoList->addItem(Q(pdo.name));
    changingLists_ = false;
    pages_[PageControl1->currentIndex() == 1 ? CanSide::B : CanSide::A].pdoList->setFocus();
}

void TFInfopdo::LPdoCanAClick(CanSide side)
{
    Page& page = pages_[side];
    EmptySdoList(page);
    const int p = SelectedRow(page.pdoList);
    if (p < 0 || size_t(p) >= tables_.Sides[side].Pdos.size()) return;
    changingLists_ = true;
    const size_t count = tables_.Sides[side].Pdos[size_t(p)].sdos.size();
    for (size_t s = 0; s < count; ++s) page.sdoList->addItem(SdoItemText(s));
    changingLists_ = false;
}

void TFInfopdo::LSdoCanAClick(CanSide side)
{
    Page& page = pages_[side];
    const std::optional<StoredSdoRef> chosen = SelectedSdo(page);
    if (!chosen) return;
    const std::vector<TClSdo>& sdos = tables_.Sides[side].Pdos.at(chosen->Pdo).sdos;
    if (chosen->Sdo >= sdos.size()) return;
    const TClSdo& sdo = sdos[chosen->Sdo];
    page.index->setText(Q(sdo.index));
    page.subindex->setText(Q(sdo.subindex));
    ShowPoscomp(page, sdo.poscomp);
}

void TFInfopdo::NewAClick(CanSide side)
{
    Page& page = pages_[side];
    const int p = SelectedRow(page.pdoList);
    if (p < 0) return;
    const std::optional<TClSdo> sdo = SdoFromFields(side, page, std::nullopt);
    if (!sdo) return;
    tables_.Sides[side].Pdos.at(size_t(p)).sdos.push_back(*sdo);
    changingLists_ = true;
    const int count = page.sdoList->count();
    page.sdoList->addItem(SdoItemText(size_t(count)));
    page.sdoList->setCurrentRow(count);
    changingLists_ = false;
}

void TFInfopdo::ModifyAClick(CanSide side)
{
    const Page& page = pages_[side];
    const std::optional<StoredSdoRef> chosen = SelectedSdo(page);
    if (!chosen) return;
    const std::optional<TClSdo> sdo = SdoFromFields(side, page, chosen);
    if (!sdo) return;
    tables_.Sides[side].Pdos.at(chosen->Pdo).sdos.at(chosen->Sdo) = *sdo;
}

void TFInfopdo::DeleteAClick(CanSide side)
{
    Page& page = pages_[side];
    const std::optional<StoredSdoRef> chosen = SelectedSdo(page);
    if (!chosen) return;
    std::vector<TClSdo>& sdos = tables_.Sides[side].Pdos.at(chosen->Pdo).sdos;
    if (chosen->Sdo < sdos.size()) sdos.erase(sdos.begin() + std::ptrdiff_t(chosen->Sdo));
    changingLists_ = true;
    delete page.sdoList->takeItem(int(chosen->Sdo)); // the other items keep their texts until the PDO is chosen again
    page.sdoList->setCurrentRow(-1);
    page.sdoList->clearSelection();
    changingLists_ = false;
}

void TFInfopdo::CopyAClick(CanSide side)
{
    Page& page = pages_[side];
    page.clipboard = {S(page.index->text()), S(page.subindex->text()), PoscompOf(page)};
}

void TFInfopdo::PasteAClick(CanSide side)
{
    Page& page = pages_[side];
    page.index->setText(Q(page.clipboard.index));
    page.subindex->setText(Q(page.clipboard.subindex));
    ShowPoscomp(page, page.clipboard.poscomp); // a clipboard never filled holds no number
}

bool TFInfopdo::BitBtn1Click()
{
    WriteStoredPdo(tables_, document_); // an index or subindex that is no integer stops here
    if (!ConfirmSaveAfterIncompleteLoad()) return false;
    document_.SaveFile(context_.SdoPdoFile);
    return true;
}

void TFInfopdo::BitBtn4Click()
{
    const std::optional<std::string> chosen = PickWorkbook(openExcel_);
    if (!chosen) return;
    for (Page& page : pages_) {
        EmptySdoList(page);
        // No PDO stays chosen: its list box is empty now, and New or Modify would otherwise
        // address stored SDOs the box does not show.
        changingLists_ = true;
        page.pdoList->setCurrentRow(-1);
        page.pdoList->clearSelection();
        changingLists_ = false;
    }
    ImportStoredPdoSheet(*chosen, tables_);
}

void TFInfopdo::Button1Click()
{
    Say(ExportCsv(context_, kStoredPdoTableName, StoredPdoExportLines(tables_)));
}

} // namespace zz
