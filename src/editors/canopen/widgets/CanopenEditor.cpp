#include "editors/canopen/widgets/CanopenEditor.h"

#include "common/widgets/Guarded.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

inline namespace zz {

CanopenEditor::CanopenEditor(ProjectContext& context, OpenExcelDialog& openExcel, QWidget* parent)
    : ModalWindow(parent),
      context_(context),
      openExcel_(openExcel)
{
}

void CanopenEditor::AddButtonBar(QWidget* pages, std::function<bool()> ok, std::function<void()> exportLines,
                                 std::function<void()> importSheet)
{
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button1 = new QPushButton(QStringLiteral("Export"), this);
    BitBtn4 = new QPushButton(QStringLiteral("Import"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    Button1->setObjectName(QStringLiteral("Button1"));
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    auto* bar = new QHBoxLayout;
    bar->addWidget(BitBtn1);
    bar->addWidget(BitBtn2);
    bar->addStretch();
    bar->addWidget(Button1);
    bar->addWidget(BitBtn4);
    // Enter in an edit field presses no button: none of them is safe to press by accident.
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);

    OnAccept(BitBtn1, this, std::move(ok));
    QObject::connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    OnClick(Button1, std::move(exportLines));
    OnClick(BitBtn4, std::move(importSheet));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addLayout(bar);
}

} // namespace zz
