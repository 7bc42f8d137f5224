#pragma once
// The few libgsf helpers the workbook readers share: owning handles, inputs over bytes held in
// memory, and bounded reads of a whole member.
#include <gsf/gsf.h>

#include <cstdint>
#include <memory>
#include <string>

inline namespace zz {

struct GObjectUnref {
    void operator()(void* object) const;
};
template <class T>
using GsfHandle = std::unique_ptr<T, GObjectUnref>;

// While it lives, GLib's own warnings and criticals and libgsf's diagnostic lines are not
// printed: libgsf meets some damaged files with calls that GLib rejects loudly on standard
// error, or with notes of its own there, although the reader then reports the file itself. Only the thread's workbook reading should hold one.
class QuietGlib {
public:
    QuietGlib();
    ~QuietGlib();
    QuietGlib(const QuietGlib&) = delete;
    QuietGlib& operator=(const QuietGlib&) = delete;

private:
    guint handlers_[3];
    GPrintFunc printerr_;
};

// Makes sure libgsf's types are registered; cheap after the first call.
void InitGsf();

// An input reading the bytes in place; they must outlive it.
GsfHandle<GsfInput> MemoryInput(const std::string& bytes);

// The whole member; throws Failure (naming `what`) when it is larger than `limit` bytes or
// cannot be read to its end.
std::string ReadWholeInput(GsfInput* input, uint64_t limit, const std::string& what);

// The text of a libgsf error, freeing it; `fallback` when there is none.
std::string TakeErrorText(GError* error, const std::string& fallback);

} // namespace zz
