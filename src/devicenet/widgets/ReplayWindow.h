#pragma once
#include "common/widgets/ModalWindow.h"
#include "devicenet/ByteMap.h"
#include "devicenet/ReplayConfiguration.h"
#include "devicenet/ReplayTimeline.h"

#include <memory>
#include <optional>
#include <string>

class QLabel;
class QListView;
class QListWidget;
class QPushButton;
class QScrollArea;
class QSlider;

inline namespace zz {

class ReplayImageView;
class ReplayChangesModel;

// "Replay CAN log": a recorded candump -l or ASC log replayed through the project's
// configuration image; the input area shows every DeviceNet byte's value after the chosen
// change, the slider and the step buttons walk through the changes, the lists show the
// changes (frames that changed the image) and the events (time-outs, drops, unreadable lines
// and the ignored frames by kind).
class ReplayWindow : public ModalWindow {
    Q_OBJECT
public:
    explicit ReplayWindow(QWidget* parent = nullptr);
    ~ReplayWindow() override;

    void SetProjectDir(const std::string& projectDir) { projectDir_ = projectDir; }

    // Handlers of the controls.
    void OpenLogClick();
    // Reads the log; a failure or Cancel keeps the run shown before.
    void LoadLog(const std::string& path);
    void ShowStep(int steps); // 0: the start, k: after the k-th change

    const ReplayTimeline& Timeline() const { return *timeline_; }
    int Step() const { return step_; }

    QPushButton* OpenLog;
    QLabel* Summary;
    ReplayImageView* View;
    QScrollArea* Scroll;
    QSlider* Time;
    QLabel* TimeLabel;
    QPushButton* Previous;
    QPushButton* Next;
    QListView* Changes;
    QListWidget* Events;
    QPushButton* CloseButton;

protected:
    void FormShow() override;

private:
    std::string projectDir_;
    std::optional<ReplayConfiguration> configuration_;
    ByteMap map_;
    std::unique_ptr<ReplayTimeline> timeline_;
    ReplayChangesModel* model_;
    int step_ = 0;
    bool syncing_ = false;
};

} // namespace zz
