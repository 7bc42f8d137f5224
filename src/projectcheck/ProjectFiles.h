#pragma once
#include <string>

inline namespace zz {

// The documents of a project directory, by path ("/" joined). The check and the byte map take
// a plain directory, so that the command line, the windows and the tests give it alike.
struct ProjectFiles {
    std::string Dir;
    std::string Pargen, ReceiveFrame, ReceiveInfo, SendFrame, SendInfo;
    std::string Sdo, RpdoDef, SdoPdo, EmcyDef, EmcyWord;
};
ProjectFiles ProjectFilesIn(const std::string& projectDir);

// The file names the findings name their documents by.
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

} // namespace zz
