#pragma once
#include "common/ProjectContext.h"
#include "editors/canopen/tables/RowRouting.h"
#include "editors/canopen/tables/SheetExchange.h"
#include "xmlstore/ProjectDocument.h"
#include "xmlstore/documents/SdoPdoXml.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline namespace zz {

// The stored PDO table: for each PDO of a side, the SDOs whose high and low data bytes travel
// in chosen bytes of that PDO. Its document (SdoPdoXml) holds one row per stored SDO: index,
// subindex, the PDO's number on its side (plus 128 on side B) and the byte positions (high
// byte position × 16 + low byte position, 0 for none).
inline constexpr const char* kStoredPdoTableName = kSdoPdoTable;
inline constexpr size_t kStoredPdoSheetColumns = 4; // index, subindex, PDO number, byte positions
inline constexpr int kNrpdoSideB = 128;

// One stored SDO; an SDO access entry uses index and subindex only.
struct TClSdo {
    std::string index, subindex, poscomp;
};

// One PDO of a side: its COB-ID as the PDO translation table holds it, its 1-based position
// on the side, and its stored SDOs.
struct TClPdo {
    std::string name;
    int number = 0;
    std::vector<TClSdo> sdos;
};

// Side A: the PDOs of the PDO translation table whose flags have bit 1 clear and the SDO
// access entries whose configuration has bit 0 clear (their CAN A index and subindex); side B
// the others.
struct StoredPdoSide {
    std::vector<TClSdo> SdoAccess;
    std::vector<TClPdo> Pdos;
};

struct StoredPdoTables {
    BySide<StoredPdoSide> Sides;
};

// The messages of the window.
inline constexpr const char* kSdoXmlNotFound = "File SDO XML not found";
inline constexpr const char* kPdoXmlNotFound = "File PDO XML not found";
inline constexpr const char* kSdoPdoXmlNotFound = "File SDOPDO XML not found";
inline constexpr const char* kErrorReadingSdoXml = "Error in reading file SDO XML";
inline constexpr const char* kErrorReadingPdoXml = "Error in reading file PDO XML";
inline constexpr const char* kErrorReadingSdoPdoXml = "Error in reading file SDOPDO XML";
inline constexpr const char* kSdoAlreadyExists = "Index or Subindex Not Valid,Sdo Already Exists";
inline constexpr const char* kIndexOrSubindexNotValid = "Index or Subindex Not Valid";

// The three reads, each appending in document order and throwing at the first bad row (what
// was read before stays).
// The SDO access table: the configuration, then the CAN A index and subindex into the side's
// SDO access list.
void ReadSdoAccessLists(const ProjectDocument& document, XmlNode root, StoredPdoTables& tables);
// The PDO translation table: the flags, then the COB-ID as a new PDO of its side, numbered by
// its position.
void ReadPdoLists(const ProjectDocument& document, XmlNode root, StoredPdoTables& tables);
// The stored PDO table: the PDO number, then index, subindex and byte positions into PDO
// (number AND 127) of the side that bit 7 selects. A PDO number above the side's count skips the row (its position goes
// into rowsWithoutPdo when given); 0 throws.
void ReadStoredSdos(const ProjectDocument& document, XmlNode root, StoredPdoTables& tables,
                    std::vector<size_t>* rowsWithoutPdo = nullptr);

// Empties the tables and runs the three reads from the project, each behind its own guard
// with its own messages, so a failure ends only its own step. False when the PDO list or the
// stored SDOs could not be read to the end, so that a save would lose stored SDOs.
bool LoadStoredPdoTables(const ProjectContext& context, ProjectDocument& document, StoredPdoTables& tables);

// poscomp from the two byte selections (0 = none, 1 to 8 = B1 to B8).
std::string PoscompText(int highByte, int lowByte);
// The byte selections of a poscomp text; a nibble above 8 selects B8. Throws the conversion
// failure when the text is no integer.
struct PoscompBytes {
    int High = 0;
    int Low = 0;
};
PoscompBytes PoscompSelection(std::string_view poscomp);

// A stored SDO by its place: the PDO's position in the side's list, the SDO's in the PDO's.
struct StoredSdoRef {
    size_t Pdo = 0;
    size_t Sdo = 0;
    bool operator==(const StoredSdoRef&) const = default;
};

// Checks an (index, subindex) pair for New and Modify on a side: no SDO access entry of the
// side and no stored SDO of the side but `excluded` may have it, compared as integers. Returns
// the message of the rejection, or nothing when the pair is accepted. Texts are converted as
// far as a comparison needs them, stored text first; one that is no integer throws the
// conversion failure.
std::optional<std::string> CheckStoredSdo(const StoredPdoSide& side, std::string_view index, std::string_view subindex,
                                          std::optional<StoredSdoRef> excluded);

// The order in which a side's stored SDOs are saved: ascending (index, subindex); equal pairs
// keep the order of their PDOs and within a PDO of its list; pairs beyond the search start
// come last. Throws the conversion failure for an index or subindex that is no integer.
std::vector<StoredSdoRef> StoredSdoSaveOrder(const StoredPdoSide& side);

// Rebuilds the document: side A in save order, then side B. Throws before touching the
// document when a text is no integer.
void WriteStoredPdo(const StoredPdoTables& tables, ProjectDocument& document);

// Empties the stored SDO list of every PDO on both sides (the PDO lists stay).
void ClearStoredSdos(StoredPdoTables& tables);

// The import's row handler: the PDO number (position 2) selects the side with bit 7 and the
// PDO with its low 7 bits; a number above the side's PDO count skips the row; the stored SDO (positions 0, 1, 3)
// is appended to that PDO. A number that is no integer or is 0 throws, which ends the import.
RowRouting ImportStoredSdoRow(StoredPdoTables& tables, const std::vector<std::string>& row);

// The window's Import on its tables, from a chosen workbook: once the table's sheet is found,
// the stored SDOs of every PDO are emptied (the PDO lists stay), then each row is appended by
// ImportStoredSdoRow; `routed` hears where each row went, with its sheet row number.
SheetImportOutcome ImportStoredPdoSheet(const std::string& workbookPath, StoredPdoTables& tables,
                                        const std::function<void(const RowRouting&, size_t sheetRow)>& routed = {});

// The export's lines: side A, then side B; for each PDO in list order and each of its stored
// SDOs: index, subindex, the PDO's number (plus 128 on side B), poscomp.
std::vector<std::vector<std::string>> StoredPdoExportLines(const StoredPdoTables& tables);

} // namespace zz
