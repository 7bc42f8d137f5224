#include "editors/canopen/widgets/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

inline namespace zz {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent),
      group_(new QButtonGroup(this))
{
    auto* layout = new QGridLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        group_->addButton(button, i);
        layout->addWidget(button, i / 3, i % 3);
        items_.push_back(button);
    }
}

int RadioGroup::ItemIndex() const
{
    return group_->checkedId();
}

void RadioGroup::SetItemIndex(int index)
{
    if (index >= 0 && index < int(items_.size())) items_[size_t(index)]->setChecked(true);
}

} // namespace zz
