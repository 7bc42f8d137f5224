#include "editors/canopen/tables/StoredPdo.h"

#include "common/Failure.h"
#include "common/ParseInt.h"
#include "common/SearchOrder.h"
#include "editors/canopen/tables/PdoTranslation.h"
#include "editors/canopen/tables/SdoAccess.h"
#include "xmlstore/GuardedRead.h"
#include "xmlstore/documents/RpdoDefXml.h"
#include "xmlstore/documents/SdoPdoXml.h"
#include "xmlstore/documents/SdoXml.h"

#include <algorithm>

inline namespace zz {

void ReadSdoAccessLists(const ProjectDocument& document, XmlNode root, StoredPdoTables& tables)
{
    for (const SdoRowTexts& row : SdoTextsOf(document, root).Rows) {
        const CanSide side = (ParseInt(row.Conf.Value()) & kConfRequestOnCanB) ? CanSide::B : CanSide::A;
        tables.Sides[side].SdoAccess.push_back({row.IndexOnA.Value(), row.SubindexOnA.Value(), ""});
    }
}

void ReadPdoLists(const ProjectDocument& document, XmlNode root, StoredPdoTables& tables)
{
    for (const RpdoDefRowTexts& row : RpdoDefTextsOf(document, root).Rows) {
        const CanSide side = (ParseInt(row.EnBypass.Value()) & kEnBypassCanAToCanB) ? CanSide::B : CanSide::A;
        std::vector<TClPdo>& pdos = tables.Sides[side].Pdos;
        pdos.push_back({row.CobId.Value(), int(pdos.size()) + 1, {}});
    }
}

namespace {

// The side and the PDO (1-based) that a stored PDO number names.
struct PdoNumber {
    CanSide side;
    int number;
};

PdoNumber SplitPdoNumber(int storedNumber)
{
    return {(storedNumber & kNrpdoSideB) ? CanSide::B : CanSide::A, storedNumber & 127};
}

RowRouting AppendStoredSdo(StoredPdoTables& tables, int storedNumber, TClSdo sdo)
{
    const PdoNumber at = SplitPdoNumber(storedNumber);
    if (at.number == 0) throw Failure("PDO number 0 in nrpdo '" + std::to_string(storedNumber) + "'");
    std::vector<TClPdo>& pdos = tables.Sides[at.side].Pdos;
    if (size_t(at.number) > pdos.size()) // no such PDO on the side
        return RowRouting::Skip("PDO " + std::to_string(at.number) + " does not exist" +
                                (at.side == CanSide::B ? " on CAN B" : ""));
    pdos[size_t(at.number) - 1].sdos.push_back(std::move(sdo));
    return RowRouting::To(at.side);
}

} // namespace

void ReadStoredSdos(const ProjectDocument& document, XmlNode root, StoredPdoTables& tables,
                    std::vector<size_t>* rowsWithoutPdo)
{
    const SdoPdoTexts texts = SdoPdoTextsOf(document, root);
    for (size_t i = 0; i < texts.Rows.size(); ++i) {
        const SdoPdoRowTexts& row = texts.Rows[i];
        const int storedNumber = ParseInt(row.Nrpdo.Value());
        TClSdo sdo;
        sdo.index = row.Index.Value();
        sdo.subindex = row.Subindex.Value();
        sdo.poscomp = row.Poscomp.Value();
        const RowRouting routed = AppendStoredSdo(tables, storedNumber, std::move(sdo));
        if (routed.Skipped() && rowsWithoutPdo) rowsWithoutPdo->push_back(i);
    }
}

bool LoadStoredPdoTables(const ProjectContext& context, ProjectDocument& document, StoredPdoTables& tables)
{
    tables = StoredPdoTables();
    GuardedRead(document, context.SdoFile, kSdoXmlNotFound, kErrorReadingSdoXml,
                [&](ProjectDocument& d, XmlNode root) { ReadSdoAccessLists(d, root, tables); });
    const GuardedReadResult pdo = GuardedRead(document, context.RpdoDefFile, kPdoXmlNotFound, kErrorReadingPdoXml,
                                              [&](ProjectDocument& d, XmlNode root) { ReadPdoLists(d, root, tables); });
    const GuardedReadResult stored =
        GuardedRead(document, context.SdoPdoFile, kSdoPdoXmlNotFound, kErrorReadingSdoPdoXml,
                    [&](ProjectDocument& d, XmlNode root) { ReadStoredSdos(d, root, tables); });
    return pdo != GuardedReadResult::Failed && stored != GuardedReadResult::Failed;
}

std::string PoscompText(int highByte, int lowByte)
{
    return std::to_string(highByte * 16 + lowByte);
}

PoscompBytes PoscompSelection(std::string_view poscomp)
{
    const int v = ParseInt(poscomp);
    return {std::min((v >> 4) & 15, 8), std::min(v & 15, 8)};
}

namespace {

bool SamePair(const TClSdo& stored, std::string_view index, std::string_view subindex)
{
    const int storedIndex = ParseInt(stored.index);
    if (storedIndex != ParseInt(index)) return false;
    return ParseInt(stored.subindex) == ParseInt(subindex);
}

} // namespace

std::optional<std::string> CheckStoredSdo(const StoredPdoSide& side, std::string_view index, std::string_view subindex,
                                          std::optional<StoredSdoRef> excluded)
{
    for (const TClSdo& entry : side.SdoAccess)
        if (SamePair(entry, index, subindex)) return kSdoAlreadyExists;
    for (size_t p = 0; p < side.Pdos.size(); ++p)
        for (size_t s = 0; s < side.Pdos[p].sdos.size(); ++s) {
            if (excluded && *excluded == StoredSdoRef{p, s}) continue;
            if (SamePair(side.Pdos[p].sdos[s], index, subindex)) return kIndexOrSubindexNotValid;
        }
    return std::nullopt;
}

std::vector<StoredSdoRef> StoredSdoSaveOrder(const StoredPdoSide& side)
{
    std::vector<StoredSdoRef> refs;
    std::vector<int32_t> index, subindex;
    for (size_t p = 0; p < side.Pdos.size(); ++p)
        for (size_t s = 0; s < side.Pdos[p].sdos.size(); ++s) {
            refs.push_back({p, s});
            index.push_back(ParseInt(side.Pdos[p].sdos[s].index));
            subindex.push_back(ParseInt(side.Pdos[p].sdos[s].subindex));
        }
    std::vector<StoredSdoRef> ordered;
    for (const size_t i : MinimumSearchOrder(index, subindex, false)) ordered.push_back(refs[i]);
    return ordered;
}

void WriteStoredPdo(const StoredPdoTables& tables, ProjectDocument& document)
{
    const std::vector<StoredSdoRef> orderA = StoredSdoSaveOrder(tables.Sides[CanSide::A]);
    const std::vector<StoredSdoRef> orderB = StoredSdoSaveOrder(tables.Sides[CanSide::B]);
    SdoPdoTexts texts;
    const auto write = [&](const StoredPdoSide& side, const std::vector<StoredSdoRef>& order, int numberOffset) {
        for (const StoredSdoRef& ref : order) {
            const TClPdo& pdo = side.Pdos[ref.Pdo];
            const TClSdo& sdo = pdo.sdos[ref.Sdo];
            texts.Rows.push_back({StoredText::Of(sdo.index), StoredText::Of(sdo.subindex),
                                  StoredText::Of(std::to_string(pdo.number + numberOffset)),
                                  StoredText::Of(sdo.poscomp)});
        }
    };
    write(tables.Sides[CanSide::A], orderA, 0);
    write(tables.Sides[CanSide::B], orderB, kNrpdoSideB);
    BuildSdoPdoXml(document, texts);
}

void ClearStoredSdos(StoredPdoTables& tables)
{
    for (StoredPdoSide& side : tables.Sides)
        for (TClPdo& pdo : side.Pdos) pdo.sdos.clear();
}

RowRouting ImportStoredSdoRow(StoredPdoTables& tables, const std::vector<std::string>& row)
{
    const int storedNumber = ParseInt(row.at(2));
    return AppendStoredSdo(tables, storedNumber, {row.at(0), row.at(1), row.at(3)});
}

SheetImportOutcome ImportStoredPdoSheet(const std::string& workbookPath, StoredPdoTables& tables,
                                        const std::function<void(const RowRouting&, size_t sheetRow)>& routed)
{
    return ImportSheetRows(
        workbookPath, kStoredPdoTableName, kStoredPdoSheetColumns,
        [&](const std::vector<std::string>& row, size_t sheetRow) {
            const RowRouting routing = ImportStoredSdoRow(tables, row);
            if (routed) routed(routing, sheetRow);
        },
        [&] { ClearStoredSdos(tables); });
}

std::vector<std::vector<std::string>> StoredPdoExportLines(const StoredPdoTables& tables)
{
    std::vector<std::vector<std::string>> lines;
    for (const CanSide id : kCanSides)
        for (const TClPdo& pdo : tables.Sides[id].Pdos)
            for (const TClSdo& sdo : pdo.sdos)
                lines.push_back({sdo.index, sdo.subindex,
                                 std::to_string(pdo.number + (id == CanSide::B ? kNrpdoSideB : 0)), sdo.poscomp});
    return lines;
}

} // namespace zz
