#include "editors/canopen/workbook/XmlPass.h"

#include "editors/canopen/workbook/ZipArchive.h"

#include <expat.h>

#include <algorithm>
#include <new>
#include <utility>

inline namespace zz {

XmlPass::XmlPass(Handler& handler, std::string part, char namespaceSeparator)
    : handler_(handler),
      part_(std::move(part)),
      parser_(namespaceSeparator ? XML_ParserCreateNS(nullptr, namespaceSeparator) : XML_ParserCreate(nullptr))
{
    if (!parser_) throw std::bad_alloc();
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(
        parser_,
        [](void* self, const XML_Char* name, const XML_Char** attributes) {
            Guarded(self, [&](Handler& h) { h.Start(name, attributes); });
        },
        [](void* self, const XML_Char*) { Guarded(self, [](Handler& h) { h.End(); }); });
    XML_SetCharacterDataHandler(parser_, [](void* self, const XML_Char* text, int length) {
        Guarded(self, [&](Handler& h) { h.Text(std::string_view(text, static_cast<size_t>(length))); });
    });
    XML_SetCdataSectionHandler(
        parser_, [](void* self) { Guarded(self, [](Handler& h) { h.Markup(Mark::CdataStart); }); },
        [](void* self) { Guarded(self, [](Handler& h) { h.Markup(Mark::CdataEnd); }); });
    XML_SetCommentHandler(
        parser_, [](void* self, const XML_Char*) { Guarded(self, [](Handler& h) { h.Markup(Mark::Other); }); });
    XML_SetProcessingInstructionHandler(parser_, [](void* self, const XML_Char*, const XML_Char*) {
        Guarded(self, [](Handler& h) { h.Markup(Mark::Other); });
    });
    // No workbook part declares entities; refusing them all shuts out entity expansion bombs.
    XML_SetEntityDeclHandler(parser_, [](void* self, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                                         const XML_Char*, const XML_Char*, const XML_Char*) {
        Guarded(self, [&](Handler&) { DamagedPart(static_cast<XmlPass*>(self)->part_); });
    });
}

XmlPass::~XmlPass()
{
    XML_ParserFree(parser_);
}

// Expat is C: nothing may be thrown through it. A failure stops the parser and is kept.
template <class F>
void XmlPass::Guarded(void* self, F&& handle)
{
    auto* pass = static_cast<XmlPass*>(self);
    if (pass->failure_) return;
    try {
        handle(pass->handler_);
    } catch (...) {
        pass->failure_ = std::current_exception();
        XML_StopParser(pass->parser_, XML_FALSE);
    }
}

void XmlPass::Parse(std::string_view piece, bool last)
{
    do {
        if (failure_) return;
        const size_t chunk = std::min<size_t>(piece.size(), 1 << 20);
        const bool final = last && chunk == piece.size();
        const XML_Status status = XML_Parse(parser_, piece.data(), static_cast<int>(chunk), final);
        if (failure_) return;
        if (status != XML_STATUS_OK) {
            try {
                DamagedPart(part_);
            } catch (...) {
                failure_ = std::current_exception();
            }
            return;
        }
        piece.remove_prefix(chunk);
    } while (!piece.empty());
}

void XmlPass::Feed(std::string_view piece)
{
    Parse(piece, false);
}

void XmlPass::Finish()
{
    Parse({}, true);
    if (failure_) std::rethrow_exception(failure_);
}

} // namespace zz
