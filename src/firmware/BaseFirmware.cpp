#include "firmware/BaseFirmware.h"

#include "firmware/BankLayout.h"
#include "firmware/SRecordStream.h"

inline namespace zz {

BaseFirmware BaseFirmware::Read(const std::string& path)
{
    BaseFirmware base;
    base.bytes_ = FileBytes::Read(path);
    SRecordStream stream(base.Bytes());
    SRecord record;
    std::span<const uint8_t> data;
    while (stream.Next(record, data)) {
        if (record.Type != '1' && record.Type != '2') continue;
        const uint32_t start = ComposerStart(record, data);
        for (int n = 1; n <= 5; ++n)
            if (start >= BankFirstAddress(n) && start <= BankLastAddress(n))
                base.inWindow_[static_cast<size_t>(n - 1)] = true;
    }
    base.fault_ = stream.FirstFault();
    return base;
}

} // namespace zz
