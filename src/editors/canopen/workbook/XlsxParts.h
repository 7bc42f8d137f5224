#pragma once
#include "editors/canopen/workbook/Workbook.h"

#include <string>
#include <vector>

inline namespace zz {

class ZipArchive;

// The large parts of an Open XML workbook, each read in one pass over its pieces as they
// unpack: neither the part nor a tree of it is held. Both throw Failure ("The workbook is
// damaged ('part')") for a part that is missing, fails its checksum or is no well-formed
// document, and the archive's own failures for a member that cannot be read.

// The shared string table, in order.
std::vector<std::string> ReadSharedStrings(const ZipArchive& archive, const std::string& part);

// The cells of a worksheet holding text, laid out as SheetGrid lays them out; a cell naming a
// shared string that does not exist, or a place outside any sheet, is damage. Throws
// Failure for a sheet that holds too many cells.
Sheet ReadWorksheet(const ZipArchive& archive, const std::string& part, const std::vector<std::string>& strings,
                    bool date1904);

} // namespace zz
