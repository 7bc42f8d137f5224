#include "canbus/widgets/DbcWindowActions.h"

#include "canbus/DbcExport.h"
#include "canbus/DbcReader.h"
#include "canbus/widgets/DbcImportDialog.h"
#include "common/Desktop.h"
#include "common/FileSystem.h"
#include "common/MessageSink.h"

inline namespace zz {

namespace {

constexpr const char* kDbcFilter = "DBC files (*.dbc)|*.dbc";

} // namespace

void ExportDbcFromWindow(const std::string& projectDir)
{
    std::optional<std::string> file = DesktopServices().PickSaveFile("Export DBC", projectDir, kDbcFilter);
    if (!file) return;
    if (FileNameOf(*file).find('.') == std::string::npos) *file += ".dbc";
    const DbcExport exported = ExportDbc(LoadGatewayProject(ProjectLayout::Of(projectDir)));
    WriteFileAtomically(*file, exported.Text);
    Messages().Notice("Exported " + std::to_string(exported.ReceiveFrames) + " receive and " +
                      std::to_string(exported.SendFrames) + " send frames with " + std::to_string(exported.Signals) +
                      " mapped bytes to " + FileNameOf(*file) + ".");
}

void ImportDbcFromWindow(const std::string& projectDir, DbcImportDialog& dialog)
{
    const std::optional<std::string> file = DesktopServices().PickOpenFile("Import DBC", projectDir, kDbcFilter);
    if (!file) return;
    const DbcDatabase database = ReadDbcFile(*file);
    const GatewayProject project = LoadGatewayProject(ProjectLayout::Of(projectDir));
    const std::optional<DbcImportPlan> plan = dialog.Choose(database, project);
    if (!plan) return;
    WriteDbcImport(project, *plan);
    std::string summary;
    for (const std::string& line : DbcImportSummary(*plan)) summary += line + "\n";
    Messages().Notice(summary);
}

} // namespace zz
