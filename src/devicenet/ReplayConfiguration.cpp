#include "devicenet/ReplayConfiguration.h"

#include "firmware/ConfigurationDecoding.h"
#include "firmware/ConfigurationImage.h"
#include "gateway/GatewayProject.h"

#include <memory>

inline namespace zz {

namespace {

std::vector<ReplayFrameRow> RowsOf(const std::vector<DecodedFrame>& frames)
{
    std::vector<ReplayFrameRow> rows;
    rows.reserve(frames.size());
    for (const DecodedFrame& frame : frames) rows.push_back({frame.CobId, frame.Dim, frame.Bytes});
    return rows;
}

} // namespace

// The one place that knows where bank 1 keeps what the replay reads.
ReplayConfiguration ReplayConfigurationOf(const BankImage::Bytes& bank)
{
    const DecodedConfiguration decoded = DecodeConfiguration(bank);
    ReplayConfiguration configuration;
    configuration.Extended = decoded.CanType != 0;
    configuration.SendEvery = decoded.HowSend != 0;
    configuration.DelaySendMs = decoded.DelaySend;
    configuration.TimeOutDataS = decoded.TimeOutData;
    configuration.NetIn = decoded.NetIn;
    configuration.NetOut = decoded.NetOut;
    configuration.Receive = RowsOf(decoded.Receive);
    configuration.Send = RowsOf(decoded.Send);
    return configuration;
}

ReplayConfiguration LoadReplayConfiguration(const GatewayProject& project)
{
    const auto image = std::make_unique<BankImage>();
    LoadConfigurationImage(project, *image);
    return ReplayConfigurationOf(image->Bank(1));
}

const char* const kReplayNotModelled[] = {
    "Not modelled: what the device does with the input bytes after a time-out (they keep their last value here).",
    "Not modelled: the receive frames' Delete flag.",
    "Not modelled: bus timing, arbitration, errors and frames the gateway itself would lose.",
    "Not modelled: DeviceNet connections, the PLC's scan and when it reads the input image.",
    nullptr,
};

} // namespace zz
