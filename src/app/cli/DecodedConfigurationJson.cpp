#include "app/cli/DecodedConfigurationJson.h"

#include "app/cli/JsonText.h"

inline namespace zz {

namespace {

using Json = nlohmann::ordered_json;

Json Listed(unsigned value, const std::string& text)
{
    return Json{{"value", value}, {"text", text}};
}

Json Frames(const std::vector<DecodedFrame>& frames, bool withDelete)
{
    Json list = Json::array();
    for (size_t i = 0; i < frames.size(); ++i) {
        const DecodedFrame& f = frames[i];
        Json frame{{"frame", i + 1}, {"cobId", CobIdText(f.CobId)}, {"cobIdValue", f.CobId}, {"dim", f.Dim}};
        if (withDelete) frame["delete"] = DeleteText(f.Delete);
        Json bytes = Json::array();
        for (const uint8_t b : f.Bytes) bytes.push_back(b == 255 ? Json(nullptr) : Json(b));
        frame["bytes"] = std::move(bytes);
        list.push_back(std::move(frame));
    }
    return list;
}

} // namespace

std::string DecodedConfigurationJson(const DecodedConfiguration& c)
{
    const Json document{
        {"parameters",
         {
             {"Can_Baud", Listed(c.CanBaud, CanBaudText(c.CanBaud))},
             {"CAN_Type", Listed(c.CanType, CanTypeText(c.CanType))},
             {"How_Send", Listed(c.HowSend, HowSendText(c))},
             {"Delay_Send", c.DelaySend},
             {"TimeOut_Data", c.TimeOutData},
             {"Net_Dev_Id", c.NetDevId},
             {"Net_Baud", Listed(c.NetBaud, NetBaudText(c.NetBaud))},
             {"Net_In", c.NetIn},
             {"Net_Out", c.NetOut},
             {"ReceiveCount", c.ReceiveCount},
             {"SendCount", c.SendCount},
         }},
        {"receiveFrames", Frames(c.Receive, true)},
        {"sendFrames", Frames(c.Send, false)},
    };
    return JsonText(document, 2, 2) + '\n';
}

} // namespace zz
