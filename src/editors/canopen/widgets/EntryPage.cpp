#include "editors/canopen/widgets/EntryPage.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

inline namespace zz {

QString SideLetter(CanSide side)
{
    return side == CanSide::A ? QStringLiteral("A") : QStringLiteral("B");
}

QString OtherSideLetter(CanSide side)
{
    return SideLetter(side == CanSide::A ? CanSide::B : CanSide::A);
}

QHBoxLayout* EntryPageButtons(QWidget* page, const QString& suffix, std::initializer_list<EntryPageButton> buttons)
{
    auto* row = new QHBoxLayout;
    for (const EntryPageButton& b : buttons) {
        *b.Field = new QPushButton(QString::fromLatin1(b.Caption), page);
        (*b.Field)->setObjectName(QString::fromLatin1(b.Name) + suffix);
        row->addWidget(*b.Field);
    }
    row->addStretch();
    return row;
}

void LayOutEntryPage(QWidget* page, QWidget* list, QVBoxLayout* right, QHBoxLayout* buttons)
{
    right->addStretch();
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(list);
    layout->addLayout(right, 1);
}

} // namespace zz
