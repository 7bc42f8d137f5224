#pragma once
#include "common/widgets/ModalWindow.h"

class QTextEdit;

inline namespace zz {

struct ProjectContext;

// "Help": the help file of the product variant in a read-only text box.
class TFHelp : public ModalWindow {
    Q_OBJECT
public:
    TFHelp(const ProjectContext& context, QWidget* parent = nullptr);

    QTextEdit* RichEdit1;

protected:
    void FormShow() override;

private:
    const ProjectContext& context_;
};

} // namespace zz
