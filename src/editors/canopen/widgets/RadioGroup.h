#pragma once
#include <QGroupBox>

#include <vector>

class QButtonGroup;
class QRadioButton;

inline namespace zz {

// A framed group of radio buttons of which one is selected, addressed by item position.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    // The selected item's position, -1 when none.
    int ItemIndex() const;
    void SetItemIndex(int index);
    QRadioButton* Item(int index) const { return items_.at(size_t(index)); }

private:
    QButtonGroup* group_;
    std::vector<QRadioButton*> items_;
};

} // namespace zz
