#pragma once
#include "common/Failure.h"
#include "common/ProjectLayout.h"
#include "gateway/FrameMappingDocument.h"
#include "gateway/FrameTableDocument.h"
#include "gateway/GatewaySide.h"
#include "gateway/PargenDocument.h"
#include "xmlstore/documents/FrameInfoXml.h"
#include "xmlstore/documents/FrameTableXml.h"
#include "xmlstore/documents/PargenXml.h"

#include <optional>
#include <string>

inline namespace zz {

// One document of a gateway project as it was found on disk: missing, loaded with its texts,
// or refused by the document layer with the reason.
template <typename Texts>
struct GatewayDocument {
    const char* Name = ""; // the file name, as messages name the document
    std::string Path;
    bool Exists = false;
    std::optional<Texts> Content;           // when it exists and loads
    std::optional<DocumentProblem> Problem; // when it exists and does not load

    bool Loaded() const { return Content.has_value(); }
    // The texts; throws Failure with the load problem when the document did not load.
    const Texts& Read() const
    {
        if (Content) return *Content;
        throw Failure(Problem.value_or(DocumentProblem{Name, std::nullopt, "", "'" + Path + "' was not read"}));
    }
};

// The configuration of a gateway project: the communication parameters, the two frame tables
// and their byte mappings, each document read once, under the strict discipline of the
// document layer. Values stay the texts the documents hold: each reader (the firmware loader,
// the check, the byte map, the exchange formats) applies its own rules to them.
struct GatewayProject {
    ProjectLayout Layout;
    GatewayDocument<PargenTexts> Pargen;
    GatewayDocument<FrameTableTexts> ReceiveFrames;
    GatewayDocument<FrameInfoTexts> ReceiveInfo;
    GatewayDocument<FrameTableTexts> SendFrames;
    GatewayDocument<FrameInfoTexts> SendInfo;

    const GatewayDocument<FrameTableTexts>& Frames(GatewaySide side) const;
    const GatewayDocument<FrameInfoTexts>& Info(GatewaySide side) const;
    // True when any of the five documents exists.
    bool AnyDocument() const;
};

// Reads the five documents of the layout, each once, in the loader's order of need.
GatewayProject LoadGatewayProject(const ProjectLayout& layout);

// The frames of a side and their mappings as the mapping editor lists them, by the rules of
// LoadMappings; throws Failure as it does, the document that does not load included.
void SideMappings(const GatewayProject& project, GatewaySide side, MappingList& into);

// The communication parameters as the editor reads them over `into`; false when pargen.xml
// does not exist. Throws Failure as LoadPargen does.
bool ProjectPargen(const GatewayProject& project, PargenSettings& into);

// The sizes of the DeviceNet input and output areas (Net_In and Net_Out). A size the editor
// would refuse, or a project whose pargen.xml is missing or cannot be read, counts as the full
// 128 bytes: mappings are then measured against the largest area, and the refused value is a
// finding of the check.
struct DeviceNetAreas {
    int Input = 128;
    int Output = 128;

    int Of(GatewaySide side) const { return side == GatewaySide::Receive ? Input : Output; }
};
DeviceNetAreas AreasOf(const PargenSettings& settings);
DeviceNetAreas AreasOf(const GatewayProject& project);

} // namespace zz
