// The rules over the five documents the firmware is built from: each editor's own checks,
// applied to the file as it is, and what only shows when the documents meet in the loader.
#include "projectcheck/CheckRules.h"

#include "common/ParseInt.h"
#include "firmware/ConfigurationImage.h"
#include "gateway/GatewayProject.h"
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
    GatewaySide Direction;
    const GatewayDocument<FrameTableTexts>& Frames;
    const GatewayDocument<FrameInfoTexts>& Info;
    const char* FrameEditor;   // the main window's button of the frame editor
    const char* MappingEditor; // and of the mapping editor
    const char* Kind;          // "receive" or "send"
};

struct PargenFacts {
    bool Exists = false;
    bool Is29Bit = false;
    DeviceNetAreas Areas;
};

void NotLoadable(Report& report, const DocumentProblem& problem)
{
    report.Error("document-not-loadable", problem.Document, std::nullopt, "",
                 "The document cannot be read: " + problem.Text);
}

// "CAN_Type" and "How_Send" are two-way switches: the editor reads "0" as one choice and any
// other text as the other, while the firmware gets the number's low byte. The two must agree.
void CheckSwitches(const PargenTexts& texts, Report& report)
{
    struct Switch {
        const char* element;
        const StoredText& stored;
        const char* whenZero;
        const char* otherwise;
    };
    const Switch switches[] = {{"CAN_Type", texts.CanType, "CAN 2.0A 11Bit", "CAN 2.0B 29Bit"},
                               {"How_Send", texts.HowSend, "Send Frame on Data Change", "Send Frame Every"}};
    for (const Switch& s : switches) {
        const std::optional<std::string>& text = s.stored.Text;
        const std::optional<int32_t> value = text ? TryParseInt(*text) : std::nullopt;
        if (!value) continue; // the loader's own message reports it
        const int stored = static_cast<int>(static_cast<uint32_t>(*value) & 0xFFu);
        const bool editorZero = *text == "0";
        if (stored == (editorZero ? 0 : 1)) continue;
        report.Error("value-truncated", kPargenName, std::nullopt, s.element,
                     std::string(s.element) + " holds " + Quoted(*text) + ": \"Set Communication\" shows \"" +
                         (editorZero ? s.whenZero : s.otherwise) + "\", but the firmware gets " +
                         std::to_string(stored) +
                         (stored == 0   ? std::string(" (") + s.whenZero + ")."
                          : stored == 1 ? std::string(" (") + s.otherwise + ")."
                                        : ", which is neither 0 nor 1."));
    }
}

PargenFacts CheckPargen(const GatewayProject& project, Report& report)
{
    PargenFacts facts;
    facts.Exists = project.Pargen.Exists;
    if (!facts.Exists) return facts;
    if (!project.Pargen.Loaded()) {
        NotLoadable(report, *project.Pargen.Problem);
        return facts;
    }
    PargenSettings read = PargenDefaults(true);
    try {
        PargenFromTexts(*project.Pargen.Content, read);
    } catch (const std::exception& failure) {
        report.Error("document-not-loadable", kPargenName, std::nullopt, "",
                     std::string("The document cannot be read: ") + failure.what());
        return facts;
    }
    facts.Is29Bit = !read.Can11Bit;
    facts.Areas = AreasOf(read);

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
    CheckSwitches(*project.Pargen.Content, report);
    return facts;
}

struct FrameFacts {
    bool Exists = false;
    bool Loaded = false;
    std::vector<FrameRow> Rows;
};

