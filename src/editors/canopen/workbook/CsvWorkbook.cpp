#include "editors/canopen/workbook/Workbook.h"

#include "common/Cp1252.h"
#include "common/Failure.h"
#include "common/FileSystem.h"
#include "common/TextFile.h"

inline namespace zz {

namespace {

std::vector<std::string> SplitFields(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t comma = line.find(',', start);
        if (comma == std::string::npos) {
            if (start < line.size()) fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

class CsvWorkbook : public Workbook {
public:
    CsvWorkbook(std::string name, std::string text)
        : name_(std::move(name)),
          text_(std::move(text))
    {
    }

    std::vector<std::string> SheetNames() const override { return {name_}; }

    Sheet ReadSheet(const std::string& name) const override
    {
        if (name != name_) throw Failure("No sheet '" + name + "'");
        Sheet sheet;
        sheet.fromCsv = true;
        std::vector<std::string> lines = SplitTextLines(text_);
        while (!lines.empty() && lines.back().empty()) lines.pop_back();
        if (lines.empty()) return sheet;
        sheet.titleRow = SplitFields(lines.front());
        sheet.columnCount = sheet.titleRow.size();
        for (size_t i = 1; i < lines.size(); ++i) {
            std::vector<std::string> row = SplitFields(lines[i]);
            if (row.size() > sheet.columnCount) sheet.columnCount = row.size();
            sheet.rows.push_back(std::move(row));
        }
        for (auto& row : sheet.rows) row.resize(sheet.columnCount);
        sheet.titleRow.resize(sheet.columnCount);
        return sheet;
    }

private:
    std::string name_;
    std::string text_;
};

} // namespace

std::unique_ptr<Workbook> OpenCsvWorkbook(const std::string& path)
{
    std::string bytes = Utf8OrCp1252ToUtf8(ReadFileBytes(path));
    std::string name = FileNameOf(path);
    if (const size_t dot = name.find_last_of('.'); dot != std::string::npos && dot > 0) name.resize(dot);
    return std::make_unique<CsvWorkbook>(name, std::move(bytes));
}

} // namespace zz
