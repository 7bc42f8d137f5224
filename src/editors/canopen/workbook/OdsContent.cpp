#include "editors/canopen/workbook/OdsContent.h"

#include "common/Failure.h"
#include "editors/canopen/workbook/CellText.h"
#include "editors/canopen/workbook/DateSerial.h"
#include "editors/canopen/workbook/SheetGrid.h"
#include "editors/canopen/workbook/XmlPass.h"
#include "editors/canopen/workbook/ZipArchive.h"

#include <charconv>
#include <climits>
#include <cstdint>
#include <cstring>
#include <exception>
#include <utility>

inline namespace zz {

namespace {

constexpr std::string_view kOffice = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr std::string_view kTable = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr std::string_view kText = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr std::string_view kCalcExt = "urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0";
// Expat gives a namespaced name as its namespace URI, this separator and its local name.
constexpr char kSeparator = ' ';

constexpr uint64_t kMaxRows = 1048576;
constexpr uint64_t kMaxColumns = 16384;
// One cell repeated across columns and rows costs a few bytes of the file but a copy per
// place: the whole workbook may expand to no more than these.
constexpr uint64_t kMaxWorkbookCells = SheetGrid::kMaxCells * 4;
constexpr uint64_t kMaxWorkbookText = uint64_t(256) << 20;

bool IsName(const char* name, std::string_view uri, std::string_view local)
{
    const std::string_view full(name);
    return full.size() == uri.size() + 1 + local.size() && full.substr(0, uri.size()) == uri &&
           full[uri.size()] == kSeparator && full.substr(uri.size() + 1) == local;
}

enum class Kind : uint8_t {
    Other,
    Spreadsheet,
    Table,
    Row,
    Cell,
    Paragraph,
    Space,
    Tab,
    LineBreak,
    NullDate,
    Annotation, // a comment on a cell or in its text, not part of the text
};

Kind Classify(const char* name)
{
    if (IsName(name, kTable, "table-cell") || IsName(name, kTable, "covered-table-cell")) return Kind::Cell;
    if (IsName(name, kText, "p")) return Kind::Paragraph;
    if (IsName(name, kText, "s")) return Kind::Space;
    if (IsName(name, kTable, "table-row")) return Kind::Row;
    if (IsName(name, kText, "tab")) return Kind::Tab;
    if (IsName(name, kText, "line-break")) return Kind::LineBreak;
    if (IsName(name, kOffice, "annotation") || IsName(name, kText, "note")) return Kind::Annotation;
    if (IsName(name, kTable, "table")) return Kind::Table;
    if (IsName(name, kOffice, "spreadsheet")) return Kind::Spreadsheet;
    if (IsName(name, kTable, "null-date")) return Kind::NullDate;
    return Kind::Other;
}

const char* Attribute(const char** attributes, std::string_view uri, std::string_view local)
{
    for (const char** a = attributes; *a; a += 2)
        if (IsName(a[0], uri, local)) return a[1];
    return nullptr;
}

// A repeat count: 1 when absent or unreadable, as spreadsheets read it; never above what any
// sheet can hold, so that sums of counts cannot overflow.
uint64_t RepeatCount(const char* text)
{
    if (!text) return 1;
    const std::string_view view(text);
    uint64_t count = 0;
    const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), count);
    if (error != std::errc() || end != view.data() + view.size() || count == 0) return 1;
    return std::min<uint64_t>(count, kMaxRows * kMaxColumns);
}

std::optional<double> Number(const char* text)
{
    if (!text) return std::nullopt;
    const std::string_view view(text);
    double number = 0;
    const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), number);
    if (error != std::errc() || end != view.data() + view.size()) return std::nullopt;
    return number;
}

// An error result as the other formats name it. The spreadsheet program that writes these
// files shows the errors of other formats by their names ("#DIV/0!") and its own by a code
// ("Err:502"), which it saves in those formats as "#VALUE!", a few as "#N/A".
std::string ErrorText(std::string shown)
{
    if (shown.compare(0, 4, "Err:") != 0) return shown;
    if (shown == "Err:501" || shown == "Err:520" || shown == "Err:523") return "#N/A";
    return "#VALUE!";
}

// Whether a number cell of 0 or 1 shows as a truth value. A truth value read from another
// format is saved as such a number, shown as its word in the language of the program that
// converted it; only that shown word keeps it a truth value.
bool ShowsTruthValue(const std::string& shown, bool value)
{
    static const char* const kTrue[] = {"TRUE", "WAHR", "VRAI", "VERO", "VERDADERO", "VERDADEIRO", "WAAR"};
    static const char* const kFalse[] = {"FALSE", "FALSCH", "FAUX", "FALSO", "ONWAAR"};
    const auto matches = [&](const auto& words) {
        for (const char* word : words)
            if (shown == word) return true;
        return false;
    };
    return value ? matches(kTrue) : matches(kFalse);
}

} // namespace

