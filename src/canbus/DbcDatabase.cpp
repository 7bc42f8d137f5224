#include "canbus/DbcDatabase.h"

#include <algorithm>

inline namespace zz {

bool DbcMessage::TransmittedBy(const std::string& node) const
{
    return Transmitter == node ||
           std::find(ExtraTransmitters.begin(), ExtraTransmitters.end(), node) != ExtraTransmitters.end();
}

bool DbcMessage::ReceivedBy(const std::string& node) const
{
    for (const DbcSignal& signal : Signals)
        if (std::find(signal.Receivers.begin(), signal.Receivers.end(), node) != signal.Receivers.end()) return true;
    return false;
}

uint8_t SignalBytes(const DbcSignal& signal, int dlc)
{
    const int bits = std::clamp(dlc, 0, 8) * 8;
    uint8_t bytes = 0;
    int bit = signal.StartBit;
    // A length beyond 64 bits cannot lie inside a classic frame; the walk stops at the frame.
    for (int i = 0; i < std::min(signal.Length, 64 + 8); ++i) {
        if (bit >= 0 && bit < bits) bytes = static_cast<uint8_t>(bytes | (1u << (bit / 8)));
        if (signal.Intel) ++bit;
        else bit = bit % 8 == 0 ? bit + 15 : bit - 1;
        if (bit >= bits && (signal.Intel || bit % 8 == 7)) break;
    }
    return bytes;
}

uint8_t CoveredBytes(const DbcMessage& message)
{
    uint8_t bytes = 0;
    for (const DbcSignal& signal : message.Signals)
        bytes = static_cast<uint8_t>(bytes | SignalBytes(signal, message.Dlc));
    return bytes;
}

} // namespace zz
