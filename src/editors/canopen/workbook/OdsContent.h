#pragma once
#include "editors/canopen/workbook/SheetGrid.h"
#include "editors/canopen/workbook/Workbook.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

inline namespace zz {

// One sheet of an OpenDocument spreadsheet: its cells with text, laid out only when the sheet
// is read (a sheet's rows cost memory that many small sheets far down would multiply), or
// why they cannot be read.
struct OdsSheet {
    std::string Name;
    SheetGrid Cells;
    std::string Failure; // when not empty, Cells hold nothing
};

// Reads the content of an OpenDocument spreadsheet (content.xml of an .ods archive, or a
// whole flat .fods document) in one pass over its pieces, keeping only the cells that hold
// text: a run of a million repeated empty rows costs nothing.
class OdsContentReader {
public:
    // `part` names the document in messages ("content.xml").
    explicit OdsContentReader(const std::string& part);
    ~OdsContentReader();
    OdsContentReader(const OdsContentReader&) = delete;
    OdsContentReader& operator=(const OdsContentReader&) = delete;

    // The next piece of the document. Throws nothing: a failure waits for Finish, so that the
    // pieces' own checks (a ZIP member's checksum) come first.
    void Feed(std::string_view piece);

    // The sheets in document order after the last piece. Throws Failure ("The workbook is
    // damaged ('part')") for text that is no well-formed document or declares entities.
    std::vector<OdsSheet> Finish();

private:
    class Parser;
    std::unique_ptr<Parser> parser_;
};

} // namespace zz
