#pragma once
#include <string>

inline namespace zz {

// The documents of a project directory, by file name and by path ("/" joined). Paths are built
// here only; the project context, the loader, the check and the CANopen tables take them from
// a layout.
inline constexpr const char* kPargenName = "pargen.xml";
inline constexpr const char* kReceiveFrameName = "Receive_Frame.xml";
inline constexpr const char* kReceiveInfoName = "Receive_Info.xml";
inline constexpr const char* kSendFrameName = "Send_Frame.xml";
inline constexpr const char* kSendInfoName = "Send_Info.xml";
inline constexpr const char* kSdoName = "sdo.xml";
inline constexpr const char* kRpdoDefName = "rpdodef.xml";
inline constexpr const char* kSdoPdoName = "sdopdo.xml";
inline constexpr const char* kEmcyDefName = "emcydef.xml";
inline constexpr const char* kEmcyWordName = "emcyword.xml";

struct ProjectLayout {
    std::string ProjectDir; // no trailing "/"; empty: no valid project

    std::string PargenFile;
    std::string ReceiveFrameFile;
    std::string ReceiveInfoFile;
    std::string SendFrameFile;
    std::string SendInfoFile;
    std::string SdoFile;
    std::string RpdoDefFile;
    std::string SdoPdoFile;
    std::string EmcyDefFile;
    std::string EmcyWordFile;

    // The layout of that directory; trailing separators do not count.
    static ProjectLayout Of(std::string projectDir);
};

} // namespace zz
