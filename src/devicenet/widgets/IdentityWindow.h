#pragma once
#include "common/widgets/ModalWindow.h"

#include <map>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QWidget;

inline namespace zz {

// "DeviceNet identity": the identity kept beside the base firmware in MASTER, which every EDS
// file is made with, one field per line. OK checks every field and saves; the first field
// that breaks its rule is named in a message and gets the focus, the window stays open with
// what was typed and the file as it was. Every showing reads the file again (creating it with
// the demo values when missing).
class IdentityWindow : public ModalWindow {
    Q_OBJECT
public:
    explicit IdentityWindow(QWidget* parent = nullptr);

    void SetMasterDir(const std::string& masterDir) { masterDir_ = masterDir; }

    // The field of a key of the identity: a QLineEdit, or a QCheckBox for the connections.
    QWidget* Field(const std::string& key) const { return fields_.at(key); }
    QPushButton* OK;
    QPushButton* Cancel;

    // The OK handler: true when the identity was saved.
    bool OKClick();

protected:
    void FormShow() override;

private:
    std::string masterDir_;
    std::map<std::string, QWidget*> fields_;
};

} // namespace zz
