#include "app/cli/Commands.h"
#include "app/cli/JsonText.h"
#include "app/cli/ProjectArgument.h"
#include "canbus/CanLogReader.h"
#include "canbus/CandumpLine.h"
#include "common/Failure.h"
#include "devicenet/ReplayReceive.h"
#include "devicenet/ReplaySend.h"
#include "gateway/GatewayProject.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>

inline namespace zz {

// zuzududada-cli replay [--app-dir DIR] [--json] PROJECT_DIR LOG
// zuzududada-cli replay --send [--app-dir DIR] PROJECT_DIR OUTPUTS
// Replays a recorded CAN log through the project's configuration image and prints every
// change of the DeviceNet input image; --send writes the frames the gateway sends for a file
// of DeviceNet output images as a candump -l log.

namespace {

constexpr const char* kReplayHelp =
    "Builds the project's configuration image as the firmware gets it (a project that does not\n"
    "build is refused with the loader's message) and replays LOG, a candump -l or Vector ASC log\n"
    "(told by its content), through the receive frames: the DeviceNet input image (Net_In bytes)\n"
    "starts at zero; a data frame whose identifier and identifier length (CAN_Type) match a\n"
    "receive frame, the first such row, writes its CAN byte k, for k from 1 to the smaller of Dim\n"
    "and its length, into input byte Bk when Bk is not 255 and lies inside Net_In.\n"
    "Standard output: a head of lines starting with \"#\" (what is modelled and what is not),\n"
    "then one line per frame that changed the image: the log's time, the COB ID and the whole\n"
    "image in upper-case hexadecimal, separated by tabs.\n"
    "Standard error: each unreadable line of LOG (skipped) by number, each time-out (a receive\n"
    "frame not seen for longer than TimeOut_Data seconds, once per gap), then the counts: frames\n"
    "read, applied, short, not configured, ignored by kind (remote, error, CAN FD, other\n"
    "identifier length), unreadable lines and frames DROPCOUNT lines report.\n"
    "With --send, OUTPUTS holds DeviceNet output images, one a line: a time in seconds, a tab,\n"
    "Net_Out bytes in hexadecimal. Standard output is a candump -l log (interface can0) of the\n"
    "frames sent: with How_Send 0 every send frame whose mapped bytes changed (all of them at\n"
    "the first line), with How_Send 1 every send frame every Delay_Send ms from the first time\n"
    "to the last; each frame Dim bytes long, byte k the output byte Bk, or 00 where Bk is 255.\n"
    "Not modelled: what the device does with the bytes after a time-out, the Delete flag, bus\n"
    "timing and losses, the DeviceNet side.\n"
    "Options:\n"
    "  --app-dir DIR   the application directory; PROJECT_DIR may then name a project in\n"
    "                  DIR/PROJECTS (default: the directory of this program; for an\n"
    "                  installed program ~/.local/share/zuzududada)\n"
    "  --json          print one JSON document instead: the model, the changes as objects, the\n"
    "                  events, the ignored frames and the counts\n"
    "  --send          replay the send direction from OUTPUTS\n"
    "Exit status: 0 on success; 1 when the project does not build or a file cannot be read or\n"
    "is no log; 2 for wrong arguments.\n";

constexpr size_t kMostReportedLines = 100;

// Standard output in large pieces: a line per frame of a long log.
class Output {
public:
    ~Output() { Flush(); }
    void Append(std::string_view text)
    {
        buffer_.append(text);
        if (buffer_.size() >= (1u << 20)) Flush();
    }
    void Flush()
    {
        std::cout.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        std::cout.flush();
        buffer_.clear();
    }

private:
    std::string buffer_;
};

std::string CobId(uint32_t id)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", id);
    return text;
}

// The configuration, or the loader's message.
ReplayConfiguration Configuration(const std::string& projectDir)
{
    try {
        return LoadReplayConfiguration(LoadGatewayProject(ProjectLayout::Of(projectDir)));
    } catch (const Failure& failure) {
        const DocumentProblem& place = failure.Problem();
        std::string text = "the project '" + projectDir + "' does not build: " + failure.what();
        if (!place.Document.empty()) {
            text += " (" + place.Document;
            if (place.Row) text += ", row " + std::to_string(*place.Row);
            if (!place.Field.empty()) text += ", " + place.Field;
            text += ")";
        }
        throw Failure(text);
    }
}

std::vector<std::string> HeadLines(const ReplayConfiguration& c, const std::string& log, CanLogFormat format)
{
    std::vector<std::string> lines = {
        "Replay of '" + log + "' (" + CanLogFormatName(format) +
            ") through the configuration image: " + (c.Extended ? "29-bit" : "11-bit") + " identifiers, " +
            std::to_string(c.Receive.size()) + " receive frames, Net_In " + std::to_string(c.NetIn) +
            " bytes, TimeOut_Data " + std::to_string(c.TimeOutDataS) + " s.",
        "Modelled: the input image starts at zero; the first receive frame of a data frame's identifier and "
        "identifier length writes CAN byte k (1 to the smaller of Dim and the frame's length) into input byte Bk "
        "when Bk is not 255 and lies inside Net_In; remote, error and CAN FD frames, the other identifier length "
        "and unknown identifiers change nothing.",
        "Each line: the log's time, the COB ID and the input image in hexadecimal, for every frame that changed it.",
    };
    for (const char* const* line = kReplayNotModelled; *line; ++line) lines.emplace_back(*line);
    return lines;
}

int RunSend(const std::string& projectDir, const std::string& outputs)
{
    const ReplayConfiguration configuration = Configuration(projectDir);
    std::ifstream in(outputs, std::ios::binary);
    if (!in) throw Failure("Cannot open '" + outputs + "': " + std::strerror(errno));
    Output out;
    SendReplay replay(configuration, [&](const SentFrame& f) {
        out.Append(CandumpLineOf(f.TimeNs, "can0", f.Id, f.Extended, f.Data.data(), f.Length));
    });
    std::string line;
    int64_t number = 0, unreadable = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::string why = replay.Line(line);
        if (why.empty()) continue;
        if (++unreadable <= static_cast<int64_t>(kMostReportedLines))
            std::cerr << "'" << outputs << "' line " << number << " skipped: " << why << '\n';
    }
    if (in.bad()) throw Failure("Cannot read '" + outputs + "'");
    replay.Finish();
    out.Flush();
    std::cerr << "Output images: " << replay.Images() << "; frames sent: " << replay.Frames()
              << "; unreadable lines: " << unreadable << '\n';
    return 0;
}

