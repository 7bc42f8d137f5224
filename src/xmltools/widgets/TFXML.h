#pragma once
#include "common/widgets/ModalWindow.h"
#include "xmlstore/ProjectDocument.h"

#include <QIcon>
#include <QList>
#include <QPixmap>

#include <array>
#include <functional>
#include <optional>
#include <string>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

inline namespace zz {

struct ProjectContext;
struct ShownNode;

// "XML Reader & Writer": shows any XML file as a tree, lets the engineer change the text of
// any node, and writes the tree back into the current project directory.
class TFXML : public ModalWindow {
    Q_OBJECT
public:
    // Edits a text in a dialog: the new text on OK, nothing on Cancel.
    using TextEditor = std::function<std::optional<std::string>(const std::string&)>;

    TFXML(ProjectContext& context, TextEditor editText, QWidget* parent = nullptr);

    QPushButton* btnopen;
    QPushButton* btnFullExpand;
    QPushButton* btnWrite;
    QTreeWidget* TvXml;
    // The twelve pictures of the tree: 2 x kind for a node, 2 x kind + 1 when it is selected.
    QList<QPixmap> IiXml;

    void btnOpenClick();
    void btnFullExpandClick();
    void btnWriteClick();

    // The role of a tree item's data that holds its picture number.
    static constexpr int kImageRole = Qt::UserRole + 1;

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TvXmlMouseDown(Qt::MouseButton button);
    void TvXmlKeyDown(int key);
    void EditSelectedNode();
    QTreeWidgetItem* MakeItem(const std::string& bytes, int image);
    ShownNode Shown(const QTreeWidgetItem* item) const;

    ProjectContext& context_;
    TextEditor editText_;
    ProjectDocument document_{Discipline::Guarded};
    std::array<QIcon, 5> icons_;
};

} // namespace zz
