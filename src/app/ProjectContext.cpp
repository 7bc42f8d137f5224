#include "app/ProjectContext.h"

void ProjectContext::UpdateProjectFiles()
{
    PargenFile = ProjectDir + "/pargen.xml";
    ReceiveFrameFile = ProjectDir + "/Receive_Frame.xml";
    ReceiveInfoFile = ProjectDir + "/Receive_Info.xml";
    EmcyDefFile = ProjectDir + "/emcydef.xml";
    EmcyWordFile = ProjectDir + "/emcyword.xml";
    RpdoDefFile = ProjectDir + "/rpdodef.xml";
    SdoPdoFile = ProjectDir + "/sdopdo.xml";
    SendFrameFile = ProjectDir + "/Send_Frame.xml";
    SendInfoFile = ProjectDir + "/Send_Info.xml";
}
