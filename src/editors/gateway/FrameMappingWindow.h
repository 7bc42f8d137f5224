#pragma once
#include "common/widgets/ModalWindow.h"
#include "gateway/FrameMappingDocument.h"
#include "xmlstore/ProjectDocument.h"

#include <array>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

inline namespace zz {

struct ProjectContext;

// The byte mapping editor of a frame table: the frames listed by "COB ID" and, for the
// selected frame, one line per CAN data byte with the DeviceNet byte it is mapped to. Lines
// beyond the frame's data length are disabled and marked "Not in use". Every showing reads
// the frame table and the mapping again.
class FrameMappingWindow : public ModalWindow {
    Q_OBJECT
public:
    QListWidget* ListBox1;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QLineEdit* Edit6;
    QLineEdit* Edit7;
    QLineEdit* Edit8;
    QPushButton* bitbtn1; // OK
    QPushButton* bitbtn2; // Cancel

    // The records as the window holds them, one per listed frame.
    const MappingList& Mappings() const { return list_; }
    // The line k (1 to 8) and its "Not in use" mark.
    QWidget* Line(int k) const { return lines_[static_cast<size_t>(k - 1)]; }
    QLabel* NotInUse(int k) const { return notInUse_[static_cast<size_t>(k - 1)]; }

protected:
    FrameMappingWindow(ProjectContext& context, GatewaySide side, const QString& caption, QWidget* parent);

    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ListBox1Click();
    void ShowSelected();
    // The list's current row and highlight on the frame shown.
    void KeepListOnSelected();
    void DisableLines();
    // Whether a refused text is told at once (with the focus put back) or left to OK.
    enum class Refusal { Tell, Quiet };
    // Stores the text of line k into the selected frame; false when the text was refused.
    bool StoreEdit(int k, Refusal refusal);
    void EditExit(int k, Refusal refusal);
    void EditChange(int k);
    bool bitbtn1Click();

    QLineEdit* EditOf(int k) const { return edits_[static_cast<size_t>(k - 1)]; }
    // The number of the line whose edit this is; 0 for anything else.
    int LineOf(QObject* edit) const;
    FrameMapping* Selected();
    const std::string& FramePath() const;
    const std::string& InfoPath() const;

    ProjectContext& context_;
    GatewaySide side_;
    ProjectDocument document_{Discipline::Strict};
    MappingList list_;
    int selected_ = -1;
    bool filling_ = false;
    bool storing_ = false;
    bool showing_ = false;
    std::array<bool, 8> edited_{}; // typed into since the line was shown or stored
    std::array<bool, 8> told_{};   // its refusal was told since it was last typed into
    std::array<QLineEdit*, 8> edits_{};
    std::array<QWidget*, 8> lines_{};
    std::array<QLabel*, 8> notInUse_{};
};

// "Receive Frames Info": where the bytes of each receive frame go in the DeviceNet input
// area (Receive_Info.xml). A line is stored when the engineer leaves it; OK refuses to save
// while one DeviceNet byte is fed by two CAN bytes.
class TF_Rec_Info : public FrameMappingWindow {
    Q_OBJECT
public:
    explicit TF_Rec_Info(ProjectContext& context, QWidget* parent = nullptr);
};

// "Send Frames Info": where the bytes of each send frame come from in the DeviceNet output
// area (Send_Info.xml). A line is stored at every change of its text; one DeviceNet byte may
// feed any number of CAN bytes.
class TF_Sen_Info : public FrameMappingWindow {
    Q_OBJECT
public:
    explicit TF_Sen_Info(ProjectContext& context, QWidget* parent = nullptr);
};

} // namespace zz
