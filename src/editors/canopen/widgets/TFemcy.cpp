#include "editors/canopen/widgets/TFemcy.h"

#include "common/ErrorBoundary.h"
#include "common/ProjectContext.h"
#include "common/widgets/Guarded.h"
#include "common/widgets/QtText.h"
#include "editors/canopen/tables/EmcyDefDocument.h"
#include "editors/canopen/tables/EmcyDefSheet.h"
#include "editors/canopen/tables/SheetExchange.h"
#include "editors/canopen/widgets/EntryPage.h"
#include "editors/canopen/workbook/OpenExcel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

inline namespace zz {

namespace {

struct FieldText {
    const char* name; // object name without the page suffix
    const char* label;
    const char* range;
};

// The eleven edit fields in field order.
constexpr std::array<FieldText, kEmcyTextCount> kFields = {{
    {"Eid_dev", "ID_EMCY", "(1..127)"},
    {"Emask_eq_ec", "Mask_error_code", "(0..65535)"},
    {"Emask_eq_er", "MAsk_error_Reg", "(0..255)"},
    {"Emask_eq_m1", "Mask_Manu1", "(0..65535)"},
    {"Emask_eq_m2", "Mask_Manu2", "(0..65535)"},
    {"Emask_eq_m3", "Mask_Manu3", "(0..255)"},
    {"Eenmask_eq_ec", "Enabled_mask_error_code", "(0..65535)"},
    {"Eenmask_eq_er", "Enabled_mask_error_Reg", "(0..255)"},
    {"Eenmask_eq_m1", "Enabled_Mask_Manu1", "(0..65535)"},
    {"Eenmask_eq_m2", "Enabled_Mask_Manu2", "(0..65535)"},
    {"Eenmask_eq_m3", "Enabled_Mask_Manu3", "(0..255)"},
}};

struct RadioText {
    const char* name; // without the page suffix
    const char* caption;
};

// The translation types in value order; type 0 names the page's own side.
constexpr std::array<RadioText, 9> kTypes = {{
    {"r1", nullptr},
    {"r2", "Error code byte  HIGH"},
    {"r3", "Error code byte LOW"},
    {"r9", "Error Reg"},
    {"r4", "Manu1 byte HIGH"},
    {"r5", "Manu1 byte LOW"},
    {"r6", "Manu2 byte HIGH"},
    {"r7", "Manu2 byte LOW"},
    {"r8", "Manu3"},
}};

int SelectedRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

} // namespace

TFemcy::TFemcy(ProjectContext& context, OpenExcelDialog& openExcel, QWidget* parent)
    : CanopenEditor(context, openExcel, parent)
{
    setObjectName(QStringLiteral("TFemcy"));
    setWindowTitle(QStringLiteral("Set Traslate EMCY"));

    Pages = new QTabWidget(this);
    Pages->addTab(BuildPage(A, CanSide::A), QStringLiteral("From CAN A"));
    Pages->addTab(BuildPage(B, CanSide::B), QStringLiteral("From CAN B"));

    AddButtonBar(
        Pages, [this] { return BitBtn1Click(); }, [this] { Button1Click(); }, [this] { BitBtn4Click(); });
}

QWidget* TFemcy::BuildPage(TFemcyPage& page, CanSide side)
{
    const bool a = side == CanSide::A;
    const QString suffix = SideLetter(side);
    const QString radioSuffix = suffix.toLower();
    const QString own = QStringLiteral("CAN") + suffix;
    const QString other = QStringLiteral("CAN") + OtherSideLetter(side);
    page.Side = side;

    auto* widget = new QWidget(this);
    page.LBCan = new QListWidget(widget);
    page.LBCan->setObjectName(QStringLiteral("LBCan") + suffix);
    page.LBCan->setSelectionMode(QAbstractItemView::SingleSelection);
    page.LBCan->setFixedWidth(120);
    NameFor(page.LBCan, a ? QStringLiteral("From CAN A") : QStringLiteral("From CAN B"));

    page.CBbypass_enable = new QCheckBox(QStringLiteral("Enabled_Traslate to ") + other, widget);
    page.CBbypass_enable->setObjectName(QStringLiteral("CBbypass_enable") + suffix);

    auto* fields = new QGridLayout;
    for (size_t f = 0; f < kFields.size(); ++f) {
        const int row = static_cast<int>(f);
        auto* edit = new QLineEdit(widget);
        edit->setObjectName(QString::fromLatin1(kFields[f].name) + suffix);
        auto* label = new QLabel(QString::fromLatin1(kFields[f].label), widget);
        auto* range = new QLabel(QString::fromLatin1(kFields[f].range), widget);
        LabelFor(label, edit);
        fields->addWidget(edit, row, 0);
        fields->addWidget(label, row, 1);
        fields->addWidget(range, row, 2);
        page.E[f] = edit;
    }
    fields->setColumnStretch(3, 1);

    page.Gbbypass_set = new QGroupBox(QStringLiteral("Allias use"), widget);
    page.Gbbypass_set->setObjectName(QStringLiteral("Gbbypass_set") + suffix);
    NameFor(page.Gbbypass_set, QStringLiteral("Allias use"));
    page.BypassType = new QButtonGroup(widget);
    auto* radios = new QVBoxLayout(page.Gbbypass_set);
    for (size_t t = 0; t < kTypes.size(); ++t) {
        const QString caption =
            kTypes[t].caption ? QString::fromLatin1(kTypes[t].caption) : QStringLiteral("No traslate ID ") + own;
        auto* radio = new QRadioButton(caption, page.Gbbypass_set);
        radio->setObjectName(QString::fromLatin1(kTypes[t].name) + radioSuffix);
        page.BypassType->addButton(radio, static_cast<int>(t));
        radios->addWidget(radio);
        page.R[t] = radio;
    }
    page.R[0]->setChecked(true);

    auto* caption = new QVBoxLayout;
    caption->addStretch();
    for (const QString& text : {QStringLiteral("ID ") + own + QStringLiteral(" EMCY "), QStringLiteral("Traslate in"),
                                other + QStringLiteral(" EMCY at:")})
        caption->addWidget(new QLabel(text, widget));
    caption->addStretch();
    auto* bypass = new QHBoxLayout;
    bypass->addLayout(caption);
    bypass->addWidget(page.Gbbypass_set);

    QHBoxLayout* buttons = EntryPageButtons(widget, suffix,
                                            {{&page.DeleteEmcy, "DeleteEmcy", "Delete EMCY"},
                                             {&page.NewEmcy, "NewEmcy", "New EMCY"},
                                             {&page.ModifyEmcy, "ModifyEmcy", "Modify EMCY"}});

    // The translation types stand beside the fields, so the window fits a 768 pixel screen.
    auto* entries = new QHBoxLayout;
    entries->addLayout(fields, 1);
    entries->addLayout(bypass);
    auto* right = new QVBoxLayout;
    right->addWidget(page.CBbypass_enable);
    right->addLayout(entries);
    LayOutEntryPage(widget, page.LBCan, right, buttons);

    TFemcyPage* p = &page;
    // A click shows the entry again even when its line was already selected; the selection
    // change covers the keyboard.
    connect(page.LBCan, &QListWidget::itemClicked, this, [this, p] { RunGuarded([&] { LBCanAClick(*p); }); });
    connect(page.LBCan, &QListWidget::itemSelectionChanged, this, [this, p] {
        if (!selecting_) RunGuarded([&] { LBCanAClick(*p); });
    });
    OnClick(page.NewEmcy, [this, p] { NewAClick(*p); });
    OnClick(page.ModifyEmcy, [this, p] { ModifyAClick(*p); });
    OnClick(page.DeleteEmcy, [this, p] { DeleteAClick(*p); });
    return widget;
}

void TFemcy::FormShow()
{
    ClearForm();
    const GuardedReadResult result = LoadEmcyDef(document_, context_.EmcyDefFile, table_);
    for (TFemcyPage* page : {&A, &B})
        for (const EmcyLine& line : table_.Side(page->Side)) AddLine(*page, line.Text);
    if (result == GuardedReadResult::Read) SelectFirstLines();
    if (result == GuardedReadResult::Failed) MarkLoadIncomplete();
    (Pages->currentIndex() == 1 ? B : A).LBCan->setFocus();
}

void TFemcy::ClearForm()
{
    table_ = EmcyTable{};
    for (TFemcyPage* page : {&A, &B}) {
        selecting_ = true;
        page->LBCan->clear();
        selecting_ = false;
        for (QLineEdit* edit : page->E) edit->clear();
        page->CBbypass_enable->setChecked(false);
        page->R[0]->setChecked(true);
    }
}

void TFemcy::LBCanAClick(TFemcyPage& page)
{
    const int row = SelectedRow(page.LBCan);
    if (row < 0) return;
    const TClEmcy& entry = table_.Side(page.Side)[static_cast<size_t>(row)].Entry;
    for (size_t f = 0; f < kEmcyTextCount; ++f) page.E[f]->setText(Q(entry.*kEmcyTexts[f]));
    page.CBbypass_enable->setChecked(entry.bypass_enable);
    // Types 9 to 15 have no button; the group then keeps what it showed.
    if (entry.bypass_type >= 0 && entry.bypass_type < static_cast<int>(page.R.size()))
        page.R[static_cast<size_t>(entry.bypass_type)]->setChecked(true);
}

TClEmcy TFemcy::EntryFromPage(const TFemcyPage& page, const TClEmcy& previous, int typeIfNone) const
{
    TClEmcy entry = previous;
    for (size_t f = 0; f < kEmcyTextCount; ++f) entry.*kEmcyTexts[f] = ZeroIfEmpty(S(page.E[f]->text()));
    entry.bypass_enable = page.CBbypass_enable->isChecked();
    const int checked = page.BypassType->checkedId();
    entry.bypass_type = checked >= 0 ? checked : typeIfNone;
    return entry;
}

void TFemcy::NewAClick(TFemcyPage& page)
{
    EmcyList& list = table_.Side(page.Side);
    const std::string id = S(page.E[0]->text());
    const int selected = SelectedRow(page.LBCan);
    if (selected >= 0) {
        const KeyCheck check = CheckId(id, list[static_cast<size_t>(selected)].Text, true, list);
        Say(check.Messages);
        if (!check) return;
    }
    list.push_back({id, EntryFromPage(page, TClEmcy{}, 0)});
    AddLine(page, id);
    Select(page, page.LBCan->count() - 1);
}

void TFemcy::ModifyAClick(TFemcyPage& page)
{
    const int selected = SelectedRow(page.LBCan);
    if (selected < 0) return;
    EmcyList& list = table_.Side(page.Side);
    EmcyLine& line = list[static_cast<size_t>(selected)];
    const std::string id = S(page.E[0]->text());
    const KeyCheck check = CheckId(id, line.Text, false, list);
    Say(check.Messages);
    if (!check) return;
    line.Entry = EntryFromPage(page, line.Entry, line.Entry.bypass_type);
    line.Text = id;
    page.LBCan->item(selected)->setText(Q(id));
}

void TFemcy::DeleteAClick(TFemcyPage& page)
{
    const int selected = SelectedRow(page.LBCan);
    if (selected < 0) return;
    EmcyList& list = table_.Side(page.Side);
    list.erase(list.begin() + selected);
    selecting_ = true;
    delete page.LBCan->takeItem(selected);
    page.LBCan->clearSelection();
    page.LBCan->setCurrentRow(-1);
    selecting_ = false;
}

bool TFemcy::BitBtn1Click()
{
    if (!ConfirmSaveAfterIncompleteLoad()) return false;
    SaveEmcyDef(document_, context_.EmcyDefFile, table_);
    return true;
}

void TFemcy::BitBtn4Click()
{
    bool cleared = false;
    ImportSheet(
        openExcel_, kEmcyDefTable, kEmcyColumns.size(),
        [&] {
            ClearForm();
            cleared = true;
        },
        [&](const std::vector<std::string>& row) {
            const CanSide side = AddEmcyDefSheetRow(table_, row);
            AddLine(side == CanSide::A ? A : B, table_.Side(side).back().Text);
        });
    // Also after an import that ended early: what it brought is shown. A cancelled dialog
    // leaves the window as it was.
    if (cleared) SelectFirstLines();
}

void TFemcy::Button1Click()
{
    Say(ExportCsv(context_, kEmcyDefTable, EmcyDefExportLines(table_)));
}

void TFemcy::AddLine(TFemcyPage& page, const std::string& text)
{
    page.LBCan->addItem(Q(text));
}

void TFemcy::Select(TFemcyPage& page, int row)
{
    selecting_ = true;
    page.LBCan->setCurrentRow(row);
    selecting_ = false;
}

void TFemcy::SelectFirstLines()
{
    for (TFemcyPage* page : {&A, &B}) {
        if (page->LBCan->count() == 0) continue;
        Select(*page, 0);
        LBCanAClick(*page);
    }
}

} // namespace zz
