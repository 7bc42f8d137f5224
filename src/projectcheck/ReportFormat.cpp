#include "projectcheck/ReportFormat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

inline namespace zz {

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string Json(const QJsonValue& value)
{
    const QJsonDocument document = value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    return document.toJson(QJsonDocument::Indented).toStdString();
}

QJsonObject FeedObject(const ByteMapSide& side, const ByteFeed& feed)
{
    const MapFrame& frame = side.frames[feed.frame];
    return QJsonObject{{"cobId", Q(frame.cobId)}, {"canByte", feed.canByte}, {"frameRow", frame.row},
                       {"mnemonic", Q(frame.mnemonic)}};
}

QJsonObject SideObject(const ByteMapSide& side)
{
    QJsonArray bytes;
    for (size_t b = 0; b < side.bytes.size(); ++b) {
        QJsonArray feeds;
        for (const ByteFeed& feed : side.bytes[b]) feeds.append(FeedObject(side, feed));
        bytes.append(QJsonObject{{"byte", static_cast<int>(b)}, {"feeds", feeds},
                                 {"conflict", side.Conflict(static_cast<int>(b))}});
    }
    QJsonArray beyond;
    for (const StrayMapping& stray : side.beyond) {
        QJsonObject object = FeedObject(side, stray.feed);
        object.insert("byte", stray.deviceNetByte);
        beyond.append(object);
    }
    QJsonArray frames;
    for (const MapFrame& frame : side.frames) {
        QJsonArray mapped;
        for (const uint8_t b : frame.bytes) mapped.append(b == 255 ? QJsonValue() : QJsonValue(b));
        frames.append(QJsonObject{{"row", frame.row}, {"cobId", Q(frame.cobId)}, {"mnemonic", Q(frame.mnemonic)},
                                  {"bytes", mapped}});
    }
    QJsonObject object{{"size", side.size}, {"bytes", bytes}, {"beyondArea", beyond}, {"frames", frames}};
    if (!side.problem.empty()) object.insert("problem", Q(side.problem));
    return object;
}

std::string Padded(std::string text, size_t width)
{
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

void SideLines(const ByteMapSide& side, std::string& out)
{
    const std::string area = side.input ? "IN" : "OUT";
    if (!side.problem.empty()) out += "# " + area + ": " + side.problem + "\n";
    for (size_t b = 0; b < side.bytes.size(); ++b) {
        std::string line = Padded(area, 4) + Padded(std::to_string(b), 5);
        const std::vector<ByteFeed>& feeds = side.bytes[b];
        if (feeds.empty()) line += "-";
        for (size_t i = 0; i < feeds.size(); ++i) {
            const MapFrame& frame = side.frames[feeds[i].frame];
            if (i > 0) line += "; ";
            line += Padded(frame.cobId, 11) + Padded("B" + std::to_string(feeds[i].canByte), 4) + frame.mnemonic;
        }
        if (side.Conflict(static_cast<int>(b))) line += "  [conflict]";
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + "\n";
    }
    for (const StrayMapping& stray : side.beyond) {
        const MapFrame& frame = side.frames[stray.feed.frame];
        out += Padded(area, 4) + Padded(std::to_string(stray.deviceNetByte), 5) + Padded(frame.cobId, 11) +
               Padded("B" + std::to_string(stray.feed.canByte), 4) + frame.mnemonic + "  [beyond the area of " +
               std::to_string(side.size) + " bytes]\n";
    }
}

} // namespace

std::string FindingsJson(const std::vector<Finding>& findings)
{
    QJsonArray list;
    for (const Finding& f : findings)
        list.append(QJsonObject{{"severity", SeverityName(f.severity)},
                                {"rule", Q(f.rule)},
                                {"document", Q(f.document)},
                                {"row", f.row ? QJsonValue(*f.row) : QJsonValue()},
                                {"field", Q(f.field)},
                                {"message", Q(f.message)}});
    return Json(list);
}

std::string FindingsText(const std::vector<Finding>& findings)
{
    std::string out;
    for (const Finding& f : findings) {
        std::string where = f.document.empty() ? "project" : f.document;
        if (f.row) where += " row " + std::to_string(*f.row);
        if (!f.field.empty()) where += " " + f.field;
        out += Padded(SeverityName(f.severity), 8) + where + ": " + f.message + "\n";
    }
    const FindingCounts counts = CountFindings(findings);
    out += std::to_string(counts.errors) + (counts.errors == 1 ? " error, " : " errors, ") +
           std::to_string(counts.warnings) + (counts.warnings == 1 ? " warning\n" : " warnings\n");
    return out;
}

std::string ByteMapJson(const ByteMap& map)
{
    return Json(QJsonObject{{"input", SideObject(map.input)}, {"output", SideObject(map.output)}});
}

std::string ByteMapText(const ByteMap& map)
{
    std::string out = "AREA BYTE COB ID     CAN MNEMONIC\n";
    SideLines(map.input, out);
    SideLines(map.output, out);
    return out;
}

} // namespace zz
