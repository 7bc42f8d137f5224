// Composing base firmwares of about 1 MB and 8 MB (alone, and checked and verified as the
// device update does), reading and checking the 8 MB one, and the whole "Up date Device" chain
// of a project with 127 receive and 127 send frames on the demo base firmware.
#include "common/FileSystem.h"
#include "common/MessageSink.h"
#include "common/ProjectContext.h"
#include "firmware/BankFiles.h"
#include "firmware/BaseFirmware.h"
#include "firmware/CheckedComposition.h"
#include "firmware/ConfigurationImage.h"
#include "firmware/DeviceUpdate.h"
#include "firmware/FirmwareComposer.h"
#include "firmware/demo/SyntheticFirmware.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A scratch application directory with MASTER, PROJECTS/P and its bin directory.
struct Scratch {
    fs::path root;
    ProjectContext project;
    explicit Scratch(uint32_t baseEnd)
    {
        std::string pattern = (fs::temp_directory_path() / "zz-bench-XXXXXX").string();
        root = mkdtemp(pattern.data());
        project.AppDir = root.string();
        project.MasterDir = (root / "MASTER").string();
        project.ProjectsDir = (root / "PROJECTS").string();
        project.ProjectDir = (root / "PROJECTS/P").string();
        project.UpdateProjectFiles();
        fs::create_directories(project.ProjectDir + "/bin");
        WriteSyntheticFirmware((fs::create_directories(project.MasterDir), project.MasterDir + "/sx48802.sx"), 0x380000,
                               baseEnd);
        std::string bank(16384, '\0');
        for (size_t i = 0; i < bank.size(); ++i) bank[i] = static_cast<char>(i * 13);
        Write(project.ProjectDir + "/bin/bank1.bin", bank);
        Write(project.ProjectDir + "/bin/bank2.bin", bank);
    }
    ~Scratch()
    {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

std::string Frames(const char* root, int rows, bool info)
{
    std::string out = std::string("<") + root + ">\r\n";
    for (int i = 0; i < rows; ++i) {
        if (info) {
            out += "  <row Dim=\"8\"";
            for (int k = 1; k <= 8; ++k) out += " B" + std::to_string(k) + "=\"" + std::to_string((i + k) % 128) + "\"";
            out += "/>\r\n";
        } else {
            out += "  <row COBID=\"0x" + std::to_string(180 + i) + "\" Dim=\"8\" Delete=\"N\" Mnemonic=\"Frame " +
                   std::to_string(i) + "\"/>\r\n";
        }
    }
    return out + "</" + root + ">\r\n";
}

// The merge alone, or the checked composition of the device update (base checked, merged and
// the written file verified).
void Compose(benchmark::State& state, uint32_t baseEnd, bool checked = false)
{
    Scratch scratch(baseEnd);
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    CompositionContext context;
    PrepareComposition(scratch.project, context);
    context.Selected = {true, true, false, false, false};
    CompositionObserver quiet;
    const auto bytes = fs::file_size(scratch.project.MasterDir + "/sx48802.sx");
    for (auto _ : state) {
        const bool written =
            checked ? ComposeCheckedFirmware(context, quiet, nullptr).Written : ComposeFirmware(context, quiet).Written;
        if (!written) state.SkipWithError("composition failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
    state.counters["base_bytes"] = static_cast<double>(bytes);
}

// 32 data bytes take 78 characters: about 1 MB and 8 MB of records.
void BM_Compose1MB(benchmark::State& state)
{
    Compose(state, 0x380000 + 0x68000);
}
void BM_Compose8MB(benchmark::State& state)
{
    Compose(state, 0x380000 + 0x348000);
}
void BM_ComposeChecked8MB(benchmark::State& state)
{
    Compose(state, 0x380000 + 0x348000, true);
}

void BM_ReadBase8MB(benchmark::State& state)
{
    Scratch scratch(0x380000 + 0x348000);
    const std::string path = scratch.project.MasterDir + "/sx48802.sx";
    for (auto _ : state) {
        if (BaseFirmware::Read(path).Fault()) state.SkipWithError("damaged base firmware");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(fs::file_size(path)));
}

void BM_WholeChain127Frames(benchmark::State& state)
{
    Scratch scratch(0x3D0000);
    const ProjectContext& p = scratch.project;
    Write(p.PargenFile, "<Par_Gen><Can_Baud>5</Can_Baud><CAN_Type>0</CAN_Type><How_Send>0</How_Send>"
                        "<Delay_Send>100</Delay_Send><TimeOut_Data>5</TimeOut_Data><Net_Dev_Id>10</Net_Dev_Id>"
                        "<Net_Baud>2</Net_Baud><Net_In>128</Net_In><Net_Out>128</Net_Out></Par_Gen>");
    Write(p.ReceiveFrameFile, Frames("Receive_Frames", 127, false));
    Write(p.ReceiveInfoFile, Frames("Receive_Frames_Info", 127, true));
    Write(p.SendFrameFile, Frames("Receive_Frames", 127, false));
    Write(p.SendInfoFile, Frames("Send_Frames_Info", 127, true));
    RecordingSink sink;
    ScopedMessageSink scope(sink);
    BankImage image;
    CompositionObserver quiet;
    for (auto _ : state) {
        LoadConfigurationImage(p, image);
        WriteBankFiles(p, image);
        WriteBankSource(p, image);
        CompositionContext context;
        PrepareComposition(p, context);
        context.Selected = {true, true, false, false, false};
        if (!ComposeFirmware(context, quiet).Written) state.SkipWithError("composition failed");
    }
}

} // namespace

BENCHMARK(BM_Compose1MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Compose8MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComposeChecked8MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBase8MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeChain127Frames)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
