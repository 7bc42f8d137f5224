// The command line loads libgsf (and GLib under it) only when it first reads a workbook: mapping
// those libraries at every start would cost more than most commands do. These definitions of
// the few libgsf and GLib functions the workbook readers call take the place of the libraries'
// own at link time, so the linker (--as-needed) leaves the libraries out of the program; each
// looks its function up in the library on its first call. A function the readers start to call
// and that is missing here is simply linked from the library again, which then loads at start.
#include "common/Failure.h"

#include <gsf/gsf.h>

#include <dlfcn.h>

#include <string>

inline namespace zz {

namespace {

void* GsfLibrary()
{
    static void* const library = [] {
        void* handle = ::dlopen(ZZ_GSF_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* why = ::dlerror();
            throw Failure(std::string("Workbooks cannot be read: ") + (why ? why : ZZ_GSF_LIBRARY " is missing"));
        }
        return handle;
    }();
    return library;
}

template <typename Function>
Function* Resolve(const char* name)
{
    void* found = ::dlsym(GsfLibrary(), name);
    if (!found) throw Failure(std::string("Workbooks cannot be read: ") + ZZ_GSF_LIBRARY " has no " + name);
    return reinterpret_cast<Function*>(found);
}

} // namespace

} // namespace zz

// The library's function of the same name, looked up once.
#define ZZ_REAL(name) static decltype(&name) const real = zz::Resolve<decltype(name)>(#name)

extern "C" {

void gsf_init(void)
{
    ZZ_REAL(gsf_init);
    real();
}

GsfInput* gsf_input_memory_new(guint8 const* buf, gsf_off_t length, gboolean needs_free)
{
    ZZ_REAL(gsf_input_memory_new);
    return real(buf, length, needs_free);
}

guint8 const* gsf_input_read(GsfInput* input, size_t num_bytes, guint8* optional_buffer)
{
    ZZ_REAL(gsf_input_read);
    return real(input, num_bytes, optional_buffer);
}

gsf_off_t gsf_input_size(GsfInput* input)
{
    ZZ_REAL(gsf_input_size);
    return real(input);
}

GsfInfile* gsf_infile_msole_new(GsfInput* source, GError** err)
{
    ZZ_REAL(gsf_infile_msole_new);
    return real(source, err);
}

GsfInfile* gsf_infile_zip_new(GsfInput* source, GError** err)
{
    ZZ_REAL(gsf_infile_zip_new);
    return real(source, err);
}

int gsf_infile_num_children(GsfInfile* infile)
{
    ZZ_REAL(gsf_infile_num_children);
    return real(infile);
}

char const* gsf_infile_name_by_index(GsfInfile* infile, int i)
{
    ZZ_REAL(gsf_infile_name_by_index);
    return real(infile, i);
}

GsfInput* gsf_infile_child_by_index(GsfInfile* infile, int i)
{
    ZZ_REAL(gsf_infile_child_by_index);
    return real(infile, i);
}

GsfInput* gsf_infile_child_by_aname(GsfInfile* infile, char const* names[])
{
    ZZ_REAL(gsf_infile_child_by_aname);
    return real(infile, names);
}

void g_object_unref(gpointer object)
{
    ZZ_REAL(g_object_unref);
    real(object);
}

void g_error_free(GError* error)
{
    ZZ_REAL(g_error_free);
    real(error);
}

guint g_log_set_handler(const gchar* log_domain, GLogLevelFlags log_levels, GLogFunc log_func, gpointer user_data)
{
    ZZ_REAL(g_log_set_handler);
    return real(log_domain, log_levels, log_func, user_data);
}

void g_log_remove_handler(const gchar* log_domain, guint handler_id)
{
    ZZ_REAL(g_log_remove_handler);
    real(log_domain, handler_id);
}

GPrintFunc g_set_printerr_handler(GPrintFunc func)
{
    ZZ_REAL(g_set_printerr_handler);
    return real(func);
}

} // extern "C"
