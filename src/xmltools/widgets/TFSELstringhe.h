#pragma once
#include "common/widgets/ModalWindow.h"
#include "xmlstore/ProjectDocument.h"

#include <string>

class QLabel;
class QPushButton;

inline namespace zz {

class StringGrid;

// "Select String": the strings of a strings document beside their index numbers; remembers
// the index the engineer selected.
class TFSELstringhe : public ModalWindow {
    Q_OBJECT
public:
    explicit TFSELstringhe(QWidget* parent = nullptr);

    static constexpr int kStringCount = 1000;

    // Path of the strings document: the document element holds one child per string.
    std::string StringsFile;
    // The selected index, 0 to 999; kept between showings. Read it after an OK.
    int SelectedStringIndex = 0;

    StringGrid* sg;
    QLabel* Label1;
    QPushButton* bitbtn1;
    QPushButton* bitbtn2;

    void sgSelectCell(int column, int row);

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormResize();

    ProjectDocument document_{Discipline::Guarded};
};

} // namespace zz
