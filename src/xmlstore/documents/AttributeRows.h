#pragma once
#include "xmlstore/documents/StoredText.h"

#include <array>
#include <string_view>
#include <utility>
#include <vector>

inline namespace zz {

// The flat documents of one "row" element per entry, each entry's texts in attributes. A
// document describes its row once, as a visitor over (attribute name, text) pairs in the
// order the attributes are written:
//     [](auto& row, auto visit) { visit("index", row.Index); visit("subindex", row.Subindex); }
// and both directions follow from it.

// A row whose texts are plain members, described as a table of attribute names and members.
template <typename Row, size_t N>
using AttributeTable = std::array<std::pair<const char*, StoredText Row::*>, N>;

// The visitor of such a table.
template <typename Row, size_t N>
constexpr auto VisitTable(const AttributeTable<Row, N>& table)
{
    return [&table](auto& row, auto visit) {
        for (const auto& [name, text] : table) visit(name, row.*text);
    };
}

// Every node under `root`, in order, as a row; a node that is no row has every text absent.
template <typename Row, typename Attributes>
std::vector<Row> ReadAttributeRows(const RowReader& reader, Attributes attributes)
{
    std::vector<Row> rows;
    size_t index = 0;
    for (const XmlNode node : reader.Root.children()) {
        Row& row = rows.emplace_back();
        attributes(row, [&](std::string_view name, StoredText& text) { text = reader.Attribute(node, index, name); });
        ++index;
    }
    return rows;
}

// Rebuilds the document: the root, then one "row" per row holding its present texts.
template <typename Row, typename Attributes>
void BuildAttributeRows(ProjectDocument& document, std::string_view rootName, const std::vector<Row>& rows,
                        Attributes attributes)
{
    document.Reset();
    const XmlNode root = document.AddRoot(rootName);
    for (const Row& row : rows) {
        const XmlNode node = document.AddChild(root, "row");
        attributes(
            row, [&](std::string_view name, const StoredText& text) { SetAttributeText(document, node, name, text); });
    }
}

} // namespace zz
