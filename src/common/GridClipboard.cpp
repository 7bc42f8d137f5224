#include "common/GridClipboard.h"

#include "common/AsciiText.h"

#include <algorithm>
#include <cctype>

inline namespace zz {

namespace {

bool IsLineBreak(char c)
{
    return c == '\n' || c == '\r';
}

// Skips one line break (CR LF counts as one) at `at`.
size_t SkipLineBreak(std::string_view text, size_t at)
{
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') return at + 2;
    return at + 1;
}

// Reads a quoted cell starting at the quote `at`; returns the position after the closing quote
// when the cell is properly closed (followed by a tab, a line break or the end).
std::optional<size_t> ReadQuoted(std::string_view text, size_t at, std::string& cell)
{
    std::string value;
    size_t i = at + 1;
    while (i < text.size()) {
        if (text[i] == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
                value += '"';
                i += 2;
                continue;
            }
            const size_t after = i + 1;
            if (after == text.size() || text[after] == '\t' || IsLineBreak(text[after])) {
                cell = std::move(value);
                return after;
            }
            return std::nullopt;
        }
        value += text[i++];
    }
    return std::nullopt;
}

std::string Trimmed(std::string_view text)
{
    std::string out(Trim(text));
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string Plural(int count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

CellBlock ParseTabSeparated(std::string_view text)
{
    CellBlock block;
    if (text.empty()) return block;
    std::vector<std::string> row;
    size_t i = 0;
    while (true) {
        std::string cell;
        size_t end = i;
        std::optional<size_t> quotedEnd;
        if (i < text.size() && text[i] == '"') quotedEnd = ReadQuoted(text, i, cell);
        if (quotedEnd) {
            end = *quotedEnd;
        } else {
            while (end < text.size() && text[end] != '\t' && !IsLineBreak(text[end])) ++end;
            cell.assign(text.substr(i, end - i));
        }
        row.push_back(std::move(cell));
        if (end == text.size()) {
            block.push_back(std::move(row));
            break;
        }
        if (text[end] == '\t') {
            i = end + 1;
            continue;
        }
        block.push_back(std::move(row));
        row.clear();
        i = SkipLineBreak(text, end);
        if (i == text.size()) break; // the line break that ends the last row
    }
    return block;
}

std::string FormatTabSeparated(const CellBlock& block)
{
    std::string out;
    for (const auto& row : block) {
        for (size_t c = 0; c < row.size(); ++c) {
            if (c > 0) out += '\t';
            const std::string& cell = row[c];
            if (cell.find_first_of("\t\r\n\"") == std::string::npos) {
                out += cell;
                continue;
            }
            out += '"';
            for (char ch : cell) {
                if (ch == '"') out += '"';
                out += ch;
            }
            out += '"';
        }
        out += '\n';
    }
    return out;
}

std::optional<std::string> CheckCellValue(std::string_view text)
{
    const std::string word = Trimmed(text);
    if (word == "Y" || word == "1" || word == "TRUE") return std::string("Y");
    if (word.empty() || word == "N" || word == "0" || word == "FALSE") return std::string("N");
    return std::nullopt;
}

std::string PasteOutcome::Notice() const
{
    std::string left;
    if (RowsLeftOut > 0) left = Plural(RowsLeftOut, "row", "rows");
    if (ColumnsLeftOut > 0) {
        if (!left.empty()) left += " and ";
        left += Plural(ColumnsLeftOut, "column", "columns");
    }
    std::string notice;
    if (!left.empty())
        notice = "The pasted block is larger than the table: " + left + " beyond its end " +
                 (RowsLeftOut + ColumnsLeftOut == 1 ? "was" : "were") + " left out.";
    if (RefusedChecks > 0) {
        if (!notice.empty()) notice += "\n";
        notice += Plural(RefusedChecks, "value", "values") +
                  " could not be pasted into check cells, which take only Y, N, 1, 0, TRUE or FALSE; " +
                  (RefusedChecks == 1 ? "that cell keeps its value." : "those cells keep their values.");
    }
    return notice;
}

PasteOutcome PasteBlock(GridCells& cells, const CellBlock& block, int column, int row,
                        const std::set<int>& checkColumns)
{
    PasteOutcome outcome;
    column = std::max(column, 1);
    row = std::max(row, 1);
    const int rowsThatFit = std::max(0, cells.RowCount() - row);
    const int columnsThatFit = std::max(0, cells.ColCount() - column);
    outcome.RowsLeftOut = std::max(0, static_cast<int>(block.size()) - rowsThatFit);
    size_t widest = 0;
    for (const auto& line : block) widest = std::max(widest, line.size());
    outcome.ColumnsLeftOut = std::max(0, static_cast<int>(widest) - columnsThatFit);

    for (int r = 0; r < static_cast<int>(block.size()) && r < rowsThatFit; ++r) {
        const auto& line = block[static_cast<size_t>(r)];
        for (int c = 0; c < static_cast<int>(line.size()) && c < columnsThatFit; ++c) {
            const std::string& text = line[static_cast<size_t>(c)];
            if (!checkColumns.count(column + c)) {
                cells.SetCell(column + c, row + r, text);
            } else if (const auto value = CheckCellValue(text)) {
                cells.SetCell(column + c, row + r, *value);
            } else {
                ++outcome.RefusedChecks;
            }
        }
    }
    return outcome;
}

} // namespace zz