int RunReplay(const CommandArguments& arguments)
{
    if (arguments.Operands.size() < 2)
        return kReplayCommand.UsageError(arguments.Operands.empty() ? "PROJECT_DIR is missing"
                                         : arguments.Has("--send")  ? "OUTPUTS is missing"
                                                                    : "LOG is missing");
    if (arguments.Operands.size() > 2) return kReplayCommand.UsageError("only PROJECT_DIR and one file may be given");
    if (arguments.Has("--send") && arguments.Has("--json"))
        return kReplayCommand.UsageError("--json is not an option of --send");
    const std::optional<std::string> projectDir =
        ProjectDirectoryArgument(kReplayCommand.Name, arguments.Value("--app-dir"), arguments.Operands[0]);
    if (!projectDir) return 2;
    const std::string& log = arguments.Operands[1];
    if (arguments.Has("--send")) return RunSend(*projectDir, log);

    const bool json = arguments.Has("--json");
    ReceiveReplay replay(Configuration(*projectDir));
    Output out;
    std::string hex(replay.Image().size() * 2, '0');
    static constexpr char kHex[] = "0123456789ABCDEF";
    bool headDone = false, firstChange = true;
    nlohmann::ordered_json events = nlohmann::ordered_json::array();
    nlohmann::ordered_json unreadable = nlohmann::ordered_json::array();
    CanLogFormat format = CanLogFormat::Unknown;

    const auto head = [&] {
        if (headDone) return;
        headDone = true;
        const std::vector<std::string> lines = HeadLines(replay.Configuration(), log, format);
        if (json) {
            out.Append("{\n  \"log\": " +
                       nlohmann::ordered_json(log).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) +
                       ",\n  \"format\": \"" + CanLogFormatName(format) + "\",\n  \"model\": " +
                       nlohmann::ordered_json(lines).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) +
                       ",\n  \"changes\": [");
        } else {
            for (const std::string& line : lines) out.Append("# " + line + "\n");
        }
    };
    const auto onEvent = [&](const ReplayEvent& e) {
        std::cerr << "Time-out at " << e.Time << ": " << CobId(e.CobId) << " (receive frame " << e.Row + 1
                  << ") not seen for longer than " << replay.Configuration().TimeOutDataS << " s\n";
        if (json)
            events.push_back({{"kind", "timeout"}, {"time", e.Time}, {"cobId", CobId(e.CobId)}, {"row", e.Row + 1}});
    };
    int64_t unreadableLines = 0;
    CanLogHandlers handlers;
    handlers.Frame = [&](const CanLogFrame& frame) {
        const ReplayStep step = replay.Apply(frame, onEvent);
        if (!step.Changed) return true;
        for (uint8_t b : step.Written)
            if (b != 255) {
                hex[2 * b] = kHex[replay.Image()[b] >> 4];
                hex[2 * b + 1] = kHex[replay.Image()[b] & 15];
            }
        head();
        if (json) {
            out.Append(firstChange ? "\n    " : ",\n    ");
            out.Append(nlohmann::ordered_json{{"time", frame.Time}, {"cobId", CobId(frame.Id)}, {"image", hex}}.dump());
        } else {
            out.Append(frame.Time);
            out.Append("\t");
            out.Append(CobId(frame.Id));
            out.Append("\t");
            out.Append(hex);
            out.Append("\n");
        }
        firstChange = false;
        return true;
    };
    handlers.Unreadable = [&](int64_t line, const std::string& why) {
        if (++unreadableLines > static_cast<int64_t>(kMostReportedLines)) return;
        std::cerr << "'" << log << "' line " << line << " skipped: " << why << '\n';
        if (json) unreadable.push_back({{"line", line}, {"why", why}});
    };
    handlers.Format = [&](CanLogFormat decided) { format = decided; };
    handlers.Dropped = [&](int64_t line, uint64_t frames) {
        const ReplayEvent e = replay.Drop(line, frames);
        if (json) events.push_back({{"kind", "dropped"}, {"time", e.Time}, {"line", line}, {"frames", frames}});
    };
    const CanLogSummary summary = ReadCanLogFile(log, handlers);
    format = summary.Format;
    head();
    ReplayCounts& counts = replay.Counts();
    counts.Unreadable = summary.Unreadable;
    if (json) {
        out.Append(firstChange ? "],\n" : "\n  ],\n");
        nlohmann::ordered_json rest;
        rest["events"] = events;
        nlohmann::ordered_json ignored = nlohmann::ordered_json::array();
        for (const IgnoredFrames& i : replay.Ignored())
            ignored.push_back({{"kind", IgnoredKindName(i.Kind)},
                               {"cobId", CobId(i.Id)},
                               {"extended", i.Extended},
                               {"count", i.Count},
                               {"firstTime", i.FirstTime}});
        rest["ignored"] = ignored;
        rest["counts"] = {{"read", counts.Read},
                          {"applied", counts.Applied},
                          {"changed", counts.Changed},
                          {"short", counts.Short},
                          {"notConfigured", counts.NotConfigured},
                          {"remote", counts.Remote},
                          {"error", counts.Error},
                          {"fd", counts.Fd},
                          {"otherLength", counts.OtherLength},
                          {"timeOuts", counts.TimeOuts},
                          {"unreadable", counts.Unreadable},
                          {"dropped", counts.Dropped}};
        rest["unreadable"] = unreadable;
        std::string text = JsonText(rest, 2, 2);
        // The rest's members continue the document opened above.
        text.erase(0, text.find('"'));
        out.Append("  " + text);
    }
    out.Flush();
    if (unreadableLines > static_cast<int64_t>(kMostReportedLines))
        std::cerr << "'" << log << "': " << unreadableLines - static_cast<int64_t>(kMostReportedLines)
                  << " more unreadable lines skipped\n";
    std::cerr << "Frames read: " << counts.Read << "; applied: " << counts.Applied
              << " (changed the image: " << counts.Changed << ", short: " << counts.Short
              << "); not configured: " << counts.NotConfigured << "; ignored: remote " << counts.Remote << ", error "
              << counts.Error << ", CAN FD " << counts.Fd << ", other identifier length " << counts.OtherLength
              << "; time-outs: " << counts.TimeOuts << "; unreadable lines: " << counts.Unreadable
              << "; dropped (DROPCOUNT): " << counts.Dropped << '\n';
    return 0;
}

} // namespace

const CliCommand kReplayCommand{
    .Name = "replay",
    .Usage = "[--app-dir DIR] [--json] PROJECT_DIR LOG | --send [--app-dir DIR] PROJECT_DIR OUTPUTS",
    .Summary = "Replays a recorded CAN log through the configuration (the DeviceNet input image frame by frame); "
               "--send gives the frames sent for DeviceNet output images.",
    .Help = kReplayHelp,
    .Options = {.Flags = {"--json", "--send"}, .Values = {"--app-dir"}},
    .Voice = FailureVoice::Prefixed,
    .Body = RunReplay,
};

} // namespace zz
