#include "app/TFsaveproj.h"

#include "app/NewProject.h"
#include "common/ProjectContext.h"
#include "common/widgets/Guarded.h"
#include "common/widgets/QtText.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

inline namespace zz {

TFsaveproj::TFsaveproj(ProjectContext& context, QWidget* parent)
    : ModalWindow(parent),
      Label1(new QLabel(QStringLiteral("Project name"), this)),
      Edit1(new QLineEdit(this)),
      bitbtn1(new QPushButton(QStringLiteral("OK"), this)),
      bitbtn2(new QPushButton(QStringLiteral("Cancel"), this)),
      context_(context)
{
    // A tool window without system buttons: it closes only through OK and Cancel.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setObjectName(QStringLiteral("TFsaveproj"));
    LabelFor(Label1, Edit1);
    Edit1->setMinimumWidth(280);
    bitbtn1->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bitbtn1);
    buttons->addWidget(bitbtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Edit1);
    layout->addLayout(buttons);

    OnAccept(bitbtn1, this, [this] { return BitBtn1Click(); });
    OnClick(bitbtn2, [this] { BitBtn2Click(); });
}

void TFsaveproj::FormShow()
{
    if (EditMode == 0) {
        setWindowTitle(QStringLiteral("New project"));
        Edit1->clear();
        NewProjectName.clear();
        Label1->setVisible(true);
        Edit1->setAccessibleName(QStringLiteral("Project name"));
    } else if (EditMode == 1) {
        setWindowTitle(QStringLiteral("Edit XML"));
        Label1->setVisible(false);
        Edit1->setAccessibleName(QStringLiteral("Edit XML"));
        Edit1->selectAll(); // typing replaces the text, as in any field opened for a change
    }
    Edit1->setFocus();
}

bool TFsaveproj::BitBtn1Click()
{
    if (EditMode == 0) {
        NewProjectName = S(Edit1->text()); // used as typed, blanks included
        return CreateNewProject(context_, DestinationDir, NewProjectName);
    }
    return EditMode == 1;
}

void TFsaveproj::BitBtn2Click()
{
    done(QDialog::Rejected);
}

void TFsaveproj::reject()
{
    BitBtn2Click(); // Escape is Cancel
}

void TFsaveproj::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

std::optional<std::string> TFsaveproj::EditText(const std::string& text)
{
    EditMode = 1;
    Edit1->setText(Q(text));
    if (exec() != QDialog::Accepted) return std::nullopt;
    return S(Edit1->text());
}

} // namespace zz
