// A stand-in for the flashing program, for machines without a gateway. It takes the one
// parameter the device update window passes ("path"¶N), checks the S-record file as the device
// would (record syntax, checksums, both configuration bank windows present) and reports what
// it would write into the gateway and through which port, on standard output and in
// ZoruvOdeza.log beside itself. Exit status 0 when the file would be flashed, 1 otherwise.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

int Hex(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

struct Parameter {
    std::string path;
    int port = -1;
};

// "path"¶N, the pilcrow in UTF-8 or as the single code page 1252 byte.
bool ParseParameter(const std::string& text, Parameter& out)
{
    if (text.size() < 2 || text[0] != '"') return false;
    const size_t close = text.find('"', 1);
    if (close == std::string::npos) return false;
    out.path = text.substr(1, close - 1);
    std::string rest = text.substr(close + 1);
    if (rest.rfind("\xC2\xB6", 0) == 0) rest.erase(0, 2);
    else if (!rest.empty() && rest[0] == '\xB6') rest.erase(0, 1);
    else return false;
    if (rest.empty() || rest.size() > 2) return false;
    int port = 0;
    for (char c : rest) {
        if (c < '0' || c > '9') return false;
        port = port * 10 + (c - '0');
    }
    out.port = port;
    return !out.path.empty();
}

struct Check {
    long records = 0;
    long dataBytes = 0;
    std::vector<bool> bank1 = std::vector<bool>(0x4000), bank2 = std::vector<bool>(0x4000);
    bool end = false;
    std::string problem;
};

void Cover(Check& check, uint32_t address, long count)
{
    for (long k = 0; k < count; ++k) {
        const uint32_t a = address + static_cast<uint32_t>(k);
        if (a >= 0x388000 && a <= 0x38BFFF) check.bank1[a - 0x388000] = true;
        if (a >= 0x398000 && a <= 0x39BFFF) check.bank2[a - 0x398000] = true;
    }
}

// Checks one record line; false with the problem filled in when it is not a valid record.
bool CheckLine(const std::string& line, long number, Check& check)
{
    auto fail = [&](const std::string& why) {
        check.problem = "line " + std::to_string(number) + ": " + why;
        return false;
    };
    if (line.size() < 4 || line[0] != 'S') return fail("not an S-record");
    const char type = line[1];
    if ((line.size() - 2) % 2 != 0) return fail("odd number of digits");
    std::vector<int> bytes;
    for (size_t i = 2; i < line.size(); i += 2) {
        const int high = Hex(line[i]), low = Hex(line[i + 1]);
        if (high < 0 || low < 0) return fail("not hexadecimal");
        bytes.push_back(high * 16 + low);
    }
    if (static_cast<size_t>(bytes[0]) + 1 != bytes.size()) return fail("byte count does not match");
    int sum = 0;
    for (size_t i = 0; i + 1 < bytes.size(); ++i) sum += bytes[i];
    if (((~sum) & 0xFF) != bytes.back()) return fail("wrong checksum");
    size_t addressBytes = 0;
    switch (type) {
    case '0':
    case '1':
    case '5':
    case '9': addressBytes = 2; break;
    case '2':
    case '6':
    case '8': addressBytes = 3; break;
    case '3':
    case '7': addressBytes = 4; break;
    default: return fail(std::string("unknown record type S") + type);
    }
    if (bytes.size() < addressBytes + 2) return fail("record too short");
    uint32_t address = 0;
    for (size_t i = 1; i <= addressBytes; ++i) address = address * 256 + static_cast<uint32_t>(bytes[i]);
    const long data = static_cast<long>(bytes.size()) - static_cast<long>(addressBytes) - 2;
    if (type == '1' || type == '2' || type == '3') {
        ++check.records;
        check.dataBytes += data;
        Cover(check, address, data);
    }
    if (type == '7' || type == '8' || type == '9') check.end = true;
    return true;
}

bool Complete(const std::vector<bool>& window)
{
    for (bool covered : window)
        if (!covered) return false;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::ostringstream report;
    int status = 1;
    Parameter parameter;
    if (argc != 2 || !ParseParameter(argv[1], parameter)) {
        report << "ZoruvOdeza (stand-in): expected one parameter \"FILE\"\xC2\xB6PORT, got "
               << (argc == 2 ? argv[1] : std::to_string(argc - 1) + " parameters") << '\n';
    } else if (parameter.port < 0 || parameter.port > 7) {
        report << "ZoruvOdeza (stand-in): port position " << parameter.port << " is not COM1 to COM8\n";
    } else {
        std::ifstream in(parameter.path, std::ios::binary);
        Check check;
        std::string line;
        long number = 0;
        bool ok = static_cast<bool>(in);
        if (!ok) check.problem = "cannot read the file";
        while (ok && std::getline(in, line)) {
            ++number;
            if (line.empty() || line.back() != '\r') {
                check.problem = "line " + std::to_string(number) + ": does not end with CR LF";
                ok = false;
                break;
            }
            line.pop_back();
            ok = CheckLine(line, number, check);
        }
        if (ok && !check.end) check.problem = "no end record", ok = false;
        if (ok && !Complete(check.bank1)) check.problem = "bank 1 (0x388000-0x38BFFF) is not complete", ok = false;
        if (ok && !Complete(check.bank2)) check.problem = "bank 2 (0x398000-0x39BFFF) is not complete", ok = false;
        if (ok) {
            report << "ZoruvOdeza (stand-in): would flash " << parameter.path << " (" << check.records
                   << " data records, " << check.dataBytes << " bytes, banks 1 and 2 present) through COM"
                   << parameter.port + 1 << '\n';
            status = 0;
        } else {
            report << "ZoruvOdeza (stand-in): will not flash " << parameter.path << ": " << check.problem << '\n';
        }
    }
    std::cout << report.str();
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) std::ofstream(self.parent_path() / "ZoruvOdeza.log", std::ios::app) << report.str();
    return status;
}
