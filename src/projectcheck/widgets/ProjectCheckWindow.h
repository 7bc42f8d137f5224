#pragma once
#include "common/widgets/ModalWindow.h"
#include "projectcheck/Finding.h"

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

inline namespace zz {

// "Check project": the findings of the project check, one line each. Every showing checks the
// documents on disk again. Activating a finding (Enter, a double click or "Open editor") hands
// it to the owner, which opens the editor of its document; the list is checked again when
// that editor closes.
class ProjectCheckWindow : public ModalWindow {
    Q_OBJECT
public:
    explicit ProjectCheckWindow(QWidget* parent = nullptr);

    // The project to check at the next showing.
    void SetProjectDir(const std::string& projectDir) { projectDir_ = projectDir; }
    // Called with the activated finding; the owner opens the editor of its document.
    void SetOpenDocument(std::function<void(const Finding&)> open) { openDocument_ = std::move(open); }

    const std::vector<Finding>& Findings() const { return findings_; }

    // Checks the project again and fills the list.
    void RunCheck();
    // Opens the editor of the selected finding.
    void OpenSelected();

    QLabel* Verdict;
    QTableWidget* List;
    QPushButton* OpenEditor;
    QPushButton* CheckAgain;
    QPushButton* CloseButton;

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::string projectDir_;
    std::vector<Finding> findings_;
    std::function<void(const Finding&)> openDocument_;
};

} // namespace zz
