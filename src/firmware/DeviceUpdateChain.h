#pragma once
#include "common/ProjectContext.h"
#include "firmware/BuildLock.h"
#include "firmware/CheckedComposition.h"
#include "firmware/DeviceUpdate.h"
#include "gateway/GatewayProject.h"

#include <memory>
#include <optional>
#include <string>

inline namespace zz {

// The device update from the project's documents to the gateway: the project's lock, the bank
// files and bankg.c, the composition of the new firmware, its verification and the start of
// the flashing program. The windows run it in two parts ("Up date Device" builds, "Execute
// update firmware" composes and flashes); the command line runs it whole. Whoever starts the
// chain reads the project's configuration once and hands it in with the project check's
// verdict over that same configuration, to be shown beside it; a project with errors is built
// all the same.
class DeviceUpdateChain {
public:
    DeviceUpdateChain(ProjectContext project, GatewayProject configuration, std::string checkVerdict);

    const ProjectContext& Project() const { return project_; }
    const std::string& CheckVerdict() const { return checkVerdict_; }

    // Takes the project's lock, held until the chain ends, and writes the bank files and bankg.c
    // from a fresh image of the configuration handed in. A bank file that could not be written
    // is kept in Build(), not thrown; anything else throws Failure (another build of the
    // project included).
    void BuildBanks();
    // What BuildBanks wrote; none before it, when the composition takes the bank files as they are.
    const BankBuild* Build() const { return build_.get(); }

    // The project's lock for the steps that follow the build; it nests with the chain's own.
    BuildLock LockProject() const { return BuildLock(project_.ProjectDir); }

    CompositionSetup Prepare(CompositionContext& context) const { return PrepareComposition(project_, context); }
    // The checked composition of what BuildBanks wrote. Throws Failure as ComposeCheckedFirmware.
    CompositionOutcome Compose(const CompositionContext& context, CompositionObserver& observer) const;
    FlashOutcome Flash(const std::string& firmwarePath, int portPosition) const;

    // The whole chain without windows: build, banks 1 and 2 composed and verified, then the
    // flashing program on the port when one is given.
    struct Outcome {
        UserMessages Messages;                         // what the steps have to tell, in order
        std::optional<CompositionOutcome> Composition; // when the composition ran
        bool Succeeded = false; // the new firmware was written and verified (and the flasher started)
    };
    Outcome Run(std::optional<int> portPosition, CompositionObserver& observer);

private:
    ProjectContext project_;
    GatewayProject configuration_;
    std::string checkVerdict_;
    std::optional<BuildLock> lock_;
    std::shared_ptr<const BankBuild> build_;
};

} // namespace zz
