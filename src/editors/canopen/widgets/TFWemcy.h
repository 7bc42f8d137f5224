#pragma once
#include "editors/canopen/tables/EmcyWord.h"
#include "editors/canopen/widgets/CanopenEditor.h"

#include <QIcon>
#include <QPixmap>
#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

inline namespace zz {

struct OpenExcelDialog;
struct ProjectContext;

// The controls of one page, "CanA" or "CanB". Their object names carry the page's suffix:
// TWCanA, GBword_emcy_bitmapA, GbebmA, Eindex_addrmA ... EposcompA2.
struct TFWemcyPage {
    CanSide Side = CanSide::A;
    QTreeWidget* TWCan = nullptr;
    QGroupBox* GBword_emcy_bitmap = nullptr;
    QGroupBox* Gbebm = nullptr;
    QLineEdit* Eindex_addrm = nullptr;
    QLineEdit* Esubindex = nullptr;
    QLineEdit* Edevid = nullptr;
    QLineEdit* Eb0 = nullptr;
    QLineEdit* Eb1 = nullptr;
    QLineEdit* Eposcomp = nullptr;  // first emergency byte number
    QLineEdit* Eposcomp2 = nullptr; // second emergency byte number
    QPushButton* DeleteButton = nullptr;
    QPushButton* NewButton = nullptr;
    QPushButton* ModifyButton = nullptr;
};

// "Define EMCY Word": the emergency words of both CAN sides, kept in emcyword.xml. Each word is
// a tree node "W" + label with the sixteen nodes "Bit0" to "Bit15" below it.
class TFWemcy : public CanopenEditor {
    Q_OBJECT
public:
    TFWemcy(ProjectContext& context, OpenExcelDialog& openExcel, QWidget* parent = nullptr);

    // What a node stands for; every node carries it.
    enum class NodeKind { Word, Bit };
    static NodeKind KindOf(const QTreeWidgetItem* node);

    QTabWidget* Pages;
    TFWemcyPage A, B;
    std::array<QPixmap, 4> Large; // word, word selected, bit, bit selected

    const EmcyWordTable& Table() const { return table_; }

    void ClearForm();
    int NextWordLabel(const QTreeWidget* tree) const;
    void TWCanAChange(TFWemcyPage& page);
    void newBClick(TFWemcyPage& page);
    void modifyBClick(TFWemcyPage& page);
    void deleteBClick(TFWemcyPage& page);
    bool BitBtn1Click();
    void BitBtn4Click();
    void Button1Click();

    // The absolute position of a node: all nodes counted from 0, children included.
    static int AbsolutePosition(const QTreeWidgetItem* node);

protected:
    void FormCreate();
    void FormShow() override;

private:
    QWidget* BuildPage(TFWemcyPage& page, CanSide side);
    TFWemcyPage& PageOf(CanSide side) { return side == CanSide::A ? A : B; }
    void AddWordNode(TFWemcyPage& page, int label);
    void SetCaptions(int word, int bit);

    EmcyWordTable table_;
    QIcon wordIcon_, bitIcon_;
    bool clearing_ = false;
};

} // namespace zz
