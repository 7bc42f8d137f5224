#include "gateway/FrameTableDocument.h"

#include "common/ParseInt.h"

inline namespace zz {

namespace {

constexpr int32_t kMax11BitId = 2047;
constexpr int32_t kMax29BitId = 0x1FFFFFFF;

} // namespace

std::vector<FrameRow> FrameRowsOf(const FrameTableTexts& texts, GatewaySide side)
{
    std::vector<FrameRow> frames;
    frames.reserve(texts.Rows.size());
    for (const FrameTableRowTexts& row : texts.Rows) {
        FrameRow& frame = frames.emplace_back();
        frame.CobId = row.CobId.Value();
        frame.Dim = row.Dim.Value();
        if (side == GatewaySide::Receive) frame.Delete = row.Delete.Text.value_or("N");
        frame.Mnemonic = row.Mnemonic.Value();
    }
    return frames;
}

size_t KeptFrameCount(const std::vector<FrameRow>& rows)
{
    size_t kept = 0;
    while (kept < rows.size() && kept < static_cast<size_t>(kMaxFrames) && !rows[kept].CobId.empty()) ++kept;
    return kept;
}

std::optional<std::string> ValidateFrames(const std::vector<FrameRow>& frames, bool is29Bit)
{
    for (const FrameRow& frame : frames) {
        const int32_t id = ParseIntOr(frame.CobId, -1);
        if (!is29Bit && (id < 0 || id > kMax11BitId)) return "Error!! COB-ID must be between 0 and 2047. ";
        if (is29Bit && (id < 0 || id > kMax29BitId))
            return "Error!! COB-ID must be between 0x00000000 and 0x1FFFFFFF. ";
        const int32_t length = ParseIntOr(frame.Dim, -1);
        if (length < 1 || length > 8) return "Error!! Dimension must be between 1 and 8. ";
    }
    return std::nullopt;
}

void SaveFrameTable(ProjectDocument& document, const std::string& path, GatewaySide side,
                    const std::vector<FrameRow>& frames)
{
    FrameTableTexts texts;
    texts.Rows.reserve(frames.size());
    for (const FrameRow& frame : frames) {
        FrameTableRowTexts& row = texts.Rows.emplace_back();
        row.CobId = StoredText::Of(frame.CobId);
        row.Dim = StoredText::Of(frame.Dim);
        if (side == GatewaySide::Receive) row.Delete = StoredText::Of(frame.Delete);
        row.Mnemonic = StoredText::Of(frame.Mnemonic);
    }
    WriteFrameTableXml(document, path, texts);
}

} // namespace zz
