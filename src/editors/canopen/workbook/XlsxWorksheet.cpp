#include "common/Failure.h"
#include "editors/canopen/workbook/CellText.h"
#include "editors/canopen/workbook/DateSerial.h"
#include "editors/canopen/workbook/SheetGrid.h"
#include "editors/canopen/workbook/XlsxParts.h"
#include "editors/canopen/workbook/XlsxText.h"
#include "editors/canopen/workbook/ZipArchive.h"

#include <cctype>
#include <charconv>
#include <optional>

inline namespace zz {

namespace {

constexpr uint32_t kMaxRows = 1048576;
constexpr uint32_t kMaxColumns = 16384;

// "B12" as column 1, row 11. False for anything else.
bool ParseReference(std::string_view ref, uint32_t& row, uint32_t& column)
{
    size_t i = 0;
    uint32_t letters = 0;
    while (i < ref.size() && std::isalpha(static_cast<unsigned char>(ref[i])) && i < 3)
        letters = letters * 26 + static_cast<uint32_t>(std::toupper(static_cast<unsigned char>(ref[i++])) - 'A' + 1);
    if (letters == 0 || letters > kMaxColumns || i == ref.size() || ref.size() - i > 7) return false;
    uint32_t number = 0;
    for (; i < ref.size(); ++i) {
        if (ref[i] < '0' || ref[i] > '9') return false;
        number = number * 10 + static_cast<uint32_t>(ref[i] - '0');
    }
    if (number == 0 || number > kMaxRows) return false;
    row = number - 1;
    column = letters - 1;
    return true;
}

// The elements that matter: <worksheet>, its first <sheetData>, the rows in it, their cells,
// and in a cell its first <v> and first <is>.
enum class Open : uint8_t { Other, Worksheet, SheetData, Row, Cell, Value, Item };

class WorksheetHandler : public XmlPass::Handler {
public:
    WorksheetHandler(const std::string& part, const std::vector<std::string>& strings, bool date1904)
        : part_(part),
          strings_(strings),
          date1904_(date1904)
    {
    }

    SheetGrid grid;
    std::optional<std::string> tooLarge; // a sheet too large is told once the whole part proved sound

    void Start(std::string_view name, const char** attributes) override
    {
        const std::string_view local = LocalName(name);
        if (itemFrom_) {
            stack_.push_back(Open::Other);
            item_.Start(stack_.size() - itemFrom_, local);
            return;
        }
        if (valueFrom_) {
            if (stack_.size() == valueFrom_) value_.Child();
            stack_.push_back(Open::Other);
            return;
        }
        const Open parent = stack_.empty() ? Open::Other : stack_.back();
        Open kind = Open::Other;
        if (stack_.empty()) {
            if (local == "worksheet") kind = Open::Worksheet;
        } else if (parent == Open::Worksheet) {
            if (local == "sheetData" && !sheetDataSeen_) kind = Open::SheetData, sheetDataSeen_ = true;
        } else if (parent == Open::SheetData) {
            if (local == "row") kind = Open::Row, BeginRow(attributes);
        } else if (parent == Open::Row) {
            if (local == "c") kind = Open::Cell, BeginCell(attributes);
        } else if (parent == Open::Cell) {
            if (local == "v" && !hasValue_) kind = Open::Value, hasValue_ = true;
            else if (local == "is" && !hasItem_) kind = Open::Item, hasItem_ = true;
        }
        stack_.push_back(kind);
        if (kind == Open::Value) {
            valueFrom_ = stack_.size();
            value_.Begin();
        } else if (kind == Open::Item) {
            itemFrom_ = stack_.size();
            item_.Begin();
        }
    }

    void End() override
    {
        const size_t depth = stack_.size();
        const Open kind = stack_.back();
        stack_.pop_back();
        if (itemFrom_ && depth > itemFrom_) return item_.End(depth - itemFrom_);
        if (valueFrom_ && depth > valueFrom_) return;
        switch (kind) {
        case Open::Value:
            valueText_ = value_.Take();
            valueFrom_ = 0;
            break;
        case Open::Item:
            itemText_ = item_.Take();
            itemFrom_ = 0;
            break;
        case Open::Cell: EndCell(); break;
        default: break;
        }
    }

    void Text(std::string_view text) override
    {
        if (itemFrom_) item_.Text(stack_.size() - itemFrom_, text);
        else if (valueFrom_ == stack_.size() && valueFrom_) value_.Text(text);
    }

    void Markup(XmlPass::Mark mark) override
    {
        if (itemFrom_) item_.Markup(stack_.size() - itemFrom_, mark);
        else if (valueFrom_ == stack_.size() && valueFrom_) value_.Markup(mark);
    }

private:
    [[noreturn]] void Damaged() const { DamagedPart(part_); }

    // References may be left out; a row or cell without one follows the previous one.
    // Once the sheet is too large, no cell matters but the document's soundness.
    void BeginRow(const char** attributes)
    {
        if (tooLarge) return;
        if (const char* number = FindAttribute(attributes, "r")) {
            const std::string_view text(number);
            uint32_t value = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
            if (error != std::errc() || end != text.data() + text.size() || value == 0 || value > kMaxRows) Damaged();
            row_ = value - 1;
        } else if (!firstRow_ && ++row_ >= kMaxRows) {
            Damaged();
        }
        firstRow_ = false;
        column_ = 0;
        firstCell_ = true;
    }

    void BeginCell(const char** attributes)
    {
        if (tooLarge) return;
        if (const char* ref = FindAttribute(attributes, "r")) {
            if (!ParseReference(ref, row_, column_)) Damaged(); // the cell's own row counts
        } else if (!firstCell_) {
            if (++column_ >= kMaxColumns) Damaged();
        }
        firstCell_ = false;
        const char* type = FindAttribute(attributes, "t");
        type_ = type ? type : "n";
        hasValue_ = hasItem_ = false;
        valueText_.clear();
        itemText_.clear();
    }

    void EndCell()
    {
        if (tooLarge) return;
        std::string text = CellText();
        try {
            grid.Set(row_, column_, std::move(text));
        } catch (const Failure& failure) {
            tooLarge = failure.what();
            grid = SheetGrid();
        }
    }

    std::string CellText()
    {
        if (type_ == "inlineStr") return hasItem_ ? std::move(itemText_) : std::string();
        if (!hasValue_) return std::string(); // no stored result
        std::string& value = valueText_;
        if (type_ == "s") {
            if (value.empty()) return value; // an empty <v/>: programs read it as an empty cell
            size_t index = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), index);
            if (error != std::errc() || end != value.data() + value.size() || index >= strings_.size()) Damaged();
            return strings_[index];
        }
        if (type_ == "b") return BooleanCellText(value == "1" || value == "true");
        if (type_ == "str") return DecodeEscapes(value);
        if (type_ == "d") {
            if (const std::optional<double> serial = DateSerial(value, date1904_)) return NumberCellText(*serial);
            return std::move(value);
        }
        if (type_ == "n") {
            double number = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
            if (error == std::errc() && end == value.data() + value.size()) return NumberCellText(number);
        }
        return std::move(value); // errors ("#DIV/0!"), numbers no reader could parse
    }

    const std::string& part_;
    const std::vector<std::string>& strings_;
    const bool date1904_;
    std::vector<Open> stack_;
    bool sheetDataSeen_ = false;
    uint32_t row_ = 0, column_ = 0;
    bool firstRow_ = true, firstCell_ = true;
    // The open cell: its type, and the texts of its first <v> and <is>.
    std::string type_;
    bool hasValue_ = false, hasItem_ = false;
    std::string valueText_, itemText_;
    // The depth (stack size) at which the open <v> or <is> began; 0 when none is open.
    size_t valueFrom_ = 0, itemFrom_ = 0;
    FirstTextNode value_;
    StringItem item_;
};

} // namespace

Sheet ReadWorksheet(const ZipArchive& archive, const std::string& part, const std::vector<std::string>& strings,
                    bool date1904)
{
    WorksheetHandler handler(part, strings, date1904);
    XmlPass pass(handler, part);
    if (!archive.Stream(part, [&](std::string_view piece) { pass.Feed(piece); })) DamagedPart(part);
    pass.Finish();
    if (handler.tooLarge) throw Failure(*handler.tooLarge);
    return handler.grid.Build();
}

} // namespace zz
