#pragma once
#include "common/widgets/ModalWindow.h"

#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

inline namespace zz {

struct ProjectContext;

// The small dialog with one text field. In new-project mode (EditMode 0) it asks for a
// project name and creates the project; in text-edit mode (EditMode 1, caption "Edit XML") it
// edits one line of text for the XML reader & writer window.
class TFsaveproj : public ModalWindow {
    Q_OBJECT
public:
    TFsaveproj(ProjectContext& context, QWidget* parent = nullptr);

    int EditMode = 0;
    std::string DestinationDir;
    std::string NewProjectName;

    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* bitbtn1;
    QPushButton* bitbtn2;

    // Text-edit mode: shows `text` for editing; the edited text on OK, nothing on Cancel.
    std::optional<std::string> EditText(const std::string& text);

protected:
    void FormShow() override;
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    // True when the dialog may close: the project was created, or the text was edited.
    bool BitBtn1Click();
    void BitBtn2Click();

    ProjectContext& context_;
};

} // namespace zz
