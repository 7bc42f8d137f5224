#include "common/ProjectLayout.h"

inline namespace zz {

ProjectLayout ProjectLayout::Of(std::string projectDir)
{
    while (projectDir.size() > 1 && projectDir.back() == '/') projectDir.pop_back();
    const auto in = [&](const char* name) { return projectDir + "/" + name; };
    ProjectLayout layout;
    layout.PargenFile = in(kPargenName);
    layout.ReceiveFrameFile = in(kReceiveFrameName);
    layout.ReceiveInfoFile = in(kReceiveInfoName);
    layout.SendFrameFile = in(kSendFrameName);
    layout.SendInfoFile = in(kSendInfoName);
    layout.SdoFile = in(kSdoName);
    layout.RpdoDefFile = in(kRpdoDefName);
    layout.SdoPdoFile = in(kSdoPdoName);
    layout.EmcyDefFile = in(kEmcyDefName);
    layout.EmcyWordFile = in(kEmcyWordName);
    layout.ProjectDir = std::move(projectDir);
    return layout;
}

} // namespace zz