class OdsContentReader::Parser : public XmlPass::Handler {
public:
    explicit Parser(std::string part)
        : part_(part),
          pass_(*this, std::move(part), kSeparator)
    {
    }

    void Feed(std::string_view piece) { pass_.Feed(piece); }

    std::vector<OdsSheet> Finish()
    {
        pass_.Finish();
        if (!spreadsheetSeen_) throw Failure("The file holds no workbook");
        return std::move(sheets_);
    }

private:
    [[noreturn]] void Damaged() const { DamagedPart(part_); }

    Kind Parent() const { return stack_.empty() ? Kind::Other : stack_.back(); }

    void Start(std::string_view element, const char** attributes) override
    {
        const char* name = element.data(); // expat's names end in a NUL
        const Kind kind = Classify(name);
        const Kind parent = Parent();
        stack_.push_back(kind);
        if (skipFrom_) return;
        if (paragraphFrom_) {
            // Inside a cell's paragraph: its spans and links carry text; comments do not.
            if (kind == Kind::Space)
                AppendText(
                    std::string(std::min<uint64_t>(RepeatCount(Attribute(attributes, kText, "c")), 1 << 16), ' '));
            else if (kind == Kind::Tab) AppendText("\t");
            else if (kind == Kind::LineBreak) AppendText("\n");
            else if (kind == Kind::Annotation) skipFrom_ = stack_.size();
            return;
        }
        if (cellFrom_) {
            if (kind == Kind::Paragraph && parent == Kind::Cell) {
                if (paragraphs_++ > 0) AppendText("\n");
                paragraphFrom_ = stack_.size();
            } else {
                skipFrom_ = stack_.size(); // comments, frames, anything else in the cell
            }
            return;
        }
        switch (kind) {
        case Kind::Spreadsheet: spreadsheetSeen_ = true; break;
        case Kind::NullDate:
            if (const char* date = Attribute(attributes, kTable, "date-value"))
                date1904_ = std::string_view(date) == "1904-01-01";
            break;
        case Kind::Table:
            if (parent == Kind::Spreadsheet) BeginTable(attributes);
            else skipFrom_ = stack_.size(); // a table in a table is none of the sheets
            break;
        case Kind::Row:
            if (tableFrom_ && !rowFrom_) {
                rowFrom_ = stack_.size();
                rowRepeat_ = RepeatCount(Attribute(attributes, kTable, "number-rows-repeated"));
                column_ = 0;
                rowCells_.clear();
            }
            break;
        case Kind::Cell:
            if (rowFrom_ && parent == Kind::Row) BeginCell(attributes);
            break;
        default: break;
        }
    }

    void End() override
    {
        const size_t depth = stack_.size();
        stack_.pop_back();
        if (skipFrom_) {
            if (depth == skipFrom_) skipFrom_ = 0;
            return;
        }
        if (depth == paragraphFrom_) paragraphFrom_ = 0;
        else if (depth == cellFrom_) EndCell();
        else if (depth == rowFrom_) EndRow();
        else if (depth == tableFrom_) EndTable();
    }

    void Text(std::string_view text) override
    {
        if (paragraphFrom_ && !skipFrom_) AppendText(text);
    }

    // A CDATA section's text comes as text; comments and processing instructions hold none.
    void Markup(XmlPass::Mark) override {}

    void AppendText(std::string_view text)
    {
        if (text_.size() + text.size() > kMaxWorkbookText) FailSheet();
        else text_.append(text);
    }

    void BeginTable(const char** attributes)
    {
        const char* name = Attribute(attributes, kTable, "name");
        if (!name) Damaged();
        sheets_.push_back({name, SheetGrid(), std::string()});
        tableFrom_ = stack_.size();
        row_ = 0;
        sheetCells_ = 0;
        sheetText_ = 0;
    }

    void EndTable() { tableFrom_ = 0; }

    void BeginCell(const char** attributes)
    {
        cellFrom_ = stack_.size();
        paragraphs_ = 0;
        text_.clear();
        cellRepeat_ = RepeatCount(Attribute(attributes, kTable, "number-columns-repeated"));
        cellValue_.reset();
        truthValue_.reset();
        const char* calcType = Attribute(attributes, kCalcExt, "value-type");
        if (calcType && std::strcmp(calcType, "error") == 0) {
            error_ = true;
            return;
        }
        error_ = false;
        const char* type = Attribute(attributes, kOffice, "value-type");
        if (!type) return;
        const std::string_view valueType(type);
        if (valueType == "float" || valueType == "percentage" || valueType == "currency") {
            if (const std::optional<double> number = Number(Attribute(attributes, kOffice, "value"))) {
                cellValue_ = NumberCellText(*number);
                if (valueType == "float" && (*number == 0 || *number == 1)) truthValue_ = *number == 1;
            }
        } else if (valueType == "date") {
            if (const char* date = Attribute(attributes, kOffice, "date-value")) {
                const std::optional<double> serial = DateSerial(date, date1904_);
                cellValue_ = serial ? NumberCellText(*serial) : std::string(date);
            }
        } else if (valueType == "time") {
            if (const char* time = Attribute(attributes, kOffice, "time-value"))
                if (const std::optional<double> days = DurationDays(time)) cellValue_ = NumberCellText(*days);
        } else if (valueType == "boolean") {
            if (const char* value = Attribute(attributes, kOffice, "boolean-value"))
                cellValue_ = BooleanCellText(std::strcmp(value, "true") == 0 || std::strcmp(value, "1") == 0);
        } else if (valueType == "string") {
            if (const char* value = Attribute(attributes, kOffice, "string-value")) cellValue_ = value;
        }
    }

