#include "app/TFHelp.h"

#include "app/HelpFile.h"
#include "common/MessageSink.h"
#include "common/widgets/QtText.h"

#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

inline namespace zz {

TFHelp::TFHelp(const ProjectContext& context, QWidget* parent)
    : ModalWindow(parent),
      RichEdit1(new QTextEdit(this)),
      context_(context)
{
    setWindowTitle(QStringLiteral("Help"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    NameFor(RichEdit1, QStringLiteral("Help"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RichEdit1);
    resize(640, 480);
}

void TFHelp::FormShow()
{
    RichEdit1->setFocus(); // the arrows and Page keys scroll the text
    const std::optional<HelpText> text = ReadHelpText(HelpFilePath(context_));
    if (!text) {
        RichEdit1->clear();
        Messages().Notice("Impossible to read file Help");
        return;
    }
    if (text->IsHtml) RichEdit1->setHtml(Q(text->Text));
    else RichEdit1->setPlainText(Q(text->Text));
    RichEdit1->moveCursor(QTextCursor::Start);
}

} // namespace zz
