#include "xmltools/widgets/TFXML.h"

#include "common/Cp1252.h"
#include "common/Desktop.h"
#include "common/ErrorBoundary.h"
#include "common/Failure.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "common/widgets/Guarded.h"
#include "common/widgets/QtText.h"
#include "xmltools/ShownTreeWrite.h"
#include "xmltools/XmlReader.h"
#include "xmltools/widgets/XmlTreeImages.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <vector>

inline namespace zz {

namespace {

// Enables the button again when the handler ends, however it ends.
class DisabledWhileRunning {
public:
    explicit DisabledWhileRunning(QPushButton* button)
        : button_(button)
    {
        button_->setEnabled(false);
    }
    ~DisabledWhileRunning() { button_->setEnabled(true); }
    DisabledWhileRunning(const DisabledWhileRunning&) = delete;
    DisabledWhileRunning& operator=(const DisabledWhileRunning&) = delete;

private:
    QPushButton* button_;
};

// The parser keeps bytes; a text that is not UTF-8 is read in the Western code page, in
// which older files of the projects were written.
QString ShownText(const std::string& bytes)
{
    return Q(Utf8OrCp1252ToUtf8(bytes));
}

} // namespace

TFXML::TFXML(ProjectContext& context, TextEditor editText, QWidget* parent)
    : ModalWindow(parent),
      context_(context),
      editText_(std::move(editText))
{
    setWindowTitle(QStringLiteral("XML Reader & Writer"));
    resize(520, 480);
    for (int i = 0; i < kXmlImageCount; ++i) IiXml.append(XmlTreeImage(i));
    for (std::size_t kind = 0; kind < icons_.size(); ++kind) {
        icons_[kind].addPixmap(IiXml[static_cast<int>(2 * kind)], QIcon::Normal);
        icons_[kind].addPixmap(IiXml[static_cast<int>(2 * kind + 1)], QIcon::Selected);
    }

    btnopen = new QPushButton(QStringLiteral("Open "), this);
    btnFullExpand = new QPushButton(QStringLiteral("Full Expand"), this);
    btnWrite = new QPushButton(QStringLiteral("Write"), this);
    for (QPushButton* b : {btnopen, btnFullExpand, btnWrite}) b->setAutoDefault(false);
    TvXml = new QTreeWidget(this);
    TvXml->setHeaderHidden(true);
    TvXml->setColumnCount(1);
    TvXml->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TvXml->setSelectionMode(QAbstractItemView::SingleSelection);
    TvXml->setIconSize(QSize(16, 16));
    NameFor(TvXml, QStringLiteral("XML tree"));
    TvXml->installEventFilter(this);
    TvXml->viewport()->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnopen);
    buttons->addWidget(btnFullExpand);
    buttons->addStretch();
    buttons->addWidget(btnWrite);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(TvXml, 1);

    OnClick(btnopen, [this] { btnOpenClick(); });
    OnClick(btnFullExpand, [this] { btnFullExpandClick(); });
    OnClick(btnWrite, [this] { btnWriteClick(); });
}

void TFXML::FormShow()
{
    TvXml->clear();
    TvXml->setFocus();
}

QTreeWidgetItem* TFXML::MakeItem(const std::string& bytes, int image)
{
    auto* item = new QTreeWidgetItem(QStringList(ShownText(bytes)));
    item->setData(0, kImageRole, image);
    item->setIcon(0, icons_[static_cast<std::size_t>(image / 2)]);
    return item;
}

void TFXML::btnOpenClick()
{
    DisabledWhileRunning busy(btnopen);
    const std::string directory = context_.ProjectDir.empty() ? context_.ProjectsDir : context_.ProjectDir;
    const std::optional<std::string> path =
        DesktopServices().PickOpenFile("Open XML File", directory, "XML Files (*.xml)|*.xml");
    if (!path) return;
    TXMLStringReader reader(ReadFileBytes(*path));
    std::unique_ptr<TXMLNode> document = reader.Parse();
    document->FileName = FileNameOf(*path);

    TvXml->setUpdatesEnabled(false);
    TvXml->clear();
    QTreeWidgetItem* top = MakeItem(document->DisplayText(), 0);
    TvXml->addTopLevelItem(top);
    std::vector<std::pair<const TXMLNode*, QTreeWidgetItem*>> pending{{document.get(), top}};
    while (!pending.empty()) {
        const auto [node, item] = pending.back();
        pending.pop_back();
        for (const auto& child : node->Children) {
            QTreeWidgetItem* childItem = MakeItem(child->DisplayText(), 2 * static_cast<int>(child->Kind));
            item->addChild(childItem);
            pending.emplace_back(child.get(), childItem);
        }
    }
    TvXml->setUpdatesEnabled(true);
}

void TFXML::btnFullExpandClick()
{
    TvXml->expandAll();
}

ShownNode TFXML::Shown(const QTreeWidgetItem* item) const
{
    ShownNode node{S(item->text(0)), item->data(0, kImageRole).toInt(), {}};
    node.Children.reserve(static_cast<std::size_t>(item->childCount()));
    for (int i = 0; i < item->childCount(); ++i) node.Children.push_back(Shown(item->child(i)));
    return node;
}

void TFXML::btnWriteClick()
{
    DisabledWhileRunning busy(btnWrite);
    QTreeWidgetItem* top = TvXml->topLevelItem(0);
    if (!top) return; // nothing opened: nothing to write
    const ShownNode shown = Shown(top);
    if (!BuildDocumentFromShownTree(document_, shown)) return;
    if (context_.ProjectDir.empty()) {
        Messages().Notice("Project not valid");
        return;
    }
    // The name comes from the top node's text, which the engineer may edit: it has to stay
    // a plain file name inside the project directory.
    const std::string name = WrittenFileName(shown.Text);
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos)
        throw Failure("'" + name + "' is not a valid file name");
    document_.SaveFile(JoinPath(context_.ProjectDir, name));
}

bool TFXML::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TvXml->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            // The selection does not follow the right click: the node selected before is edited.
            TvXmlMouseDown(mouse->button());
            return true;
        }
    }
    if (watched == TvXml && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F2) {
            TvXmlKeyDown(key->key());
            return true;
        }
    }
    return ModalWindow::eventFilter(watched, event);
}

void TFXML::TvXmlMouseDown(Qt::MouseButton button)
{
    if (button == Qt::RightButton) EditSelectedNode();
}

void TFXML::TvXmlKeyDown(int key)
{
    if (key == Qt::Key_F2) EditSelectedNode();
}

void TFXML::EditSelectedNode()
{
    // A failed edit leaves the node as it was, without a message.
    try {
        const QList<QTreeWidgetItem*> selected = TvXml->selectedItems();
        if (selected.isEmpty() || !editText_) return;
        QTreeWidgetItem* item = selected.first();
        if (std::optional<std::string> text = editText_(S(item->text(0)))) item->setText(0, Q(*text));
    } catch (...) {
    }
}

} // namespace zz
