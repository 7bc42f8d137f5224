#include "common/Failure.h"
#include "editors/canopen/workbook/WorkbookReaders.h"
#include "editors/canopen/workbook/ZipArchive.h"

inline namespace zz {

namespace {

constexpr std::string_view kOpenDocument = "application/vnd.oasis.opendocument.";

bool StartsWith(std::string_view text, std::string_view start)
{
    return text.substr(0, start.size()) == start;
}

// What an OpenDocument package other than a spreadsheet holds, by the kind its mimetype names.
std::string OpenDocumentKind(std::string_view kind)
{
    if (StartsWith(kind, "text")) return "an OpenDocument text (.odt)";
    if (StartsWith(kind, "presentation")) return "an OpenDocument presentation (.odp)";
    if (StartsWith(kind, "graphics")) return "an OpenDocument drawing (.odg)";
    if (StartsWith(kind, "database") || StartsWith(kind, "base")) return "an OpenDocument database (.odb)";
    return "an OpenDocument file that holds no spreadsheet";
}

} // namespace

std::unique_ptr<Workbook> OpenZipWorkbook(std::string bytes)
{
    auto archive = std::make_unique<ZipArchive>(std::move(bytes));
    // An OpenDocument package names its kind in its first member; a program may leave it out.
    if (archive->Has("mimetype")) {
        std::string mimetype = archive->Read("mimetype").value_or("");
        while (!mimetype.empty() && static_cast<unsigned char>(mimetype.back()) <= ' ') mimetype.pop_back();
        if (StartsWith(mimetype, kOpenDocument)) {
            const std::string_view kind = std::string_view(mimetype).substr(kOpenDocument.size());
            if (StartsWith(kind, "spreadsheet")) return OpenOdsArchive(std::move(archive));
            throw Failure(UnreadFormatMessage(OpenDocumentKind(kind)));
        }
    }
    if (archive->Has("content.xml") && archive->Has("META-INF/manifest.xml") && !archive->Has("[Content_Types].xml"))
        return OpenOdsArchive(std::move(archive));
    if (archive->Has("xl/workbook.bin")) throw Failure(UnreadFormatMessage("an Excel binary workbook (.xlsb)"));
    if (archive->HasUnder("Index/") && (archive->HasUnder("Metadata/") || archive->Has("Index/Document.iwa")))
        throw Failure(UnreadFormatMessage("a Numbers spreadsheet (.numbers)"));
    if (archive->Has("word/document.xml")) throw Failure(UnreadFormatMessage("a Word document (.docx)"));
    if (archive->Has("ppt/presentation.xml")) throw Failure(UnreadFormatMessage("a PowerPoint presentation (.pptx)"));
    if (!archive->Has("[Content_Types].xml") && !archive->Has("_rels/.rels") && !archive->HasUnder("xl/"))
        throw Failure(UnreadFormatMessage("a ZIP archive that holds no workbook"));
    return OpenXlsxArchive(std::move(archive));
}

} // namespace zz
