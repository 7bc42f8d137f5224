#include "projectcheck/DeviceNetAreas.h"

#include "common/ParseInt.h"
#include "editors/gateway/FrameMappingDocument.h"

#include <exception>

inline namespace zz {

namespace {

int AreaSize(const std::string& text)
{
    const int32_t size = ParseIntOr(text, -1);
    return size >= 1 && size <= kDeviceNetBytes ? size : kDeviceNetBytes;
}

} // namespace

DeviceNetAreas AreasOf(const PargenSettings& settings)
{
    return {AreaSize(settings.NetIn), AreaSize(settings.NetOut)};
}

DeviceNetAreas ReadDeviceNetAreas(const std::string& pargenPath)
{
    ProjectDocument document(Discipline::Strict);
    PargenSettings settings = PargenDefaults(true);
    try {
        if (LoadPargen(document, pargenPath, settings)) return AreasOf(settings);
    } catch (const std::exception&) {
    }
    return {};
}

} // namespace zz