FrameFacts CheckFrameTable(const Side& side, bool is29Bit, Report& report)
{
    FrameFacts facts;
    facts.Exists = side.Frames.Exists;
    if (!facts.Exists) return facts;
    if (!side.Frames.Loaded()) {
        NotLoadable(report, *side.Frames.Problem);
        return facts;
    }
    try {
        facts.Rows = FrameRowsOf(*side.Frames.Content, side.Direction);
    } catch (const std::exception& failure) {
        report.Error("document-not-loadable", side.Frames.Name, std::nullopt, "",
                     std::string("The document cannot be read: ") + failure.what());
        return facts;
    }
    facts.Loaded = true;
    const size_t count = facts.Rows.size();

    // What the editor keeps of the table.
    const size_t run = KeptFrameCount(facts.Rows);
    if (run < count) {
        if (run == static_cast<size_t>(kMaxFrames)) {
            report.Error("table-too-long", side.Frames.Name, kMaxFrames + 1, "",
                         "The table holds " + std::to_string(count) + " frames, but a table keeps at most " +
                             std::to_string(kMaxFrames) + ": \"" + side.FrameEditor + "\" drops " +
                             RowSpan(kMaxFrames + 1, count) +
                             " on the next save, while the firmware loader still reads them.");
        } else {
            const size_t gap = run + 1;
            report.Error("table-gap", side.Frames.Name, static_cast<int>(gap), "COBID",
                         "The COB ID is empty: \"" + std::string(side.FrameEditor) +
                             "\" ends the table here and drops " + RowSpan(gap, count) +
                             " on the next save; the firmware loader stops at the empty COB ID.");
        }
    }

    std::map<int32_t, size_t> firstRowOf;
    for (size_t i = 0; i < count; ++i) {
        const FrameRow& frame = facts.Rows[i];
        const int row = static_cast<int>(i + 1);
        if (!frame.CobId.empty()) {
            const std::optional<int32_t> id = TryParseInt(frame.CobId);
            if (const auto refusal = ValidateFrames({FrameRow{frame.CobId, "1", "", ""}}, is29Bit)) {
                if (!is29Bit && id && *id > 2047 && *id <= 0x1FFFFFFF)
                    report.Error("29-bit-id-in-11-bit-project", side.Frames.Name, row, "COBID",
                                 "COB ID " + frame.CobId +
                                     " is a 29-bit identifier, but pargen.xml sets 11-bit identifiers "
                                     "(CAN 2.0A): \"" +
                                     side.FrameEditor + "\" refuses it.");
                else
                    report.Error("cob-id-range", side.Frames.Name, row, "COBID",
                                 "COB ID " + Quoted(frame.CobId) + " is refused by \"" + side.FrameEditor +
                                     "\": " + WithoutTrailingBlank(*refusal));
            } else if (id) {
                const auto [at, fresh] = firstRowOf.emplace(*id, i);
                if (!fresh)
                    report.Warning("duplicate-cob-id", side.Frames.Name, row, "COBID",
                                   "COB ID " + frame.CobId + " is used already by row " +
                                       std::to_string(at->second + 1) + " of this table.");
            }
        }
        if (const auto refusal = ValidateFrames({FrameRow{"0", frame.Dim, "", ""}}, is29Bit))
            report.Error("dim-range", side.Frames.Name, row, "Dim",
                         "Dimension " + Quoted(frame.Dim) + " is refused by \"" + side.FrameEditor +
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
    const bool receive = side.Direction == GatewaySide::Receive;
    const int length = MappedLength(frame);
    for (int k = 1; k <= 8; ++k) {
        const std::string field = "B" + std::to_string(k);
        const std::optional<std::string>& text = texts[static_cast<size_t>(k - 1)];
        if (!text) {
            report.Error("mapping-attribute-missing", side.Info.Name, row, field,
                         "Attribute " + field + " is missing: the firmware loader stops at this row.");
            continue;
        }
        const std::optional<int32_t> value = TryParseInt(*text);
        if (!value) {
            report.Error("mapping-not-a-number", side.Info.Name, row, field,
                         field + " holds " + Quoted(*text) +
                             ", which is no number: the firmware loader stops at this row.");
            continue;
        }
        const int stored = static_cast<int>(static_cast<uint32_t>(*value) & 0xFFu);
        const bool truncated = *value < 0 || *value > 255;
        if (truncated)
            report.Error(
                "value-truncated", side.Info.Name, row, field,
                field + " holds " + *text + ", which the firmware stores in one byte as " + std::to_string(stored) +
                    (stored == kNoByte ? " (none): the CAN byte is not mapped at all."
                                       : ": the CAN byte is mapped to DeviceNet byte " + std::to_string(stored) + "."));
        if (stored == kNoByte) continue;
        if (k > length) {
            report.Error("mapping-beyond-dim", side.Info.Name, row, field,
                         "CAN byte " + std::to_string(k) + " of COB ID " + frame.CobId +
                             " is mapped to DeviceNet byte " + std::to_string(stored) + ", but the frame has only " +
                             std::to_string(length) + " data bytes: \"" + side.MappingEditor +
                             "\" shows \"Not in use\", yet the firmware gets the mapping.");
            continue;
        }
        if (stored >= kDeviceNetBytes) {
            if (!truncated)
                report.Error("mapping-value-range", side.Info.Name, row, field,
                             field + " holds " + *text + ": " + WithoutTrailingBlank(ByteEntryMessage(k)));
            continue;
        }
        if (stored >= area) {
            if (receive)
                report.Error("mapping-beyond-net-in", side.Info.Name, row, field,
                             "CAN byte " + std::to_string(k) + " of COB ID " + frame.CobId +
                                 " goes to DeviceNet input byte " + std::to_string(stored) +
                                 ", but the input area has only " + std::to_string(area) +
                                 " bytes (Net_In of pargen.xml, bytes 0 to " + std::to_string(area - 1) +
                                 "): the data is lost.");
            else
                report.Error("mapping-beyond-net-out", side.Info.Name, row, field,
                             "CAN byte " + std::to_string(k) + " of COB ID " + frame.CobId +
                                 " is taken from DeviceNet output byte " + std::to_string(stored) +
                                 ", but the output area has only " + std::to_string(area) +
                                 " bytes (Net_Out of pargen.xml, bytes 0 to " + std::to_string(area - 1) +
                                 "): the master never writes it.");
        }
    }
}

// The byte mapping of a side, against its frames and its DeviceNet area.
void CheckMapping(const Side& side, const FrameFacts& frames, int area, Report& report)
{
    if (!side.Info.Exists) {
        if (frames.Loaded && !frames.Rows.empty())
            report.Error("mapping-missing", side.Info.Name, std::nullopt, "",
                         "The document is missing: none of the " + std::to_string(frames.Rows.size()) + " " +
                             side.Kind + " frames of " + side.Frames.Name +
                             " reaches the device until their byte mapping is saved with \"" + side.MappingEditor +
                             "\".");
        return;
    }
    if (!side.Info.Loaded()) {
        NotLoadable(report, *side.Info.Problem);
        return;
    }
    const std::vector<MappingRowTexts> rows = MappingRowsOf(*side.Info.Content);
    if (!frames.Exists) {
        if (!rows.empty())
            report.Warning("mapping-rows-without-frame", side.Info.Name, 1, "",
                           "The document holds " + std::to_string(rows.size()) + " mapping rows, but " +
                               side.Frames.Name + " does not exist: the firmware loader leaves the " + side.Kind +
                               " side empty.");
        return;
    }
    if (!frames.Loaded) return;

    const size_t nF = frames.Rows.size();
    const size_t nI = rows.size();
    if (nF > nI)
        report.Error("frames-without-mapping", side.Info.Name, static_cast<int>(nI + 1), "",
                     "Frames " + std::to_string(nI + 1) + " to " + std::to_string(nF) + " of " + side.Frames.Name +
                         " have no mapping row: the firmware loader takes the smaller row count (" +
                         std::to_string(nI) +
                         "), so they do not reach the device until the mapping is saved again with \"" +
                         side.MappingEditor + "\".");
    if (nI > nF)
        report.Warning("mapping-rows-without-frame", side.Info.Name, static_cast<int>(nF + 1), "",
                       "Mapping " + RowSpan(nF + 1, nI) + " belong to no frame of " + side.Frames.Name +
                           ": the firmware loader ignores them and \"" + side.MappingEditor +
                           "\" drops them on the next save.");

    const size_t paired = std::min(nF, nI);
    // The parameter block counts the rows in one byte: 256 rows count as none, 300 as 44.
    if (paired > 255)
        report.Error("row-count-wraps", side.Info.Name, 256, "",
                     std::to_string(paired) +
                         " frames pair with a mapping row, but the firmware counts them in one byte: only the first " +
                         std::to_string(paired & 0xFF) + " reach the device.");
    for (size_t i = 0; i < paired; ++i)
        CheckMappingBytes(side, frames.Rows[i], rows[i], static_cast<int>(i + 1), area, report);

    // The overlap check of the receive mapping editor, every overlap rather than the first.
    if (side.Direction != GatewaySide::Receive) return;
    MappingList list;
    try {
        MappingsOf(&*side.Frames.Content, &*side.Info.Content, list);
    } catch (const std::exception&) {
        return; // the editor cannot list this mapping; the byte rules above say why
    }
    ForEachMappingProblem(list, side.Direction, [&](const MappingProblem& problem) {
        if (!problem.Overlap || problem.Frame >= paired) return;
        report.Error("byte-overlap", side.Info.Name, static_cast<int>(problem.Frame + 1),
                     "B" + std::to_string(problem.CanByte),
                     WithoutTrailingBlank(problem.Message) + " (row " + std::to_string(problem.OwnerFrame + 1) +
                         "): the later frame overwrites the earlier one in the DeviceNet input byte.");
    });
}

// The loader's own verdict, for what the rules above do not foresee; its failure names the
// document it stopped in.
void RunLoader(const GatewayProject& project, Report& report)
{
    BankImage scratch;
    try {
        LoadConfigurationImage(project, scratch);
    } catch (const Failure& failure) {
        report.Error("loader-stops", failure.Problem().Document, std::nullopt, "",
                     "The firmware loader stops: " + std::string(failure.what()));
    }
}

void CheckGatewayRules(const GatewayProject& project, std::vector<Finding>& findings, Report& report)
{
    if (!project.AnyDocument()) {
        report.Error("empty-project", "", std::nullopt, "",
                     "The project holds none of pargen.xml, Receive_Frame.xml, Receive_Info.xml, Send_Frame.xml and "
                     "Send_Info.xml: an update would leave the device's previous configuration in place.");
        return;
    }
    const size_t before = findings.size();
    const PargenFacts pargen = CheckPargen(project, report);
    if (!pargen.Exists)
        report.Error("document-missing", kPargenName, std::nullopt, "",
                     "The communication parameters are missing: the device would keep the parameters and frame "
                     "counts of its previous update. Save them with \"Set Communication\".");

    const Side sides[] = {
        {GatewaySide::Receive, project.ReceiveFrames, project.ReceiveInfo, "Receive Frames", "Info Receive", "receive"},
        {GatewaySide::Send, project.SendFrames, project.SendInfo, "Send Frames", "Info Send", "send"},
    };
    size_t frameCount = 0;
    bool unreadable = false;
    for (const Side& side : sides) {
        const FrameFacts frames = CheckFrameTable(side, pargen.Is29Bit, report);
        frameCount += frames.Rows.size();
        unreadable = unreadable || (frames.Exists && !frames.Loaded);
        CheckMapping(side, frames, pargen.Areas.Of(side.Direction), report);
    }
    if (frameCount == 0 && !unreadable)
        report.Warning("no-frames", "", std::nullopt, "",
                       "The project has no receive and no send frames: the gateway would carry no data.");

    bool anyError = false;
    for (size_t i = before; i < findings.size(); ++i) anyError = anyError || findings[i].Level == Severity::Error;
    if (!anyError) RunLoader(project, report);
}

} // namespace

void CheckGatewayDocuments(const GatewayProject& project, std::vector<Finding>& findings)
{
    Report report(findings);
    CheckGatewayRules(project, findings, report);
    report.Finish();
}

} // namespace zz
