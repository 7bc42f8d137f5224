#include "SampleDbc.h"

inline namespace zz {

std::string SampleDbc(int frames, int signalsPerFrame)
{
    std::string out = "VERSION \"\"\r\n\r\nNS_ :\r\n\tCM_\r\n\tBA_DEF_\r\n\tBA_\r\n\tVAL_\r\n\r\nBS_:\r\n\r\n"
                      "BU_: Gateway Engine Dash\r\n\r\n";
    const int bits = 64 / signalsPerFrame;
    for (int f = 0; f < frames; ++f) {
        const int id = 0x100 + f;
        out += "BO_ " + std::to_string(id) + " Frame_" + std::to_string(f) + ": 8 Engine\r\n";
        for (int s = 0; s < signalsPerFrame; ++s) {
            const bool intel = s % 2 == 0;
            // Motorola signals name their most significant bit.
            const int start = intel ? s * bits : s * bits + 7;
            out += " SG_ Signal_" + std::to_string(f) + "_" + std::to_string(s) + " : " + std::to_string(start) + "|" +
                   std::to_string(bits) + (intel ? "@1+" : "@0-") + " (0.1,-40) [-40|6513.5] \"degC\" Gateway,Dash\r\n";
        }
        out += "\r\n";
    }
    for (int f = 0; f < frames; ++f)
        out += "CM_ BO_ " + std::to_string(0x100 + f) + " \"Frame number " + std::to_string(f) + "\";\r\n";
    out += "BA_DEF_ BO_ \"GenMsgCycleTime\" INT 0 65535;\r\nBA_DEF_DEF_ \"GenMsgCycleTime\" 100;\r\n";
    for (int f = 0; f < frames; ++f)
        out += "BA_ \"GenMsgCycleTime\" BO_ " + std::to_string(0x100 + f) + " " + std::to_string(10 * (f % 10 + 1)) +
               ";\r\n";
    for (int f = 0; f < frames; ++f)
        out += "VAL_ " + std::to_string(0x100 + f) + " Signal_" + std::to_string(f) + "_0 0 \"Off\" 1 \"On\" ;\r\n";
    return out;
}

} // namespace zz
