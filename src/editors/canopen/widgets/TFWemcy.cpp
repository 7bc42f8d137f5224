#include "editors/canopen/widgets/TFWemcy.h"

#include "common/ErrorBoundary.h"
#include "common/ProjectContext.h"
#include "common/widgets/Guarded.h"
#include "common/widgets/QtText.h"
#include "editors/canopen/tables/EmcyWordDocument.h"
#include "editors/canopen/tables/EmcyWordSheet.h"
#include "editors/canopen/tables/SheetExchange.h"
#include "editors/canopen/widgets/EntryPage.h"
#include "editors/canopen/widgets/TFWemcyPictures.h"
#include "editors/canopen/workbook/OpenExcel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

inline namespace zz {

namespace {

constexpr int kNodesPerWord = 17;
constexpr int kKindRole = Qt::UserRole;
constexpr int kLabelRole = Qt::UserRole + 1;

QTreeWidgetItem* SelectedNode(const QTreeWidget* tree)
{
    const QList<QTreeWidgetItem*> selected = tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

QLineEdit* Field(QWidget* parent, const QString& name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

} // namespace

TFWemcy::TFWemcy(ProjectContext& context, OpenExcelDialog& openExcel, QWidget* parent)
    : CanopenEditor(context, openExcel, parent)
{
    setObjectName(QStringLiteral("TFWemcy"));
    setWindowTitle(QStringLiteral("Define EMCY Word"));
    FormCreate();

    Pages = new QTabWidget(this);
    Pages->addTab(BuildPage(A, CanSide::A), QStringLiteral("CanA"));
    Pages->addTab(BuildPage(B, CanSide::B), QStringLiteral("CanB"));

    AddButtonBar(
        Pages, [this] { return BitBtn1Click(); }, [this] { Button1Click(); }, [this] { BitBtn4Click(); });
}

void TFWemcy::FormCreate()
{
    Large = DrawWordTreePictures();
    wordIcon_.addPixmap(Large[0], QIcon::Normal);
    wordIcon_.addPixmap(Large[1], QIcon::Selected);
    bitIcon_.addPixmap(Large[2], QIcon::Normal);
    bitIcon_.addPixmap(Large[3], QIcon::Selected);
}

QWidget* TFWemcy::BuildPage(TFWemcyPage& page, CanSide side)
{
    const bool a = side == CanSide::A;
    const QString own = SideLetter(side);
    const QString other = OtherSideLetter(side);
    const QString& suffix = own;
    page.Side = side;

    auto* widget = new QWidget(this);
    page.TWCan = new QTreeWidget(widget);
    page.TWCan->setObjectName(QStringLiteral("TWCan") + suffix);
    page.TWCan->setHeaderHidden(true);
    page.TWCan->setSelectionMode(QAbstractItemView::SingleSelection);
    page.TWCan->setIconSize(QSize(16, 16));
    page.TWCan->setMinimumSize(150, 380);
    NameFor(page.TWCan, a ? QStringLiteral("CanA") : QStringLiteral("CanB"));

    page.GBword_emcy_bitmap = new QGroupBox(QString::fromUtf8("Word n\u00B0  Emcy Define"), widget);
    page.GBword_emcy_bitmap->setObjectName(QStringLiteral("GBword_emcy_bitmap") + suffix);
    page.Eindex_addrm = Field(page.GBword_emcy_bitmap, QStringLiteral("Eindex_addrm") + suffix);
    page.Esubindex = Field(page.GBword_emcy_bitmap, QStringLiteral("Esubindex") + suffix);
    page.Edevid = Field(page.GBword_emcy_bitmap, QStringLiteral("Edevid") + suffix);

    page.Gbebm = new QGroupBox(QString::fromUtf8("Mask BIT n\u00B0  Define"), page.GBword_emcy_bitmap);
    page.Gbebm->setObjectName(QStringLiteral("Gbebm") + suffix);
    page.Eb0 = Field(page.Gbebm, QStringLiteral("Eb0") + suffix);
    page.Eb1 = Field(page.Gbebm, QStringLiteral("Eb1") + suffix);
    page.Eposcomp = Field(page.Gbebm, QStringLiteral("Eposcomp") + suffix);
    page.Eposcomp2 = Field(page.Gbebm, QStringLiteral("Eposcomp") + suffix + QStringLiteral("2"));
    for (QLineEdit* edit : {page.Eb0, page.Eb1, page.Eposcomp, page.Eposcomp2}) edit->setMinimumWidth(70);

    const auto labelled = [](QGridLayout* grid, int row, int column, const QString& text, QLineEdit* edit) {
        auto* label = new QLabel(text, edit->parentWidget());
        LabelFor(label, edit);
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
    };
    auto* bits = new QGridLayout(page.Gbebm);
    labelled(bits, 0, 0, QStringLiteral("Mask Byte 1"), page.Eb0);
    labelled(bits, 1, 0, a ? QStringLiteral("Mask byte 2") : QStringLiteral("Mask Byte 2"), page.Eb1);
    labelled(bits, 0, 2, QStringLiteral("Emcy byte 1"), page.Eposcomp);
    labelled(bits, 1, 2, QStringLiteral("Emcy Byte 2"), page.Eposcomp2);

    auto* words = new QGridLayout(page.GBword_emcy_bitmap);
    labelled(words, 0, 0, QStringLiteral("Index SDO BUS ") + other, page.Eindex_addrm);
    labelled(words, 1, 0, QStringLiteral("Subindex SDO BUS ") + other, page.Esubindex);
    labelled(words, 2, 0, QStringLiteral("ID EMCY BUS ") + own, page.Edevid);
    words->addWidget(page.Gbebm, 3, 0, 1, 2);

    QHBoxLayout* buttons = EntryPageButtons(widget, suffix,
                                            {{&page.DeleteButton, "delete", "Delete"},
                                             {&page.NewButton, "new", "New"},
                                             {&page.ModifyButton, "modify", "Modify"}});
    auto* right = new QVBoxLayout;
    right->addWidget(page.GBword_emcy_bitmap);
    LayOutEntryPage(widget, page.TWCan, right, buttons);

    TFWemcyPage* p = &page;
    connect(page.TWCan, &QTreeWidget::itemSelectionChanged, this, [this, p] {
        if (!clearing_) RunGuarded([&] { TWCanAChange(*p); });
    });
    OnClick(page.NewButton, [this, p] { newBClick(*p); });
    OnClick(page.ModifyButton, [this, p] { modifyBClick(*p); });
    OnClick(page.DeleteButton, [this, p] { deleteBClick(*p); });
    return widget;
}

TFWemcy::NodeKind TFWemcy::KindOf(const QTreeWidgetItem* node)
{
    return static_cast<NodeKind>(node->data(0, kKindRole).toInt());
}

int TFWemcy::AbsolutePosition(const QTreeWidgetItem* node)
{
    const QTreeWidgetItem* parent = node->parent();
    const QTreeWidgetItem* top = parent ? parent : node;
    const QTreeWidget* tree = top->treeWidget();
    int position = 0;
    const int topIndex = tree->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(top));
    for (int i = 0; i < topIndex; ++i) position += 1 + tree->topLevelItem(i)->childCount();
    if (parent) position += 1 + parent->indexOfChild(const_cast<QTreeWidgetItem*>(node));
    return position;
}

void TFWemcy::FormShow()
{
    ClearForm();
    if (LoadEmcyWord(document_, context_.EmcyWordFile, table_) == GuardedReadResult::Failed) MarkLoadIncomplete();
    // On loading, a word's label is its position in its list.
    for (TFWemcyPage* page : {&A, &B})
        for (size_t i = 0; i < table_.Side(page->Side).size(); ++i) AddWordNode(*page, static_cast<int>(i));
    (Pages->currentIndex() == 1 ? B : A).TWCan->setFocus();
}

void TFWemcy::ClearForm()
{
    clearing_ = true;
    table_ = EmcyWordTable{};
    for (TFWemcyPage* page : {&A, &B}) {
        page->TWCan->clear();
        for (QLineEdit* edit :
             {page->Eindex_addrm, page->Esubindex, page->Edevid, page->Eb0, page->Eb1, page->Eposcomp, page->Eposcomp2})
            edit->clear();
    }
    clearing_ = false;
}

void TFWemcy::AddWordNode(TFWemcyPage& page, int label)
{
    auto* word = new QTreeWidgetItem(page.TWCan, QStringList{QStringLiteral("W") + QString::number(label)});
    word->setData(0, kKindRole, static_cast<int>(NodeKind::Word));
    word->setData(0, kLabelRole, label);
    word->setIcon(0, wordIcon_);
    for (int k = 0; k < 16; ++k) {
        auto* bit = new QTreeWidgetItem(word, QStringList{QStringLiteral("Bit") + QString::number(k)});
        bit->setData(0, kKindRole, static_cast<int>(NodeKind::Bit));
        bit->setIcon(0, bitIcon_);
    }
}

int TFWemcy::NextWordLabel(const QTreeWidget* tree) const
{
    std::optional<int> last;
    for (int i = tree->topLevelItemCount() - 1; i >= 0 && !last; --i) {
        const QTreeWidgetItem* node = tree->topLevelItem(i);
        if (KindOf(node) == NodeKind::Word) last = node->data(0, kLabelRole).toInt();
    }
    return ::NextWordLabel(last);
}

void TFWemcy::SetCaptions(int word, int bit)
{
    for (TFWemcyPage* page : {&A, &B}) {
        page->GBword_emcy_bitmap->setTitle(QString::fromUtf8("Word n\u00B0") + QString::number(word) +
                                           QStringLiteral(" Emcy Define "));
        // A word node leaves the bit caption as it was.
        if (bit >= 0)
            page->Gbebm->setTitle(QString::fromUtf8("Mask BIT n\u00B0") + QString::number(bit) +
                                  QStringLiteral(" Define"));
        NameGroupsByTitle(page->GBword_emcy_bitmap);
    }
}

void TFWemcy::TWCanAChange(TFWemcyPage& page)
{
    const QTreeWidgetItem* node = SelectedNode(page.TWCan);
    if (!node) return;
    const int p = AbsolutePosition(node);
    const int w = p / kNodesPerWord;
    const int k = p % kNodesPerWord;
    const std::vector<TClWEmcy>& list = table_.Side(page.Side);
    if (w >= static_cast<int>(list.size())) return;
    SetCaptions(w, k - 1);
    const TClWEmcy& word = list[static_cast<size_t>(w)];
    page.Eindex_addrm->setText(Q(word.index_addrm));
    page.Esubindex->setText(Q(word.subindex));
    page.Edevid->setText(Q(word.devid));
    if (k == 0) {
        for (QLineEdit* edit : {page.Eb0, page.Eb1, page.Eposcomp, page.Eposcomp2}) edit->clear();
        return;
    }
    const ClEbm& bit = word.bits[static_cast<size_t>(k - 1)];
    page.Eb0->setText(Q(bit.b0));
    page.Eb1->setText(Q(bit.b1));
    // A bit not defined yet (every bit of a word made here) shows empty byte fields; a text
    // that is no number still raises its message.
    if (bit.poscomp.empty()) {
        page.Eposcomp->clear();
        page.Eposcomp2->clear();
        return;
    }
    const auto [first, second] = UnpackPoscomp(bit.poscomp);
    page.Eposcomp->setText(QString::number(first));
    page.Eposcomp2->setText(QString::number(second));
}

void TFWemcy::newBClick(TFWemcyPage& page)
{
    std::vector<TClWEmcy>& list = table_.Side(page.Side);
    TClWEmcy word;
    word.index_addrm = S(page.Eindex_addrm->text());
    word.subindex = S(page.Esubindex->text());
    word.devid = S(page.Edevid->text());
    const KeyCheck check = CheckWord(list, word.index_addrm, word.subindex, word.devid, true, 0);
    Say(check.Messages);
    if (!check) return;
    AddWordNode(page, NextWordLabel(page.TWCan));
    list.push_back(std::move(word));
}

void TFWemcy::modifyBClick(TFWemcyPage& page)
{
    const QTreeWidgetItem* node = SelectedNode(page.TWCan);
    if (!node) return;
    const int p = AbsolutePosition(node);
    const auto w = static_cast<size_t>(p / kNodesPerWord);
    const int k = p % kNodesPerWord;
    std::vector<TClWEmcy>& list = table_.Side(page.Side);
    if (w >= list.size()) return;
    TClWEmcy& word = list[w];
    if (k == 0) {
        const std::string index = S(page.Eindex_addrm->text());
        const std::string subindex = S(page.Esubindex->text());
        const std::string id = S(page.Edevid->text());
        const KeyCheck check = CheckWord(list, index, subindex, id, false, w);
        Say(check.Messages);
        if (!check) return;
        word.index_addrm = index;
        word.subindex = subindex;
        word.devid = id;
        return;
    }
    ModifyBit(word.bits[static_cast<size_t>(k - 1)], S(page.Eb0->text()), S(page.Eb1->text()), S(page.Eposcomp->text()),
              S(page.Eposcomp2->text()));
}

void TFWemcy::deleteBClick(TFWemcyPage& page)
{
    QTreeWidgetItem* node = SelectedNode(page.TWCan);
    if (!node || KindOf(node) != NodeKind::Word) return;
    std::vector<TClWEmcy>& list = table_.Side(page.Side);
    const auto w = static_cast<size_t>(AbsolutePosition(node) / kNodesPerWord);
    if (w < list.size()) list.erase(list.begin() + static_cast<std::ptrdiff_t>(w));
    clearing_ = true;
    delete node;
    clearing_ = false;
    // The node the tree moves to is selected and shown, against the shortened list.
    if (QTreeWidgetItem* current = page.TWCan->currentItem()) {
        page.TWCan->clearSelection();
        current->setSelected(true);
    }
}

bool TFWemcy::BitBtn1Click()
{
    if (!ConfirmSaveAfterIncompleteLoad()) return false;
    SaveEmcyWord(document_, context_.EmcyWordFile, table_);
    return true;
}

void TFWemcy::BitBtn4Click()
{
    ImportSheet(
        openExcel_, kEmcyWordTable, kEmcyWordColumnCount, [this] { ClearForm(); },
        [this](const std::vector<std::string>& row) {
            std::optional<std::pair<CanSide, TClWEmcy>> routed = EmcyWordFromSheetRow(row);
            if (!routed) return;
            std::vector<TClWEmcy>& list = table_.Side(routed->first);
            AddWordNode(PageOf(routed->first), static_cast<int>(list.size()));
            list.push_back(std::move(routed->second));
        });
}

void TFWemcy::Button1Click()
{
    Say(ExportCsv(context_, kEmcyWordTable, EmcyWordExportLines(table_)));
}

} // namespace zz
