#pragma once
#include "common/ProjectContext.h"

#include <optional>
#include <string>
#include <string_view>

inline namespace zz {

// The main window's caption before a project is shown in it.
inline constexpr std::string_view kDesignCaption = "Norvale Zuzududada_GX48802_TRAVEX";

// kDesignCaption + " :" + the project name.
std::string ProjectCaption(std::string_view projectName);

// AppDir + "/Zuzududada_TRVX.ini".
std::string SettingsFile(const ProjectContext& context);

// Start-up: sets the directories from appDir (made absolute), creates MASTER and PROJECTS
// when missing, restores the last project from the settings file and sets the document paths.
// Returns the main window's caption.
std::string StartUpWorkspace(ProjectContext& context, const std::string& appDir);

// Open project, before the folder dialog: a ProjectDir that no longer exists is cleared.
void PrepareOpenProject(ProjectContext& context);

// Open project, after the folder dialog (nothing on Cancel): takes the picked folder, derives
// ProjectName and the document paths, and returns the caption. A folder outside ProjectsDir
// cannot hold a project of this workspace; it is refused with a notice and treated as Cancel.
std::string FinishOpenProject(ProjectContext& context, const std::optional<std::string>& picked);

// Close: stores ProjectName unchanged in the settings file. Throws Failure when the file
// cannot be written.
void StoreLastProject(const ProjectContext& context);

} // namespace zz
