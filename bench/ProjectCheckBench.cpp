// The project check and the byte map on the largest project the editors make: 127 receive and
// 127 send frames of 8 bytes, every byte mapped, and full CANopen tables.
#include "devicenet/ByteMap.h"
#include "gateway/GatewayProject.h"
#include "projectcheck/ProjectCheck.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

// Builds the project once, in a directory that lives as long as the program.
const std::string& LargeProject()
{
    static const std::string dir = [] {
        const fs::path path = fs::temp_directory_path() / ("zz_check_bench_" + std::to_string(::getpid()));
        fs::create_directories(path);
        Write(path / "pargen.xml",
              "<Par_Gen><Can_Baud>5</Can_Baud><CAN_Type>0</CAN_Type><How_Send>0</How_Send>"
              "<Delay_Send>100</Delay_Send><TimeOut_Data>5</TimeOut_Data><Net_Dev_Id>1</Net_Dev_Id>"
              "<Net_Baud>2</Net_Baud><Net_In>128</Net_In><Net_Out>128</Net_Out></Par_Gen>");
        for (const char* side : {"Receive", "Send"}) {
            std::string frames = "<Receive_Frames>";
            std::string info = std::string("<") + side + "_Frames_Info>";
            for (int i = 0; i < 127; ++i) {
                frames += "<row COBID=\"" + std::to_string(0x100 + i) + "\" Dim=\"8\" Delete=\"N\" Mnemonic=\"Frame " +
                          std::to_string(i) + "\"/>";
                info += "<row";
                for (int k = 1; k <= 8; ++k)
                    info += " B" + std::to_string(k) + "=\"" + std::to_string((i * 8 + k - 1) % 128) + "\"";
                info += "/>";
            }
            Write(path / (std::string(side) + "_Frame.xml"), frames + "</Receive_Frames>");
            Write(path / (std::string(side) + "_Info.xml"), info + "</" + side + "_Frames_Info>");
        }
        std::string sdo = "<sdo>";
        for (int i = 0; i < 3000; ++i)
            sdo += "<row conf=\"" + std::to_string(i % 2) + "\" IndexA=\"" + std::to_string(0x2000 + i / 2) +
                   "\" SubindexA=\"0\" devIDB=\"1\" IndexB=\"8192\" SubindexB=\"0\" nbyteB=\"2\" mnemonico=\"s\"/>";
        Write(path / "sdo.xml", sdo + "</sdo>");
        std::string pdo = "<rpdodef>";
        for (int i = 0; i < 20; ++i)
            pdo += "<row cobid=\"" + std::to_string(0x181 + i) + "\" id_dev_orig=\"1\" en_bypass=\"" +
                   std::to_string(i < 10 ? 3 : 1) + "\" posind=\"0\" n_tpdo=\"1\"/>";
        Write(path / "rpdodef.xml", pdo + "</rpdodef>");
        std::string stored = "<sdopdo>";
        for (int i = 0; i < 160; ++i)
            stored += "<row index=\"" + std::to_string(0x3000 + i) + "\" subindex=\"1\" nrpdo=\"" +
                      std::to_string(1 + (i % 10) + (i % 20 >= 10 ? 128 : 0)) + "\" poscomp=\"18\"/>";
        Write(path / "sdopdo.xml", stored + "</sdopdo>");
        std::string emcy = "<emcydef>";
        for (int i = 0; i < 254; ++i)
            emcy += "<row id_dev=\"" + std::to_string(i / 2 + 1) +
                    "\" mask_eq_ec=\"0\" mask_eq_er=\"0\" mask_eq_m1=\"0\" mask_eq_m2=\"0\" mask_eq_m3=\"0\" "
                    "enmask_eq_ec=\"0\" enmask_eq_er=\"0\" enmask_eq_m1=\"0\" enmask_eq_m2=\"0\" enmask_eq_m3=\"0\" "
                    "bypass_set=\"" +
                    std::to_string(i % 2 ? 33 : 1) + "\"/>";
        Write(path / "emcydef.xml", emcy + "</emcydef>");
        std::string words = "<emcyword>";
        for (int i = 0; i < 128; ++i) {
            words += "<row index_addrm=\"" + std::to_string(0x4000 + i) + "\" subindex=\"0\" extdata=\"" +
                     std::to_string(i % 2) + "\" devid=\"" + std::to_string(i / 2 + 1) + "\"";
            for (int b = 0; b < 16; ++b)
                words += " bit" + std::to_string(b) + "_b0=\"1\" bit" + std::to_string(b) + "_b1=\"2\" bit" +
                         std::to_string(b) + "_poscomp=\"18\"";
            words += "/>";
        }
        Write(path / "emcyword.xml", words + "</emcyword>");
        return path.string();
    }();
    return dir;
}

void BM_CheckLargeProject(benchmark::State& state)
{
    const std::string& dir = LargeProject();
    size_t findings = 0;
    for (auto _ : state) {
        findings = CheckProject(LoadGatewayProject(ProjectLayout::Of(dir))).size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_CheckLargeProject)->Unit(benchmark::kMillisecond);

void BM_ByteMapLargeProject(benchmark::State& state)
{
    const std::string& dir = LargeProject();
    for (auto _ : state) benchmark::DoNotOptimize(BuildByteMap(LoadGatewayProject(ProjectLayout::Of(dir))));
}
BENCHMARK(BM_ByteMapLargeProject)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::error_code ignored;
    fs::remove_all(LargeProject(), ignored);
    return 0;
}
