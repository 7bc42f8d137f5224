#include "devicenet/widgets/IdentityWindow.h"

#include "common/Failure.h"
#include "common/MessageSink.h"
#include "common/widgets/QtText.h"
#include "devicenet/DeviceIdentity.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

inline namespace zz {

namespace {

bool IsConnection(const std::string& key)
{
    return key == "Strobe" || key == "ChangeOfState" || key == "Cyclic";
}

} // namespace

IdentityWindow::IdentityWindow(QWidget* parent)
    : ModalWindow(parent)
{
    setObjectName(QStringLiteral("IdentityWindow"));
    setWindowTitle(QStringLiteral("DeviceNet identity"));

    auto* form = new QFormLayout;
    auto* connections = new QVBoxLayout;
    auto* poll = new QLabel(QStringLiteral("Poll is always offered."), this);
    connections->addWidget(poll);
    for (const IdentityField& field : kIdentityFields) {
        const QString label = Q(field.Label);
        if (IsConnection(field.Key)) {
            auto* box = new QCheckBox(label, this);
            NameFor(box, label);
            connections->addWidget(box);
            fields_[field.Key] = box;
            continue;
        }
        auto* edit = new QLineEdit(this);
        edit->setObjectName(Q(field.Key));
        auto* caption = new QLabel(label, this);
        LabelFor(caption, edit);
        fields_[field.Key] = edit;
        if (std::string(field.Key) == "InputAssembly") {
            auto* title = new QLabel(QStringLiteral("Connections"), this);
            form->addRow(title, connections);
        }
        form->addRow(caption, edit);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(OkCancelBar(this, OK, Cancel, [this] { return OKClick(); }));
    resize(460, 520);
}

void IdentityWindow::FormShow()
{
    const IdentityTexts texts = TextsOf(DeviceIdentity{});
    // The demo values stand until the file is read, so that a refused file leaves a full form.
    const auto fill = [this](const IdentityTexts& values) {
        for (const auto& [key, text] : values) {
            if (auto* box = qobject_cast<QCheckBox*>(fields_.at(key))) box->setChecked(text == "yes");
            else qobject_cast<QLineEdit*>(fields_.at(key))->setText(Q(text));
        }
    };
    fill(texts);
    fields_.at(kIdentityFields.front().Key)->setFocus();
    fill(TextsOf(LoadDeviceIdentity(masterDir_)));
}

bool IdentityWindow::OKClick()
{
    // After a file that was refused the window shows the demo values, not the file.
    if (!ConfirmSaveAfterIncompleteLoad()) return false;
    IdentityTexts texts;
    for (const auto& [key, widget] : fields_) {
        if (auto* box = qobject_cast<QCheckBox*>(widget)) texts[key] = box->isChecked() ? "yes" : "no";
        else texts[key] = S(qobject_cast<QLineEdit*>(widget)->text());
    }
    DeviceIdentity identity;
    try {
        identity = IdentityFromTexts(texts);
    } catch (const Failure& refused) {
        Messages().Notice(refused.what());
        if (const auto field = fields_.find(refused.Problem().Field); field != fields_.end()) field->second->setFocus();
        return false;
    }
    SaveDeviceIdentity(masterDir_, identity);
    return true;
}

} // namespace zz
