#pragma once
#include "canbus/DbcImport.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QListWidget;
class QRadioButton;

inline namespace zz {

// Asks how a DBC file's frames go into the tables: restored as exported (for our own files),
// by the gateway's node or all into one table; whether covered bytes are mapped; which frames.
// OK plans the import and, when tables hold frames, asks before replacing them; a refused plan
// is said and the dialog stays open with the choices made.
class DbcImportDialog : public QDialog {
    Q_OBJECT
public:
    explicit DbcImportDialog(QWidget* parent = nullptr);

    // Shows the choices for the file and the project; the plan to write, or nothing on Cancel.
    std::optional<DbcImportPlan> Choose(const DbcDatabase& database, const GatewayProject& project);

    void accept() override;

private:
    DbcImportOptions Options() const;

    QRadioButton* asExported_;
    QRadioButton* byNode_;
    QRadioButton* bySide_;
    QComboBox* node_;
    QComboBox* side_;
    QCheckBox* map_;
    QListWidget* frames_;
    const DbcDatabase* database_ = nullptr;
    const GatewayProject* project_ = nullptr;
    std::optional<DbcImportPlan> plan_;
};

} // namespace zz