    void EndCell()
    {
        cellFrom_ = 0;
        const uint64_t first = column_;
        column_ += cellRepeat_;
        if (truthValue_ && ShowsTruthValue(text_, *truthValue_)) cellValue_ = BooleanCellText(*truthValue_);
        std::string text = cellValue_ ? std::move(*cellValue_)
                           : error_   ? ErrorText(std::move(text_))
                                      : std::move(text_);
        text_.clear();
        if (text.empty() || !sheets_.back().Failure.empty()) return;
        if (column_ > kMaxColumns) return FailSheet();
        if (!Spend(cellRepeat_, text.size() * cellRepeat_)) return;
        for (uint64_t c = first; c < column_; ++c) rowCells_.emplace_back(static_cast<uint32_t>(c), text);
    }

    void EndRow()
    {
        rowFrom_ = 0;
        const uint64_t first = row_;
        row_ += rowRepeat_;
        if (rowCells_.empty() || !sheets_.back().Failure.empty()) return;
        if (row_ > kMaxRows) return FailSheet();
        uint64_t bytes = 0;
        for (const auto& cell : rowCells_) bytes += cell.second.size();
        // The row's own cells were counted as they came; each repetition costs them again.
        if (!Spend(rowCells_.size() * (rowRepeat_ - 1), bytes * (rowRepeat_ - 1))) return;
        for (uint64_t r = first; r < row_; ++r)
            for (const auto& [column, text] : rowCells_)
                sheets_.back().Cells.Set(static_cast<uint32_t>(r), column, text);
        rowCells_.clear();
    }

    // Counts cells and text against the limits of a sheet and of the workbook.
    bool Spend(uint64_t cells, uint64_t bytes)
    {
        if (sheetCells_ + cells > SheetGrid::kMaxCells || workbookCells_ + cells > kMaxWorkbookCells ||
            workbookText_ + bytes > kMaxWorkbookText) {
            FailSheet();
            return false;
        }
        sheetCells_ += cells;
        sheetText_ += bytes;
        workbookCells_ += cells;
        workbookText_ += bytes;
        return true;
    }

    // A sheet too large is refused on its own: what it held is given back to the sheets after it.
    void FailSheet()
    {
        if (sheets_.empty()) return;
        sheets_.back().Failure = "The sheet is too large to be read";
        sheets_.back().Cells = SheetGrid();
        rowCells_.clear();
        workbookCells_ -= sheetCells_;
        workbookText_ -= sheetText_;
        sheetCells_ = sheetText_ = 0;
    }

    std::string part_;
    XmlPass pass_;
    std::vector<Kind> stack_;
    std::vector<OdsSheet> sheets_;
    bool spreadsheetSeen_ = false;
    bool date1904_ = false;
    // The depth (stack size) at which the open table, row, cell, paragraph or skipped
    // element began; 0 when none is open.
    size_t tableFrom_ = 0, rowFrom_ = 0, cellFrom_ = 0, paragraphFrom_ = 0, skipFrom_ = 0;
    uint64_t row_ = 0, rowRepeat_ = 1, column_ = 0, cellRepeat_ = 1;
    std::vector<std::pair<uint32_t, std::string>> rowCells_;
    std::string text_; // the open cell's paragraphs
    size_t paragraphs_ = 0;
    std::optional<std::string> cellValue_; // its typed value, when it has one
    bool error_ = false;
    std::optional<bool> truthValue_; // a number cell of 0 or 1, which may show as a truth value
    uint64_t sheetCells_ = 0, sheetText_ = 0, workbookCells_ = 0, workbookText_ = 0;
};

OdsContentReader::OdsContentReader(const std::string& part)
    : parser_(std::make_unique<Parser>(part))
{
}

OdsContentReader::~OdsContentReader() = default;

void OdsContentReader::Feed(std::string_view piece)
{
    parser_->Feed(piece);
}

std::vector<OdsSheet> OdsContentReader::Finish()
{
    return parser_->Finish();
}

} // namespace zz
