#include "editors/canopen/workbook/GsfSupport.h"

#include "common/Failure.h"

#include <mutex>

inline namespace zz {

void GObjectUnref::operator()(void* object) const
{
    if (object) g_object_unref(object);
}

namespace {

// libgsf logs some of its notes without a domain of its own.
constexpr const char* kGlibDomains[] = {"GLib", "GLib-GObject", nullptr};

} // namespace

QuietGlib::QuietGlib()
{
    const auto levels = static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING);
    for (size_t i = 0; i < 3; ++i)
        handlers_[i] = g_log_set_handler(
            kGlibDomains[i], levels, [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
    printerr_ = g_set_printerr_handler([](const gchar*) {});
}

QuietGlib::~QuietGlib()
{
    for (size_t i = 0; i < 3; ++i) g_log_remove_handler(kGlibDomains[i], handlers_[i]);
    g_set_printerr_handler(printerr_);
}

void InitGsf()
{
    static std::once_flag once;
    std::call_once(once, [] {
        gsf_init();
        // A damaged file is reported by the reader that meets it; libgsf's own warnings about
        // it would only litter the console.
        for (const char* domain : {"libgsf", "libgsf:msole", "libgsf:zip"})
            g_log_set_handler(
                domain, static_cast<GLogLevelFlags>(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL | G_LOG_FLAG_RECURSION),
                [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
    });
}

GsfHandle<GsfInput> MemoryInput(const std::string& bytes)
{
    InitGsf();
    GsfInput* input = gsf_input_memory_new(reinterpret_cast<const guint8*>(bytes.data()),
                                           static_cast<gsf_off_t>(bytes.size()), FALSE);
    if (!input) throw Failure("The workbook cannot be opened");
    return GsfHandle<GsfInput>(input);
}

std::string ReadWholeInput(GsfInput* input, uint64_t limit, const std::string& what)
{
    const gsf_off_t size = gsf_input_size(input);
    if (size < 0 || static_cast<uint64_t>(size) > limit) throw Failure("'" + what + "' is too large to be read");
    std::string bytes(static_cast<size_t>(size), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t chunk = std::min<size_t>(bytes.size() - done, 1 << 16);
        if (!gsf_input_read(input, chunk, reinterpret_cast<guint8*>(bytes.data() + done)))
            throw Failure("'" + what + "' cannot be read to its end");
        done += chunk;
    }
    return bytes;
}

std::string TakeErrorText(GError* error, const std::string& fallback)
{
    if (!error) return fallback;
    std::string text = error->message ? error->message : fallback;
    g_error_free(error);
    return text;
}

} // namespace zz
