#include "gateway/GatewayProject.h"

#include "common/FileSystem.h"
#include "common/ParseInt.h"

#include <exception>

inline namespace zz {

namespace {

template <typename Texts, typename Reader>
GatewayDocument<Texts> ReadDocument(const char* name, const std::string& path, Reader read)
{
    GatewayDocument<Texts> document;
    document.Name = name;
    document.Path = path;
    document.Exists = FileExists(path);
    if (!document.Exists) return document;
    // The tree is dropped once its texts are taken.
    ProjectDocument tree(Discipline::Strict);
    try {
        document.Content = read(tree, path);
    } catch (const std::exception& failure) {
        document.Problem = DocumentProblem{name, std::nullopt, "", failure.what()};
    }
    return document;
}

int AreaSize(const std::string& text)
{
    const int32_t size = ParseIntOr(text, -1);
    return size >= 1 && size <= kDeviceNetBytes ? size : kDeviceNetBytes;
}

} // namespace

const GatewayDocument<FrameTableTexts>& GatewayProject::Frames(GatewaySide side) const
{
    return side == GatewaySide::Receive ? ReceiveFrames : SendFrames;
}

const GatewayDocument<FrameInfoTexts>& GatewayProject::Info(GatewaySide side) const
{
    return side == GatewaySide::Receive ? ReceiveInfo : SendInfo;
}

bool GatewayProject::AnyDocument() const
{
    return Pargen.Exists || ReceiveFrames.Exists || ReceiveInfo.Exists || SendFrames.Exists || SendInfo.Exists;
}

GatewayProject LoadGatewayProject(const ProjectLayout& layout)
{
    GatewayProject project;
    project.Layout = layout;
    project.ReceiveFrames =
        ReadDocument<FrameTableTexts>(kReceiveFrameName, layout.ReceiveFrameFile, ReadFrameTableXml);
    project.ReceiveInfo = ReadDocument<FrameInfoTexts>(kReceiveInfoName, layout.ReceiveInfoFile, ReadFrameInfoXml);
    project.SendFrames = ReadDocument<FrameTableTexts>(kSendFrameName, layout.SendFrameFile, ReadFrameTableXml);
    project.SendInfo = ReadDocument<FrameInfoTexts>(kSendInfoName, layout.SendInfoFile, ReadFrameInfoXml);
    project.Pargen = ReadDocument<PargenTexts>(kPargenName, layout.PargenFile, ReadPargenXml);
    return project;
}

void SideMappings(const GatewayProject& project, GatewaySide side, MappingList& into)
{
    into.CobIds.clear();
    into.Records.clear();
    const auto& frames = project.Frames(side);
    const auto& info = project.Info(side);
    const FrameTableTexts* table = frames.Exists ? &frames.Read() : nullptr;
    // The table's rows fail before the info document is looked at, as the editor reads them.
    MappingsOf(table, nullptr, into);
    if (into.Records.empty() || !info.Exists) return;
    MappingsOf(table, &info.Read(), into);
}

bool ProjectPargen(const GatewayProject& project, PargenSettings& into)
{
    if (!project.Pargen.Exists) return false;
    PargenFromTexts(project.Pargen.Read(), into);
    return true;
}

DeviceNetAreas AreasOf(const PargenSettings& settings)
{
    return {AreaSize(settings.NetIn), AreaSize(settings.NetOut)};
}

DeviceNetAreas AreasOf(const GatewayProject& project)
{
    PargenSettings settings = PargenDefaults(true);
    try {
        if (ProjectPargen(project, settings)) return AreasOf(settings);
    } catch (const std::exception&) {
    }
    return {};
}

} // namespace zz
