// The rules of the CANopen editors over their documents: each document must load as its
// editor loads it, keys must be numbers the save order can sort and must not repeat where the
// editor refuses a repeat. Rows are numbered as the editors number them, from 0 on each page.
#include "projectcheck/CheckRules.h"

#include "common/FileSystem.h"
#include "common/ParseInt.h"
#include "common/ProjectLayout.h"
#include "common/SearchOrder.h"
#include "editors/canopen/tables/EmcyDefDocument.h"
#include "editors/canopen/tables/EmcyWordDocument.h"
#include "editors/canopen/tables/PdoGrids.h"
#include "editors/canopen/tables/PdoTranslation.h"
#include "editors/canopen/tables/SdoAccess.h"
#include "editors/canopen/tables/SdoGrids.h"
#include "editors/canopen/tables/StoredPdo.h"
#include "projectcheck/Report.h"
#include "xmlstore/documents/SdoPdoXml.h"

#include <exception>

inline namespace zz {

namespace {

constexpr int kMaxPdoEntries = kPdoGridRows - 1;
constexpr int kMaxSdoEntries = kSdoGridRows - 1;
constexpr int32_t kEmcyOrderLimit = 999999; // the start of the emergency editors' save search

std::string Page(const char* name)
{
    return std::string("page \"") + name + "\"";
}

void NotLoadable(Report& report, const char* document, const char* editor, const std::string& why)
{
    report.Error("document-not-loadable", document, std::nullopt, "",
                 std::string("\"") + editor + "\" cannot read the document: " + why);
}

// Loads a CANopen document as its editor does (the document element is the root) and walks
// it; false when it is missing or a failure was reported.
template <class Walk>
bool ReadGuarded(const std::string& path, const char* document, const char* editor, Report& report, Walk walk)
{
    if (!FileExists(path)) return false;
    ProjectDocument xml(Discipline::Guarded);
    try {
        xml.LoadFile(path);
        walk(xml, xml.Root());
    } catch (const std::exception& failure) {
        NotLoadable(report, document, editor, failure.what());
        return false;
    }
    return true;
}

// Loads an emergency document with its editor's own load; false when it is missing or the
// editor could not read it to the end (reported).
template <class Table, class Load>
bool LoadAsEditor(const std::string& path, const char* document, const char* editor, Report& report, Load load,
                  Table& table)
{
    if (!FileExists(path)) return false;
    ProjectDocument xml(Discipline::Guarded);
    if (load(xml, path, table) == GuardedReadResult::Read) return true;
    NotLoadable(report, document, editor, kErrorReadingFileXml);
    return false;
}

// The page of an emergency editor that shows a side.
std::string EmcyPage(CanSide side)
{
    return Page(side == CanSide::A ? "CanA" : "CanB");
}

void CheckSdoAccess(const ProjectLayout& files, Report& report)
{
    std::vector<SdoAccessEntry> entries;
    if (!ReadGuarded(files.SdoFile, kSdoName, "Set SDO Access", report,
                     [&](ProjectDocument& xml, XmlNode root) { ReadSdoAccessEntries(xml, root, entries); }))
        return;
    int pages[2] = {0, 0};
    for (const SdoAccessEntry& entry : entries) ++pages[entry.RequestOnCanB ? 1 : 0];
    const char* names[2] = {"SDO from CAN A request to CAN B", "SDO from CAN B request to CAN A"};
    for (int p = 0; p < 2; ++p)
        if (pages[p] > kMaxSdoEntries)
            report.Warning("table-too-long", kSdoName, kMaxSdoEntries, "",
                           "The " + Page(names[p]) + " holds " + std::to_string(pages[p]) +
                               " entries, but the grid shows " + std::to_string(kMaxSdoEntries) +
                               ": the others are not shown.");
}

void CheckPdoTranslation(const ProjectLayout& files, Report& report)
{
    PdoTranslationTable table;
    if (!ReadGuarded(files.RpdoDefFile, kRpdoDefName, "Set Traslate PDO", report,
                     [&](ProjectDocument& xml, XmlNode root) { ReadPdoTranslation(xml, root, table); }))
        return;
    const char* names[2] = {"PDO From CanA to CanB", "PDO From CanB to CanA"};
    for (int p = 0; p < 2; ++p) {
        const std::vector<PdoEntry>& page = table.Pages[kCanSides[static_cast<size_t>(p)]];
        if (static_cast<int>(page.size()) > kMaxPdoEntries)
            report.Error("table-too-long", kRpdoDefName, kMaxPdoEntries, "",
                         "The " + Page(names[p]) + " holds " + std::to_string(page.size()) +
                             " entries, but the grid has " + std::to_string(kMaxPdoEntries) + " rows: entries " +
                             std::to_string(kMaxPdoEntries) +
                             " and later are dropped the next time the table is saved.");
        for (size_t i = 0; i < page.size(); ++i) {
            const int row = static_cast<int>(i);
            const std::string& cobid = page[i].cobid;
            if (cobid.empty()) {
                report.Error(
                    "table-gap", kRpdoDefName, row, "cobid",
                    "The cobid on " + Page(names[p]) +
                        " is empty: the editor ends the page here and drops the entries below it on the next save.");
                continue;
            }
            try {
                PdoSaveOrder({page[i]});
            } catch (const std::exception& failure) {
                report.Error("key-not-a-number", kRpdoDefName, row, "cobid",
                             "The cobid on " + Page(names[p]) +
                                 " is no number, so the table cannot be saved: " + failure.what());
                continue;
            }
            if (ParseInt(cobid) > kOrderSearchStart)
                report.Warning("key-beyond-order-limit", kRpdoDefName, row, "cobid",
                               "The cobid " + cobid + " on " + Page(names[p]) +
                                   " is above 0x999999, the largest value the save order sorts: it is saved last.");
        }
    }
}

void CheckStoredPdo(const ProjectLayout& files, Report& report)
{
    if (!FileExists(files.SdoPdoFile)) return;
    // The stored PDO editor lists the PDOs of rpdodef.xml and the entries of sdo.xml; their own
    // problems are reported with those documents.
    StoredPdoTables tables;
    ProjectDocument xml(Discipline::Guarded);
    const auto quietly = [&](const std::string& path, auto read) {
        if (!FileExists(path)) return;
        try {
            xml.LoadFile(path);
            read(xml, xml.Root());
        } catch (const std::exception&) {
        }
    };
    quietly(files.SdoFile, [&](ProjectDocument& d, XmlNode root) { ReadSdoAccessLists(d, root, tables); });
    quietly(files.RpdoDefFile, [&](ProjectDocument& d, XmlNode root) { ReadPdoLists(d, root, tables); });

    std::vector<size_t> withoutPdo;
    if (!ReadGuarded(files.SdoPdoFile, kSdoPdoName, "Define store PDO", report, [&](ProjectDocument& d, XmlNode root) {
            ReadStoredSdos(d, root, tables, &withoutPdo);
            const SdoPdoTexts stored = SdoPdoTextsOf(d, root);
            for (const size_t r : withoutPdo) {
                const std::string& nrpdo = stored.Rows[r].Nrpdo.Value();
                const int32_t number = ParseInt(nrpdo);
                const bool sideB = (number & kNrpdoSideB) != 0;
                const size_t count = tables.Sides[sideB ? CanSide::B : CanSide::A].Pdos.size();
                report.Error("stored-pdo-without-pdo", kSdoPdoName, static_cast<int>(r), "nrpdo",
                             "nrpdo " + nrpdo + " points at PDO " + std::to_string(number & 127) + " of CAN " +
                                 (sideB ? "B" : "A") + ", but rpdodef.xml lists only " + std::to_string(count) +
                                 " PDOs there: \"Define store PDO\" drops this stored SDO.");
            }
        }))
        return;

    for (const CanSide id : kCanSides) {
        const StoredPdoSide& side = tables.Sides[id];
        for (size_t p = 0; p < side.Pdos.size(); ++p)
            for (size_t s = 0; s < side.Pdos[p].sdos.size(); ++s) {
                const TClSdo& sdo = side.Pdos[p].sdos[s];
                const std::string where = "Stored SDO " + sdo.index + "/" + sdo.subindex + " of PDO " +
                                          side.Pdos[p].name + " (CAN " + (id == CanSide::A ? "A" : "B") + ")";
                try {
                    if (const auto refusal = CheckStoredSdo(side, sdo.index, sdo.subindex, StoredSdoRef{p, s}))
                        report.Error("duplicate-key", kSdoPdoName, std::nullopt, "index",
                                     where + " is refused by \"Define store PDO\": " + *refusal);
                } catch (const std::exception& failure) {
                    report.Error("key-not-a-number", kSdoPdoName, std::nullopt, "index",
                                 where + " has a key that is no number: " + failure.what());
                }
            }
    }
}

void CheckEmcyDef(const ProjectLayout& files, Report& report)
{
    EmcyTable table;
    if (!LoadAsEditor(files.EmcyDefFile, kEmcyDefName, "Set Traslate EMCY", report, LoadEmcyDef, table)) return;
    for (const CanSide side : kCanSides) {
        const EmcyList& list = table.Side(side);
        const std::string page = EmcyPage(side);
        for (size_t i = 0; i < list.size(); ++i) {
            const int row = static_cast<int>(i);
            const EmcyList before(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(i));
            if (!CheckId(list[i].Text, "", true, before)) {
                report.Error(list[i].Text.empty() ? "key-missing" : "duplicate-key", kEmcyDefName, row, "id_dev",
                             (list[i].Text.empty()
                                  ? "The ID on " + page + " is empty"
                                  : "The ID " + list[i].Text + " on " + page + " is given to an earlier entry too") +
                                 "; \"Set Traslate EMCY\" refuses it (\"Index Not Valid\").");
                continue;
            }
            try {
                EmcySaveOrder({list[i]});
            } catch (const std::exception& failure) {
                report.Error("key-not-a-number", kEmcyDefName, row, "id_dev",
                             "The ID on " + page + " is no number, so the table cannot be saved: " + failure.what());
                continue;
            }
            if (ParseInt(list[i].Text) > kEmcyOrderLimit)
                report.Warning("key-beyond-order-limit", kEmcyDefName, row, "id_dev",
                               "The ID " + list[i].Text + " on " + page +
                                   " is above 999999, the largest value the save order sorts: it is saved last.");
        }
    }
}

void CheckEmcyWord(const ProjectLayout& files, Report& report)
{
    EmcyWordTable table;
    if (!LoadAsEditor(files.EmcyWordFile, kEmcyWordName, "Define EMCY Word", report, LoadEmcyWord, table)) return;
    for (const CanSide side : kCanSides) {
        const std::vector<TClWEmcy>& list = table.Side(side);
        const std::string page = EmcyPage(side);
        bool keyReported = false;
        for (size_t i = 0; i < list.size(); ++i) {
            const int row = static_cast<int>(i);
            const TClWEmcy& word = list[i];
            const std::vector<TClWEmcy> before(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(i));
            if (!CheckWord(before, word.index_addrm, word.subindex, word.devid, true, 0)) {
                const bool empty = word.index_addrm.empty() || word.subindex.empty() || word.devid.empty();
                report.Error(empty ? "key-missing" : "duplicate-key", kEmcyWordName, row, "index_addrm",
                             "Word W" + std::to_string(i) + " on " + page +
                                 (empty ? " lacks its index, subindex or ID"
                                        : " has the index, subindex and ID of an earlier word") +
                                 "; \"Define EMCY Word\" refuses it (\"Index Not Valid\").");
                continue;
            }
            try {
                EmcyWordSaveOrder({word});
            } catch (const std::exception& failure) {
                keyReported = true;
                report.Error("key-not-a-number", kEmcyWordName, row, "devid",
                             "The ID of word W" + std::to_string(i) + " on " + page +
                                 " is no number, so the table cannot be saved: " + failure.what());
                continue;
            }
            if (ParseInt(word.devid) > kEmcyOrderLimit)
                report.Warning("key-beyond-order-limit", kEmcyWordName, row, "devid",
                               "The ID " + word.devid + " of word W" + std::to_string(i) + " on " + page +
                                   " is above 999999, the largest value the save order sorts: it is saved last.");
        }
        if (keyReported) continue;
        try {
            EmcyWordSaveOrder(list);
        } catch (const std::exception& failure) {
            report.Error("key-not-a-number", kEmcyWordName, std::nullopt, "",
                         "The words on " + page + " cannot be put in their save order: " + failure.what());
        }
    }
}

} // namespace

void CheckCanopenDocuments(const ProjectLayout& files, std::vector<Finding>& findings)
{
    Report report(findings);
    CheckSdoAccess(files, report);
    CheckPdoTranslation(files, report);
    CheckStoredPdo(files, report);
    CheckEmcyDef(files, report);
    CheckEmcyWord(files, report);
    report.Finish();
}

} // namespace zz
