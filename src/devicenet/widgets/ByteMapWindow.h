#pragma once
#include "common/widgets/ModalWindow.h"
#include "devicenet/ByteMap.h"

#include <functional>
#include <string>

class QListWidget;
class QPushButton;
class QScrollArea;

inline namespace zz {

class ByteMapView;

// "DeviceNet Byte Map": the input and output areas of the current project as grids of
// numbered cells, the frames in a side list (selecting one highlights its bytes), export of
// the picture to SVG and PNG and of the PLC's tag list to CSV, and printing. Every showing reads the documents again.
class ByteMapWindow : public ModalWindow {
    Q_OBJECT
public:
    explicit ByteMapWindow(QWidget* parent = nullptr);

    void SetProjectDir(const std::string& projectDir) { projectDir_ = projectDir; }
    // Asks for the file to export to, given the dialog's caption and filter; an empty answer
    // cancels. A file dialog unless replaced (the tests answer themselves).
    void SetAskPath(std::function<QString(const QString& caption, const QString& filter)> ask)
    {
        askPath_ = std::move(ask);
    }

    const ByteMap& Map() const { return map_; }

    // Handlers of the buttons and the frame list.
    void ExportSvgClick();
    void ExportPngClick();
    void ExportTagsClick();
    void PrintClick();
    void FramesRowChanged(int row);

    QListWidget* Frames;
    ByteMapView* View;
    QScrollArea* Scroll;
    QPushButton* ExportSvg;
    QPushButton* ExportPng;
    QPushButton* ExportTags;
    QPushButton* Print;
    QPushButton* CloseButton;

protected:
    void FormShow() override;

private:
    std::string projectDir_;
    ByteMap map_;
    std::function<QString(const QString&, const QString&)> askPath_;
};

} // namespace zz
