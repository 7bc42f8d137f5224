#pragma once
#include "xmlstore/documents/StoredText.h"

#include <string>

inline namespace zz {

// pargen.xml, the communication parameters of a gateway project: the root "Par_Gen" and one
// element per parameter holding its text. Elements are written in this order.
struct PargenTexts {
    StoredText CanBaud;     // position in the CAN baud rate list
    StoredText CanType;     // "0" for 11-bit identifiers
    StoredText HowSend;     // "0" to send on change
    StoredText DelaySend;   // milliseconds before a new frame is sent
    StoredText TimeOutData; // older files may lack it
    StoredText NetDevId;
    StoredText NetBaud; // position in the DeviceNet baud rate list
    StoredText NetIn;   // older files may lack it
    StoredText NetOut;  // older files may lack it
};

// Loads the file into the document and takes the texts; throws Failure when it does not load.
PargenTexts ReadPargenXml(ProjectDocument& document, const std::string& path);

// Rebuilds the document from the present texts and writes it.
void WritePargenXml(ProjectDocument& document, const std::string& path, const PargenTexts& texts);

} // namespace zz
