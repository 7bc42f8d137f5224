#include "xmlstore/GuardedRead.h"

#include "common/FileSystem.h"
#include "common/MessageSink.h"

#include <exception>

inline namespace zz {

GuardedReadResult GuardedRead(ProjectDocument& document, const std::string& path, const std::string& notFoundMessage,
                              const std::string& readErrorMessage,
                              const std::function<void(ProjectDocument&, XmlNode root)>& read)
{
    if (!FileExists(path)) {
        if (!notFoundMessage.empty()) Messages().Notice(notFoundMessage);
        return GuardedReadResult::Missing;
    }
    try {
        document.LoadFile(path);
        read(document, document.Root());
        return GuardedReadResult::Read;
    } catch (const std::exception&) {
        Messages().Notice(readErrorMessage);
        return GuardedReadResult::Failed;
    }
}

} // namespace zz
