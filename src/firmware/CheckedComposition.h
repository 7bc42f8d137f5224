#pragma once
#include "firmware/BankFiles.h"
#include "firmware/BankImage.h"
#include "firmware/FirmwareComposer.h"

inline namespace zz {

// What a build wrote into the bin directory: the bank images and, per bank file, why it could
// not be written. The composition holds the bank files it merges to these images.
struct BankBuild {
    BankImage Image;
    BankFileProblems Problems;
};

// The composition of a device update, made so that nothing wrong reaches the device:
//  - a merged bank file that this build could not write, or that no longer holds this build's
//    image, stops it (when `build` is given; without it the files are taken as they are);
//  - the base firmware must be a whole S-record file (every line a valid record with its
//    checksum, one S9 end record last) with S1 or S2 records in the window of every merged bank;
//  - the composed file is read back and must hold exactly the merged bank images in their
//    windows and the base firmware's data everywhere else before it takes the new firmware's
//    name.
// Each refusal is a message of the outcome and its problem; a verified firmware's summary
// ("New_sx48802.sx verified: 5 receive and 4 send frames") is in the outcome too.
// Throws Failure as ComposeFirmware does.
CompositionOutcome ComposeCheckedFirmware(const CompositionContext& context, CompositionObserver& observer,
                                          const BankBuild* build);

} // namespace zz
