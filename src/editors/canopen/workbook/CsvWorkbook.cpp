#include "common/Cp1252.h"
#include "common/Failure.h"
#include "common/FileSystem.h"
#include "editors/canopen/workbook/CsvLimits.h"
#include "editors/canopen/workbook/FilePieces.h"
#include "editors/canopen/workbook/WorkbookReaders.h"

#include <algorithm>

inline namespace zz {

namespace {

// Splits the pieces of a file into lines: up to each LF, and the rest after the last one; a
// CR before the end of a line is not part of it. A line longer than kMaxCsvLineBytes is
// refused with `tooLong` before it is held whole.
class LineSplitter {
public:
    explicit LineSplitter(std::function<void(size_t line)> tooLong)
        : tooLong_(std::move(tooLong))
    {
    }

    // Hands each whole line of the piece to `line`, which returns false to stop; false then.
    template <class F>
    bool Feed(std::string_view piece, F&& line)
    {
        while (!piece.empty()) {
            const size_t end = piece.find('\n');
            const std::string_view part = piece.substr(0, end);
            if (carry_.size() + part.size() > kMaxCsvLineBytes) tooLong_(number_);
            if (end == std::string_view::npos) {
                carry_.append(part);
                return true;
            }
            piece.remove_prefix(end + 1);
            const bool more = carry_.empty() ? Emit(part, line) : (carry_.append(part), Emit(carry_, line));
            carry_.clear();
            if (!more) return false;
        }
        return true;
    }

    // The last line, which no LF ends.
    template <class F>
    void Finish(F&& line)
    {
        if (!carry_.empty()) Emit(carry_, line);
        carry_.clear();
    }

private:
    template <class F>
    bool Emit(std::string_view text, F&& line)
    {
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        return line(number_++, text);
    }

    std::function<void(size_t)> tooLong_;
    std::string carry_;
    size_t number_ = 0; // of the next line, from 0
};

// Fields separated by commas, no quoting; a trailing comma ends the last field.
size_t FieldCount(std::string_view line)
{
    if (line.empty()) return 0;
    return static_cast<size_t>(std::count(line.begin(), line.end(), ',')) + (line.back() == ',' ? 0 : 1);
}

void SplitFields(std::string_view line, bool utf8, std::vector<std::string>& fields)
{
    fields.clear();
    size_t start = 0;
    while (start < line.size()) {
        size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) comma = line.size();
        const std::string_view field = line.substr(start, comma - start);
        fields.push_back(utf8 ? std::string(field) : Cp1252ToUtf8(field));
        start = comma + 1;
    }
}

SheetHead CsvHead()
{
    SheetHead head;
    head.fromCsv = true;
    return head;
}

// The file is read twice: once when it opens, for the sheet's shape, its code page and its
// limits, holding no more than a line; then for the rows, one at a time.
class CsvWorkbook : public Workbook {
public:
    CsvWorkbook(std::shared_ptr<const FilePieces> file, std::string name)
        : file_(std::move(file)),
          name_(std::move(name))
    {
        Survey();
    }

    std::vector<std::string> SheetNames() const override { return {name_}; }

    Sheet ReadSheet(const std::string& name) const override
    {
        Sheet sheet;
        ReadSheetRows(
            name,
            [&](const SheetHead& head) {
                sheet.columnCount = head.columnCount;
                sheet.titleRow = head.titleRow;
                sheet.fromCsv = true;
                sheet.rows.reserve(head.rowCount);
                return true;
            },
            [&](const std::vector<std::string>& row) { sheet.rows.push_back(row); });
        return sheet;
    }

    void ReadSheetRows(const std::string& name, const std::function<bool(const SheetHead&)>& head,
                       const std::function<void(const std::vector<std::string>&)>& row) const override
    {
        if (name != name_) throw Failure("No sheet '" + name + "'");
        if (!head(head_) || head_.rowCount == 0) return;
        LineSplitter lines([this](size_t) { Changed(); });
        std::vector<std::string> fields;
        size_t handed = 0;
        const auto take = [&](size_t number, std::string_view line) {
            if (number == 0) return true;
            if (FieldCount(line) > head_.columnCount) Changed();
            SplitFields(line, utf8_, fields);
            fields.resize(head_.columnCount);
            row(fields);
            return ++handed < head_.rowCount;
        };
        bool more = true;
        file_->Read(0, [&](std::string_view piece) { return more = lines.Feed(piece, take); });
        if (more) lines.Finish(take);
        if (handed != head_.rowCount) Changed();
    }

private:
    [[noreturn]] void Refuse(const std::string& why) const { throw Failure("'" + file_->Path() + "': " + why); }
    [[noreturn]] void Changed() const { Refuse("The file changed while it was read"); }

    void Survey()
    {
        size_t lastRecord = 0; // the last line that is not empty, plus one
        std::string title;
        bool text = true;
        LineSplitter lines([this](size_t number) {
            Refuse("The CSV file is too large to be read: line " + std::to_string(number + 1) + " is longer than " +
                   std::to_string(kMaxCsvLineBytes) + " bytes, which no table row comes near");
        });
        const auto survey = [&](size_t number, std::string_view line) {
            if (utf8_ && !IsValidUtf8(line)) utf8_ = false;
            if (number == 0) title = line;
            if (line.empty()) return true;
            if (number >= kMaxCsvLines)
                Refuse("The CSV file is too large to be read: it has more than " + std::to_string(kMaxCsvLines) +
                       " lines, the rows a sheet holds");
            const size_t commas = static_cast<size_t>(std::count(line.begin(), line.end(), ','));
            const size_t fields = commas + (line.back() == ',' ? 0 : 1);
            if (fields > kMaxCsvFields)
                Refuse("The CSV file is too large to be read: line " + std::to_string(number + 1) + " has more than " +
                       std::to_string(kMaxCsvFields) + " fields, the columns a sheet holds");
            head_.columnCount = std::max(head_.columnCount, fields);
            lastRecord = number + 1;
            head_.textBytes += line.size() - commas;
            return true;
        };
        bool more = true;
        file_->Read(0, [&](std::string_view piece) {
            if (!LooksLikeText(piece)) return text = false;
            return more = lines.Feed(piece, survey);
        });
        if (!text) Refuse("The file is no workbook and no text file; " + ReadFormatsNote());
        if (more) lines.Finish(survey);
        if (lastRecord == 0) return; // no line holds anything: no title row, no rows
        SplitFields(title, utf8_, head_.titleRow);
        head_.titleRow.resize(head_.columnCount);
        head_.rowCount = lastRecord - 1;
    }

    std::shared_ptr<const FilePieces> file_;
    std::string name_;
    SheetHead head_ = CsvHead();
    bool utf8_ = true; // else code page 1252
};

} // namespace

std::unique_ptr<Workbook> OpenCsvFile(std::shared_ptr<const FilePieces> file)
{
    std::string name = FileNameOf(file->Path());
    if (const size_t dot = name.find_last_of('.'); dot != std::string::npos && dot > 0) name.resize(dot);
    return std::make_unique<CsvWorkbook>(std::move(file), std::move(name));
}

std::unique_ptr<Workbook> OpenCsvWorkbook(const std::string& path)
{
    return OpenCsvFile(std::make_shared<const FilePieces>(path));
}

} // namespace zz
