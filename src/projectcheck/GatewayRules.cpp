// The rules over the five documents the firmware is built from: each editor's own checks,
// applied to the file as it is, and what only shows when the documents meet in the loader.
#include "projectcheck/CheckRules.h"

#include "common/FileSystem.h"
#include "common/GridCells.h"
#include "common/ParseInt.h"
#include "editors/gateway/FrameMappingDocument.h"
#include "editors/gateway/FrameTableDocument.h"
#include "editors/gateway/PargenDocument.h"
#include "firmware/ConfigurationImage.h"
#include "projectcheck/DeviceNetAreas.h"
#include "projectcheck/Report.h"

#include <exception>
#include <functional>
#include <map>

inline namespace zz {

namespace {


std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string RowSpan(size_t first, size_t last)
{
    return first == last ? "row " + std::to_string(first)
                         : "rows " + std::to_string(first) + " to " + std::to_string(last);
}

// One side of the gateway: a frame table and the byte mapping paired with it row by row.
struct Side {
    FrameSide frameSide;
    MappingSide mappingSide;
    std::string framePath, infoPath;
    const char* frameName;
    const char* infoName;
    const char* frameEditor;   // the main window's button of the frame editor
    const char* mappingEditor; // and of the mapping editor
    const char* areaElement;   // the pargen.xml element sizing the DeviceNet area
    const char* kind;          // "receive" or "send"
};

struct PargenFacts {
    bool exists = false;
    bool is29Bit = false;
    DeviceNetAreas areas;
};

// "CAN_Type" and "How_Send" are two-way switches: the editor reads "0" as one choice and any
// other text as the other, while the firmware gets the number's low byte. The two must agree.
void CheckSwitches(ProjectDocument& document, const std::string& path, Report& report)
{
    struct Switch {
        const char* element;
        const char* whenZero;
        const char* otherwise;
    };
    const Switch switches[] = {{"CAN_Type", "CAN 2.0A 11Bit", "CAN 2.0B 29Bit"},
                               {"How_Send", "Send Frame on Data Change", "Send Frame Every"}};
    for (const Switch& s : switches) {
        const std::optional<std::string> text = PargenElementText(document, path, s.element);
        const std::optional<int32_t> value = text ? TryParseInt(*text) : std::nullopt;
        if (!value) continue; // the loader's own message reports it
        const int stored = static_cast<int>(static_cast<uint32_t>(*value) & 0xFFu);
        const bool editorZero = *text == "0";
        if (stored == (editorZero ? 0 : 1)) continue;
        report.Error("value-truncated", kPargenName, std::nullopt, s.element,
                     std::string(s.element) + " holds " + Quoted(*text) + ": \"Set Communication\" shows \"" +
                         (editorZero ? s.whenZero : s.otherwise) + "\", but the firmware gets " + std::to_string(stored) +
                         (stored == 0 ? std::string(" (") + s.whenZero + ")." : stored == 1 ? std::string(" (") + s.otherwise + ")."
                                                                              : ", which is neither 0 nor 1."));
    }
}

PargenFacts CheckPargen(const ProjectFiles& files, Report& report)
{
    PargenFacts facts;
    facts.exists = FileExists(files.Pargen);
    if (!facts.exists) return facts;
    ProjectDocument document(Discipline::Strict);
    PargenSettings read = PargenDefaults(true);
    try {
        LoadPargen(document, files.Pargen, read);
    } catch (const std::exception& failure) {
        report.Error("document-not-loadable", kPargenName, std::nullopt, "",
                     std::string("The document cannot be read: ") + failure.what());
        return facts;
    }
    facts.is29Bit = !read.Can11Bit;
    facts.areas = AreasOf(read);

    // The editor stops at its first refusal; here every field is tried on its own against
    // otherwise valid settings, so each refused field is reported.
    struct Field {
        const char* element;
        std::function<std::string(const PargenSettings&)> text;
        std::function<void(PargenSettings&, const PargenSettings&)> take;
    };
    const Field fields[] = {
        {"Delay_Send", [](const PargenSettings& s) { return s.DelaySend; },
         [](PargenSettings& to, const PargenSettings& from) { to.DelaySend = from.DelaySend; }},
        {"TimeOut_Data", [](const PargenSettings& s) { return s.TimeOutData; },
         [](PargenSettings& to, const PargenSettings& from) { to.TimeOutData = from.TimeOutData; }},
        {"Net_Dev_Id", [](const PargenSettings& s) { return s.NetDevId; },
         [](PargenSettings& to, const PargenSettings& from) { to.NetDevId = from.NetDevId; }},
        {"Net_In", [](const PargenSettings& s) { return s.NetIn; },
         [](PargenSettings& to, const PargenSettings& from) { to.NetIn = from.NetIn; }},
        {"Net_Out", [](const PargenSettings& s) { return s.NetOut; },
         [](PargenSettings& to, const PargenSettings& from) { to.NetOut = from.NetOut; }},
        {"Can_Baud", [](const PargenSettings& s) { return std::to_string(s.CanBaud); },
         [](PargenSettings& to, const PargenSettings& from) { to.CanBaud = from.CanBaud; }},
        {"Net_Baud", [](const PargenSettings& s) { return std::to_string(s.NetBaud); },
         [](PargenSettings& to, const PargenSettings& from) { to.NetBaud = from.NetBaud; }},
    };
    for (const Field& field : fields) {
        PargenSettings probe = PargenDefaults(true);
        field.take(probe, read);
        if (const auto refusal = ValidatePargen(probe))
            report.Error("parameter-range", kPargenName, std::nullopt, field.element,
                         std::string(field.element) + " holds " + Quoted(field.text(read)) +
                             ", which \"Set Communication\" refuses: " + WithoutTrailingBlank(*refusal));
    }
    CheckSwitches(document, files.Pargen, report);
    return facts;
}

struct FrameFacts {
    bool exists = false;
    bool loaded = false;
    std::vector<FrameRow> rows;
};

FrameFacts CheckFrameTable(const Side& side, bool is29Bit, Report& report)
{
    FrameFacts facts;
    facts.exists = FileExists(side.framePath);
    if (!facts.exists) return facts;
    ProjectDocument document(Discipline::Strict);
    try {
        facts.rows = ReadFrameRows(document, side.framePath, side.frameSide);
    } catch (const std::exception& failure) {
        report.Error("document-not-loadable", side.frameName, std::nullopt, "",
                     std::string("The document cannot be read: ") + failure.what());
        return facts;
    }
    facts.loaded = true;
    const size_t count = facts.rows.size();

    // What the editor keeps: its table run over the grid it loads.
    GridCells cells(ColumnCountOf(side.frameSide), kFrameGridRows + 1);
    ResetFrameGrid(cells, side.frameSide);
    LoadFrameTable(document, side.framePath, side.frameSide, cells);
    const size_t run = FrameTableRun(cells, side.frameSide).size();
    if (run < count) {
        if (run == static_cast<size_t>(kMaxFrames)) {
            report.Error("table-too-long", side.frameName, kMaxFrames + 1, "",
                         "The table holds " + std::to_string(count) + " frames, but a table keeps at most " +
                             std::to_string(kMaxFrames) + ": \"" + side.frameEditor + "\" drops " +
                             RowSpan(kMaxFrames + 1, count) +
                             " on the next save, while the firmware loader still reads them.");
        } else {
            const size_t gap = run + 1;
            report.Error("table-gap", side.frameName, static_cast<int>(gap), "COBID",
                         "The COB ID is empty: \"" + std::string(side.frameEditor) +
                             "\" ends the table here and drops " + RowSpan(gap, count) +
                             " on the next save; the firmware loader stops at the empty COB ID.");
        }
    }

    std::map<int32_t, size_t> firstRowOf;
    for (size_t i = 0; i < count; ++i) {
        const FrameRow& frame = facts.rows[i];
        const int row = static_cast<int>(i + 1);
        if (!frame.CobId.empty()) {
            const std::optional<int32_t> id = TryParseInt(frame.CobId);
            if (const auto refusal = ValidateFrames({FrameRow{frame.CobId, "1", "", ""}}, is29Bit)) {
                if (!is29Bit && id && *id > 2047 && *id <= 0x1FFFFFFF)
                    report.Error("29-bit-id-in-11-bit-project", side.frameName, row, "COBID",
                                 "COB ID " + frame.CobId +
                                     " is a 29-bit identifier, but pargen.xml sets 11-bit identifiers "
                                     "(CAN 2.0A): \"" + side.frameEditor + "\" refuses it.");
                else
                    report.Error("cob-id-range", side.frameName, row, "COBID",
                                 "COB ID " + Quoted(frame.CobId) + " is refused by \"" + side.frameEditor +
                                     "\": " + WithoutTrailingBlank(*refusal));
            } else if (id) {
                const auto [at, fresh] = firstRowOf.emplace(*id, i);
                if (!fresh)
                    report.Warning("duplicate-cob-id", side.frameName, row, "COBID",
                                   "COB ID " + frame.CobId + " is used already by row " +
                                       std::to_string(at->second + 1) + " of this table.");
            }
        }
        if (const auto refusal = ValidateFrames({FrameRow{"0", frame.Dim, "", ""}}, is29Bit))
            report.Error("dim-range", side.frameName, row, "Dim",
                         "Dimension " + Quoted(frame.Dim) + " is refused by \"" + side.frameEditor +
                             "\": " + WithoutTrailingBlank(*refusal));
    }
    return facts;
}

// The data length that limits a frame's mapped bytes; 8 when it is no valid length (that is
// reported on its own).
int MappedLength(const FrameRow& frame)
{
    const int32_t dim = ParseIntOr(frame.Dim, -1);
    return dim >= 1 && dim <= 8 ? dim : 8;
}

void CheckMappingBytes(const Side& side, const FrameRow& frame, const MappingRowTexts& texts, int row, int area,
                       Report& report)
{
    const bool receive = side.mappingSide == MappingSide::Receive;
    const int length = MappedLength(frame);
    for (int k = 1; k <= 8; ++k) {
        const std::string field = "B" + std::to_string(k);
        const std::optional<std::string>& text = texts[static_cast<size_t>(k - 1)];
        if (!text) {
            report.Error("mapping-attribute-missing", side.infoName, row, field,
                         "Attribute " + field + " is missing: the firmware loader stops at this row.");
            continue;
        }
        const std::optional<int32_t> value = TryParseInt(*text);
        if (!value) {
            report.Error("mapping-not-a-number", side.infoName, row, field,
                         field + " holds " + Quoted(*text) + ", which is no number: the firmware loader stops at this row.");
            continue;
        }
        const int stored = static_cast<int>(static_cast<uint32_t>(*value) & 0xFFu);
        const bool truncated = *value < 0 || *value > 255;
        if (truncated)
            report.Error("value-truncated", side.infoName, row, field,
                         field + " holds " + *text + ", which the firmware stores in one byte as " +
                             std::to_string(stored) +
                             (stored == kNoByte ? " (none): the CAN byte is not mapped at all."
                                                : ": the CAN byte is mapped to DeviceNet byte " + std::to_string(stored) + "."));
        if (stored == kNoByte) continue;
        if (k > length) {
            report.Error("mapping-beyond-dim", side.infoName, row, field,
                         "CAN byte " + std::to_string(k) + " of COB ID " + frame.CobId + " is mapped to DeviceNet byte " +
                             std::to_string(stored) + ", but the frame has only " + std::to_string(length) +
                             " data bytes: \"" + side.mappingEditor + "\" shows \"Not in use\", yet the firmware gets the mapping.");
            continue;
        }
        if (stored >= kDeviceNetBytes) {
            if (!truncated)
                report.Error("mapping-value-range", side.infoName, row, field,
                             field + " holds " + *text + ": " + WithoutTrailingBlank(ByteEntryMessage(k)));
            continue;
        }
        if (stored >= area) {
            if (receive)
                report.Error("mapping-beyond-net-in", side.infoName, row, field,
                             "CAN byte " + std::to_string(k) + " of COB ID " + frame.CobId + " goes to DeviceNet input byte " +
                                 std::to_string(stored) + ", but the input area has only " + std::to_string(area) +
                                 " bytes (Net_In of pargen.xml, bytes 0 to " + std::to_string(area - 1) + "): the data is lost.");
            else
                report.Error("mapping-beyond-net-out", side.infoName, row, field,
                             "CAN byte " + std::to_string(k) + " of COB ID " + frame.CobId + " is taken from DeviceNet output byte " +
                                 std::to_string(stored) + ", but the output area has only " + std::to_string(area) +
                                 " bytes (Net_Out of pargen.xml, bytes 0 to " + std::to_string(area - 1) +
                                 "): the master never writes it.");
        }
    }
}

// The byte mapping of a side, against its frames and its DeviceNet area.
void CheckMapping(const Side& side, const FrameFacts& frames, int area, Report& report)
{
    const bool infoExists = FileExists(side.infoPath);
    if (!infoExists) {
        if (frames.loaded && !frames.rows.empty())
            report.Error("mapping-missing", side.infoName, std::nullopt, "",
                         "The document is missing: none of the " + std::to_string(frames.rows.size()) + " " + side.kind +
                             " frames of " + side.frameName + " reaches the device until their byte mapping is saved with \"" +
                             side.mappingEditor + "\".");
        return;
    }
    ProjectDocument document(Discipline::Strict);
    std::vector<MappingRowTexts> rows;
    try {
        rows = ReadMappingRows(document, side.infoPath);
    } catch (const std::exception& failure) {
        report.Error("document-not-loadable", side.infoName, std::nullopt, "",
                     std::string("The document cannot be read: ") + failure.what());
        return;
    }
    if (!frames.exists) {
        if (!rows.empty())
            report.Warning("mapping-rows-without-frame", side.infoName, 1, "",
                           "The document holds " + std::to_string(rows.size()) + " mapping rows, but " + side.frameName +
                               " does not exist: the firmware loader leaves the " + side.kind + " side empty.");
        return;
    }
    if (!frames.loaded) return;

    const size_t nF = frames.rows.size();
    const size_t nI = rows.size();
    if (nF > nI)
        report.Error("frames-without-mapping", side.infoName, static_cast<int>(nI + 1), "",
                     "Frames " + std::to_string(nI + 1) + " to " + std::to_string(nF) + " of " + side.frameName +
                         " have no mapping row: the firmware loader takes the smaller row count (" + std::to_string(nI) +
                         "), so they do not reach the device until the mapping is saved again with \"" +
                         side.mappingEditor + "\".");
    if (nI > nF)
        report.Warning("mapping-rows-without-frame", side.infoName, static_cast<int>(nF + 1), "",
                       "Mapping " + RowSpan(nF + 1, nI) + " belong to no frame of " + side.frameName +
                           ": the firmware loader ignores them and \"" + side.mappingEditor +
                           "\" drops them on the next save.");

    const size_t paired = std::min(nF, nI);
    // The parameter block counts the rows in one byte: 256 rows count as none, 300 as 44.
    if (paired > 255)
        report.Error("row-count-wraps", side.infoName, 256, "",
                     std::to_string(paired) + " frames pair with a mapping row, but the firmware counts them in one byte: only the first " +
                         std::to_string(paired & 0xFF) + " reach the device.");
    for (size_t i = 0; i < paired; ++i)
        CheckMappingBytes(side, frames.rows[i], rows[i], static_cast<int>(i + 1), area, report);

    // The overlap check of the receive mapping editor, every overlap rather than the first.
    if (side.mappingSide != MappingSide::Receive) return;
    MappingList list;
    try {
        LoadMappings(document, side.framePath, side.infoPath, list);
    } catch (const std::exception&) {
        return; // the editor cannot list this mapping; the byte rules above say why
    }
    for (const MappingProblem& problem : MappingProblems(list, side.mappingSide)) {
        if (!problem.Overlap || problem.Frame >= paired) continue;
        report.Error("byte-overlap", side.infoName, static_cast<int>(problem.Frame + 1),
                     "B" + std::to_string(problem.CanByte),
                     WithoutTrailingBlank(problem.Message) + " (row " + std::to_string(problem.OwnerFrame + 1) +
                         "): the later frame overwrites the earlier one in the DeviceNet input byte.");
    }
}

// The loader's own verdict, for what the rules above do not foresee. Its message names the
// file when the document layer fails, not when a number does; then the document is the one
// whose part of the load fails on its own.
void RunLoader(const ProjectFiles& files, Report& report)
{
    const auto load = [](const ImageSources& sources) -> std::optional<std::string> {
        BankImage scratch;
        try {
            LoadConfigurationImage(sources, scratch);
        } catch (const std::exception& failure) {
            return failure.what();
        }
        return std::nullopt;
    };
    const std::optional<std::string> failure = load(
        ImageSources{files.Pargen, files.ReceiveFrame, files.ReceiveInfo, files.SendFrame, files.SendInfo});
    if (!failure) return;

    std::string document;
    for (const char* name : {kPargenName, kReceiveFrameName, kReceiveInfoName, kSendFrameName, kSendInfoName})
        if (failure->find(std::string("/") + name + "'") != std::string::npos) document = name;
    if (document.empty()) {
        const std::string none = files.Dir + "/.no document";  // a path that names no file
        if (load(ImageSources{files.Pargen, none, none, none, none}))
            document = kPargenName;
        else if (load(ImageSources{none, files.ReceiveFrame, files.ReceiveInfo, none, none}))
            document = kReceiveFrameName;
        else
            document = kSendFrameName;
    }
    report.Error("loader-stops", document, std::nullopt, "", "The firmware loader stops: " + *failure);
}

} // namespace

void CheckGatewayDocuments(const ProjectFiles& files, std::vector<Finding>& findings)
{
    Report report(findings);
    const bool anyDocument = FileExists(files.Pargen) || FileExists(files.ReceiveFrame) ||
                             FileExists(files.ReceiveInfo) || FileExists(files.SendFrame) || FileExists(files.SendInfo);
    if (!anyDocument) {
        report.Error("empty-project", "", std::nullopt, "",
                     "The project holds none of pargen.xml, Receive_Frame.xml, Receive_Info.xml, Send_Frame.xml and "
                     "Send_Info.xml: an update would leave the device's previous configuration in place.");
        return;
    }
    const size_t before = findings.size();
    const PargenFacts pargen = CheckPargen(files, report);
    if (!pargen.exists)
        report.Error("document-missing", kPargenName, std::nullopt, "",
                     "The communication parameters are missing: the device would keep the parameters and frame "
                     "counts of its previous update. Save them with \"Set Communication\".");

    const Side sides[] = {
        {FrameSide::Receive, MappingSide::Receive, files.ReceiveFrame, files.ReceiveInfo, kReceiveFrameName,
         kReceiveInfoName, "Receive Frames", "Info Receive", "Net_In", "receive"},
        {FrameSide::Send, MappingSide::Send, files.SendFrame, files.SendInfo, kSendFrameName, kSendInfoName,
         "Send Frames", "Info Send", "Net_Out", "send"},
    };
    size_t frameCount = 0;
    bool unreadable = false;
    for (const Side& side : sides) {
        const FrameFacts frames = CheckFrameTable(side, pargen.is29Bit, report);
        frameCount += frames.rows.size();
        unreadable = unreadable || (frames.exists && !frames.loaded);
        const int area = side.frameSide == FrameSide::Receive ? pargen.areas.input : pargen.areas.output;
        CheckMapping(side, frames, area, report);
    }
    if (frameCount == 0 && !unreadable)
        report.Warning("no-frames", "", std::nullopt, "",
                       "The project has no receive and no send frames: the gateway would carry no data.");

    bool anyError = false;
    for (size_t i = before; i < findings.size(); ++i) anyError = anyError || findings[i].severity == Severity::Error;
    if (!anyError) RunLoader(files, report);
}

} // namespace zz
