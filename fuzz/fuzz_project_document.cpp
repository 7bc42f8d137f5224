// The document layer on arbitrary bytes, in both disciplines: a file is either refused with
// a Failure, or it loads, and then what it saves loads again and saves the same bytes (load,
// save, load, save agree); the second load sees the same rows and values.
#include "common/Failure.h"
#include "xmlstore/ProjectDocument.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The element rows and their attribute values (a save keeps no comment or instruction).
std::string Rows(const ProjectDocument& document)
{
    std::string out;
    const XmlNode root = document.Root();
    for (size_t i = 0; i < document.ChildCount(root); ++i) {
        const XmlNode row = document.ChildAt(root, i);
        if (row.type() != pugi::node_element) continue;
        out += row.name();
        for (pugi::xml_attribute a : row.attributes()) out += std::string(" ") + a.name() + "=" + a.value();
        out += '\n';
    }
    return out;
}

void Check(std::string_view bytes, Discipline discipline)
{
    ProjectDocument first(discipline);
    try {
        first.LoadText(bytes, "fuzz.xml");
    } catch (const Failure&) {
        return;
    }
    const std::string saved = first.Serialize();
    ProjectDocument second(discipline);
    try {
        second.LoadText(saved, "saved.xml");
    } catch (const Failure& e) {
        std::fprintf(stderr, "a saved document does not load again: %s\n%s\n", e.what(), saved.c_str());
        std::abort();
    }
    if (second.Serialize() != saved) {
        std::fprintf(stderr, "the second save differs from the first\n");
        std::abort();
    }
    // Guarded readers take the document element, which survives the save; the rows do too.
    if (discipline == Discipline::Guarded && Rows(first) != Rows(second)) {
        std::fprintf(stderr, "the rows changed in a save\n");
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Check(bytes, Discipline::Strict);
    Check(bytes, Discipline::Guarded);
    return 0;
}
