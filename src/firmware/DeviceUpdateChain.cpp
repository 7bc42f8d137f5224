#include "firmware/DeviceUpdateChain.h"

#include "firmware/BankFiles.h"
#include "firmware/ConfigurationImage.h"

#include <utility>

inline namespace zz {

namespace {

void Append(UserMessages& to, const UserMessages& messages)
{
    to.insert(to.end(), messages.begin(), messages.end());
}

} // namespace

DeviceUpdateChain::DeviceUpdateChain(ProjectContext project, GatewayProject configuration, std::string checkVerdict)
    : project_(std::move(project)),
      configuration_(std::move(configuration)),
      checkVerdict_(std::move(checkVerdict))
{
}

void DeviceUpdateChain::BuildBanks()
{
    if (!lock_) lock_.emplace(project_.ProjectDir);
    // A fresh image every time: bytes of a project built earlier never reach this one.
    auto build = std::make_shared<BankBuild>();
    LoadConfigurationImage(configuration_, build->Image);
    build->Problems = WriteBankFiles(project_, build->Image);
    WriteBankSource(project_, build->Image);
    build_ = std::move(build);
}

CompositionOutcome DeviceUpdateChain::Compose(const CompositionContext& context, CompositionObserver& observer) const
{
    return ComposeCheckedFirmware(context, observer, build_.get());
}

FlashOutcome DeviceUpdateChain::Flash(const std::string& firmwarePath, int portPosition) const
{
    return StartFlashingProgram(project_, firmwarePath, portPosition);
}

DeviceUpdateChain::Outcome DeviceUpdateChain::Run(std::optional<int> portPosition, CompositionObserver& observer)
{
    Outcome outcome;
    BuildBanks();
    CompositionContext context;
    const CompositionSetup setup = Prepare(context);
    Append(outcome.Messages, setup.Messages);
    if (!setup.Ready) return outcome;
    context.Selected = kDeviceUpdateBanks;
    outcome.Composition = Compose(context, observer);
    Append(outcome.Messages, outcome.Composition->Messages);
    if (!outcome.Composition->Written) return outcome;
    if (portPosition) {
        const FlashOutcome flash = Flash(context.OutputDir + context.NewFirmwareName, *portPosition);
        Append(outcome.Messages, flash.Messages);
        if (!flash.Started) return outcome;
    }
    outcome.Succeeded = true;
    return outcome;
}

} // namespace zz
