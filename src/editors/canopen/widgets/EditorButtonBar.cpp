#include "editors/canopen/widgets/EditorButtonBar.h"

#include "common/widgets/Guarded.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct EditorButtonBar {
    QPushButton* ok;
    QPushButton* cancel;
    QPushButton* exportButton;
    QPushButton* importButton;
    QHBoxLayout* layout;
};

EditorButtonBar MakeEditorButtonBar(QDialog* window, std::function<bool()> ok, std::function<void()> exportLines,
                                    std::function<void()> importSheet)
{
    EditorButtonBar bar{new QPushButton(QStringLiteral("OK"), window), new QPushButton(QStringLiteral("Cancel"), window),
                        new QPushButton(QStringLiteral("Export"), window),
                        new QPushButton(QStringLiteral("Import"), window), new QHBoxLayout};
    bar.ok->setObjectName(QStringLiteral("BitBtn1"));
    bar.cancel->setObjectName(QStringLiteral("BitBtn2"));
    bar.exportButton->setObjectName(QStringLiteral("Button1"));
    bar.importButton->setObjectName(QStringLiteral("BitBtn4"));
    bar.layout->addWidget(bar.ok);
    bar.layout->addWidget(bar.cancel);
    bar.layout->addStretch();
    bar.layout->addWidget(bar.exportButton);
    bar.layout->addWidget(bar.importButton);
    for (QPushButton* b : {bar.ok, bar.cancel, bar.exportButton, bar.importButton}) b->setAutoDefault(false);

    OnAccept(bar.ok, window, std::move(ok));
    QObject::connect(bar.cancel, &QPushButton::clicked, window, &QDialog::reject);
    OnClick(bar.exportButton, std::move(exportLines));
    OnClick(bar.importButton, std::move(importSheet));
    return bar;
}

} // namespace

void AddEditorButtonBar(QDialog* window, QWidget* pages, EditorButtonFields fields, std::function<bool()> ok,
                        std::function<void()> exportLines, std::function<void()> importSheet)
{
    const EditorButtonBar bar = MakeEditorButtonBar(window, std::move(ok), std::move(exportLines), std::move(importSheet));
    *fields.ok = bar.ok;
    *fields.cancel = bar.cancel;
    *fields.exportButton = bar.exportButton;
    *fields.importButton = bar.importButton;
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(pages, 1);
    layout->addLayout(bar.layout);
}
