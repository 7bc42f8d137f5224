#pragma once
#include "editors/canopen/tables/CanSide.h"

#include <QString>

#include <initializer_list>

class QHBoxLayout;
class QPushButton;
class QVBoxLayout;
class QWidget;

inline namespace zz {

// "A" or "B", the side's letter, which also ends the names of a page's controls; and the
// other side's.
QString SideLetter(CanSide side);
QString OtherSideLetter(CanSide side);

// A button under an entry page of the emergency editors; its object name carries the page's
// suffix.
struct EntryPageButton {
    QPushButton** Field;
    const char* Name;
    const char* Caption;
};

// The row of the page's buttons, from the left, in the order given.
QHBoxLayout* EntryPageButtons(QWidget* page, const QString& suffix, std::initializer_list<EntryPageButton> buttons);

// Lays out an entry page: the list of entries on the left; on the right what `right` holds,
// with the buttons at the bottom.
void LayOutEntryPage(QWidget* page, QWidget* list, QVBoxLayout* right, QHBoxLayout* buttons);

} // namespace zz
