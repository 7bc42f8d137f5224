#include "common/AsciiText.h"
#include "common/Cp1252.h"
#include "common/Failure.h"
#include "editors/canopen/workbook/BiffStream.h"
#include "editors/canopen/workbook/CellText.h"
#include "editors/canopen/workbook/GsfSupport.h"
#include "editors/canopen/workbook/LittleEndian.h"
#include "editors/canopen/workbook/SheetGrid.h"
#include "editors/canopen/workbook/WorkbookReaders.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>

inline namespace zz {

namespace {

namespace Record {
constexpr uint16_t Eof = 0x000A;
constexpr uint16_t Formula = 0x0006;
constexpr uint16_t Formula3 = 0x0206; // the older forms, which some programs still write
constexpr uint16_t Formula4 = 0x0406;
constexpr uint16_t FilePass = 0x002F;
constexpr uint16_t BoundSheet = 0x0085;
constexpr uint16_t MulRk = 0x00BD;
constexpr uint16_t Sst = 0x00FC;
constexpr uint16_t LabelSst = 0x00FD;
constexpr uint16_t Number = 0x0203;
constexpr uint16_t Label = 0x0204;
constexpr uint16_t RichLabel = 0x00D6; // a label with formatting runs after its text
constexpr uint16_t BoolErr = 0x0205;
constexpr uint16_t String = 0x0207;
constexpr uint16_t Rk = 0x027E;
constexpr uint16_t Bof = 0x0809;
} // namespace Record

constexpr uint16_t kBiff8 = 0x0600;
constexpr uint16_t kBiff5 = 0x0500;
constexpr uint16_t kGlobals = 0x0005;
constexpr uint16_t kWorksheet = 0x0010;
constexpr uint64_t kMaxStream = uint64_t(256) << 20;

[[noreturn]] void Damaged()
{
    throw Failure("The workbook is damaged");
}

// An RK number: a 30-bit integer or the high 30 bits of a double, perhaps divided by 100.
double RkValue(uint32_t rk)
{
    double value;
    if (rk & 0x02) {
        value = static_cast<int32_t>(rk) >> 2;
    } else {
        const uint64_t bits = static_cast<uint64_t>(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    return (rk & 0x01) ? value / 100 : value;
}

struct SheetEntry {
    std::string name;
    uint32_t offset;
};

class XlsWorkbook : public Workbook {
public:
    explicit XlsWorkbook(std::string stream)
        : stream_(std::move(stream))
    {
        ReadGlobals();
    }

    // A bare worksheet of the first spreadsheet programs (BIFF2 to BIFF4), one sheet named
    // `name`. Its texts are code page bytes as in BIFF5, and BIFF3 and BIFF4 store their cells
    // as BIFF5 does; BIFF2 has cell records of its own.
    XlsWorkbook(std::string stream, std::string name, bool biff2)
        : stream_(std::move(stream)),
          version_(kBiff5),
          legacy_(true),
          biff2_(biff2)
    {
        sheets_.push_back({std::move(name), 0});
    }

    std::vector<std::string> SheetNames() const override
    {
        std::vector<std::string> names;
        for (const SheetEntry& sheet : sheets_) names.push_back(sheet.name);
        return names;
    }

    Sheet ReadSheet(const std::string& name) const override
    {
        for (const SheetEntry& sheet : sheets_)
            if (sheet.name == name) return ReadCells(sheet.offset);
        throw Failure("No sheet '" + name + "'");
    }

private:
    bool Biff8() const { return version_ == kBiff8; }
    // The BOF of this version, and in the older worksheets that of BIFF2 to BIFF4 too.
    bool IsBof(uint16_t type) const
    {
        return type == Record::Bof || (legacy_ && (type == 0x0009 || type == 0x0209 || type == 0x0409));
    }

    std::string Text(BiffPieces& pieces, bool byteLength = false) const
    {
        return Biff8() ? pieces.UnicodeString(byteLength) : pieces.ByteString(byteLength);
    }

    void ReadGlobals()
    {
        BiffRecordReader reader(stream_, 0);
        {
            BiffRecord bof;
            if (!reader.Next(bof) || bof.type != Record::Bof) throw Failure("The file holds no workbook");
            version_ = U16At(bof.parts[0], 0);
            if (version_ != kBiff8 && version_ != kBiff5) throw Failure("This kind of workbook cannot be read");
            if (U16At(bof.parts[0], 2) != kGlobals) throw Failure("The file holds no workbook");
        }
        BiffRecord record;
        while (reader.Next(record)) {
            switch (record.type) {
            case Record::Eof: return;
            case Record::FilePass: throw Failure("The workbook is protected by a password");
            case Record::BoundSheet: {
                BiffPieces pieces(record.parts);
                const uint32_t offset = pieces.U32();
                pieces.U8(); // visibility: hidden sheets are still tables
                const uint8_t kind = pieces.U8();
                std::string name = Text(pieces, true);
                if (kind == 0) sheets_.push_back({std::move(name), offset});
                break;
            }
            case Record::Sst: {
                BiffPieces pieces(record.parts);
                pieces.U32(); // references
                const uint32_t count = pieces.U32();
                // Each string takes at least three bytes, so the count cannot ask for more.
                strings_.reserve(std::min<size_t>(count, stream_.size() / 3));
                while (strings_.size() < count && !pieces.AtEnd()) strings_.push_back(pieces.UnicodeString());
                break;
            }
            default: break;
            }
        }
        Damaged(); // no end of the globals
    }

    Sheet ReadCells(uint32_t offset) const
    {
        if (offset >= stream_.size()) Damaged();
        BiffRecordReader reader(stream_, offset);
        BiffRecord record;
        // The globals' version decides how texts are stored: programs that write BIFF5 sheets
        // with a BIFF8 version in their BOF read them as BIFF5, and so does this reader.
        if (!reader.Next(record) || !IsBof(record.type)) Damaged();
        if (record.type != Record::Bof) {
            // BIFF2 to BIFF4: a worksheet, or a workbook of several (which is not read).
            if (U16At(record.parts[0], 2) != kWorksheet)
                throw Failure("The workbook is of an old kind (Excel 4 workbook) that cannot be read; "
                              "save it as .xls or .xlsx and import that file");
        } else {
            const uint16_t sheetVersion = U16At(record.parts[0], 0);
            if ((sheetVersion != kBiff8 && sheetVersion != kBiff5) || U16At(record.parts[0], 2) != kWorksheet)
                Damaged();
        }
        SheetGrid grid;
        int depth = 1; // charts embedded in the sheet are substreams of their own
        std::optional<std::pair<uint16_t, uint16_t>> stringResult; // a formula waiting for its STRING
        while (reader.Next(record)) {
            if (IsBof(record.type)) {
                ++depth;
                continue;
            }
            if (record.type == Record::Eof) {
                if (--depth == 0) return grid.Build();
                continue;
            }
            if (depth != 1) continue;
            const std::string_view data = record.parts[0];
            BiffPieces pieces(record.parts);
            const auto cell = [&](std::string text) { grid.Set(U16At(data, 0), U16At(data, 2), std::move(text)); };
            if (biff2_ && ReadBiff2Cell(record.type, data, grid, stringResult)) continue;
            switch (record.type) {
            case Record::LabelSst: {
                const uint32_t index = U32At(data, 6);
                if (index >= strings_.size()) Damaged();
                cell(strings_[index]);
                break;
            }
            case Record::Label:
            case Record::RichLabel:
                pieces.Skip(6);
                cell(Text(pieces));
                break;
            case Record::Number: cell(NumberCellText(DoubleAt(data, 6))); break;
            case Record::Rk: cell(NumberCellText(RkValue(U32At(data, 6)))); break;
            case Record::MulRk: {
                if (data.size() < 6) Damaged();
                const uint16_t row = U16At(data, 0);
                const uint16_t first = U16At(data, 2);
                const size_t count = (data.size() - 6) / 6;
                for (size_t i = 0; i < count; ++i)
                    grid.Set(row, static_cast<uint32_t>(first + i),
                             NumberCellText(RkValue(U32At(data, 4 + 6 * i + 2))));
                break;
            }
            case Record::BoolErr: {
                const uint8_t value = U8At(data, 6);
                cell(U8At(data, 7) ? ErrorCellText(value) : BooleanCellText(value != 0));
                break;
            }
            case Record::Formula:
            case Record::Formula3:
            case Record::Formula4: {
                // The stored result: a double, or a tagged string, boolean, error or empty text.
                stringResult.reset();
                if (U16At(data, 12) != 0xFFFF) {
                    cell(NumberCellText(DoubleAt(data, 6)));
                    break;
                }
                switch (U8At(data, 6)) {
                case 0: stringResult.emplace(U16At(data, 0), U16At(data, 2)); break;
                case 1: cell(BooleanCellText(U8At(data, 8) != 0)); break;
                case 2: cell(ErrorCellText(U8At(data, 8))); break;
                default: cell(std::string()); break;
                }
                break;
            }
            case Record::String:
                if (stringResult) {
                    grid.Set(stringResult->first, stringResult->second, Text(pieces));
                    stringResult.reset();
                }
                break;
            default: break;
            }
        }
        Damaged(); // the sheet has no end
    }

    // The cell records of BIFF2, whose cells carry three bytes of attributes; false for any
    // other record.
    bool ReadBiff2Cell(uint16_t type, std::string_view data, SheetGrid& grid,
                       std::optional<std::pair<uint16_t, uint16_t>>& stringResult) const
    {
        const auto cell = [&](std::string text) { grid.Set(U16At(data, 0), U16At(data, 2), std::move(text)); };
        switch (type) {
        case 0x0002: cell(NumberCellText(U16At(data, 7))); return true;    // INTEGER
        case 0x0003: cell(NumberCellText(DoubleAt(data, 7))); return true; // NUMBER
        case 0x0004: {                                                     // LABEL: a one-byte length
            const size_t length = U8At(data, 7);
            if (data.size() < 8 + length) Damaged();
            cell(Cp1252ToUtf8(data.substr(8, length)));
            return true;
        }
        case 0x0005:
            cell(U8At(data, 8) ? ErrorCellText(U8At(data, 7)) : BooleanCellText(U8At(data, 7) != 0));
            return true;
        case 0x0006: // FORMULA: the result as in later versions, three bytes further on
            stringResult.reset();
            if (U16At(data, 13) != 0xFFFF) {
                cell(NumberCellText(DoubleAt(data, 7)));
            } else {
                switch (U8At(data, 7)) {
                case 0: stringResult.emplace(U16At(data, 0), U16At(data, 2)); break;
                case 1: cell(BooleanCellText(U8At(data, 9) != 0)); break;
                case 2: cell(ErrorCellText(U8At(data, 9))); break;
                default: cell(std::string()); break;
                }
            }
            return true;
        case 0x0007: // STRING: a one-byte length
            if (stringResult) {
                const size_t length = U8At(data, 0);
                if (data.size() < 1 + length) Damaged();
                grid.Set(stringResult->first, stringResult->second, Cp1252ToUtf8(data.substr(1, length)));
                stringResult.reset();
            }
            return true;
        default: return false;
        }
    }

    std::string stream_;
    uint16_t version_ = 0;
    bool legacy_ = false; // a bare worksheet of BIFF2 to BIFF4
    bool biff2_ = false;
    std::vector<SheetEntry> sheets_;
    std::vector<std::string> strings_;
};

bool HasStream(GsfInfile* file, const std::string& lowerName)
{
    const int count = gsf_infile_num_children(file);
    for (int i = 0; i < count; ++i)
        if (const char* name = gsf_infile_name_by_index(file, i); name && AsciiLower(name) == lowerName) return true;
    return false;
}

// The workbook stream, its name compared without letter case: the current "Workbook" (BIFF8)
// before an old "Book" (BIFF5) that a program may have left beside it.
GsfHandle<GsfInput> WorkbookStream(GsfInfile* file)
{
    const int count = gsf_infile_num_children(file);
    for (const char* wanted : {"workbook", "book"})
        for (int i = 0; i < count; ++i)
            if (const char* name = gsf_infile_name_by_index(file, i); name && AsciiLower(name) == wanted)
                if (GsfHandle<GsfInput> stream{gsf_infile_child_by_index(file, i)}) return stream;
    return nullptr;
}

} // namespace

std::unique_ptr<Workbook> OpenXlsWorkbook(std::string bytes)
{
    const QuietGlib quiet;
    const GsfHandle<GsfInput> input = MemoryInput(bytes);
    GError* error = nullptr;
    const GsfHandle<GsfInfile> file(gsf_infile_msole_new(input.get(), &error));
    if (!file) throw Failure("The file is no workbook: " + TakeErrorText(error, "no compound file"));
    if (error) g_error_free(error);
    GsfHandle<GsfInput> stream = WorkbookStream(file.get());
    if (!stream) {
        // An encrypted Open XML workbook is a compound file of its own kind.
        if (HasStream(file.get(), "encryptedpackage")) throw Failure("The workbook is protected by a password");
        if (HasStream(file.get(), "worddocument")) throw Failure(UnreadFormatMessage("a Word document (.doc)"));
        if (HasStream(file.get(), "powerpoint document"))
            throw Failure(UnreadFormatMessage("a PowerPoint presentation (.ppt)"));
        throw Failure(UnreadFormatMessage("a compound file that holds no workbook"));
    }
    // A compound file stores its streams uncompressed: none is larger than the file.
    const uint64_t limit = std::min<uint64_t>(kMaxStream, bytes.size());
    return std::make_unique<XlsWorkbook>(ReadWholeInput(stream.get(), limit, "Workbook"));
}

std::unique_ptr<Workbook> OpenBiffStreamWorkbook(std::string stream)
{
    if (stream.size() > kMaxStream) throw Failure("'Workbook' is too large to be read");
    return std::make_unique<XlsWorkbook>(std::move(stream));
}

std::unique_ptr<Workbook> OpenOldWorksheet(std::string stream, std::string name)
{
    if (stream.size() > kMaxStream) throw Failure("'Workbook' is too large to be read");
    const bool biff2 = stream.size() > 1 && stream[1] == '\0';
    if (stream.size() < 8 || U16At(stream, 6) != kWorksheet)
        throw Failure("The workbook is of an old kind (Excel 4 workbook) that cannot be read; "
                      "save it as .xls or .xlsx and import that file");
    return std::make_unique<XlsWorkbook>(std::move(stream), std::move(name), biff2);
}

} // namespace zz
