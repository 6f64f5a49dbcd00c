#include "platform/MpvLibrary.h"

#include <QLibrary>

const MpvLibrary* LoadMpv() {
    static const MpvLibrary* loaded = []() -> const MpvLibrary* {
        static QLibrary lib(QStringLiteral("mpv"), 2);
        if (!lib.load()) {
            lib.setFileName(QStringLiteral("mpv"));
            if (!lib.load()) return nullptr;
        }
        static MpvLibrary m;
        bool all = true;
        auto get = [&](auto& fn, const char* name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(lib.resolve(name));
            all = all && fn;
        };
#define LUM_MPV_RESOLVE(name) get(m.name, "mpv_" #name);
        LUM_MPV_RESOLVE(create)
        LUM_MPV_RESOLVE(set_option_string)
        LUM_MPV_RESOLVE(initialize)
        LUM_MPV_RESOLVE(terminate_destroy)
        LUM_MPV_RESOLVE(observe_property)
        LUM_MPV_RESOLVE(set_wakeup_callback)
        LUM_MPV_RESOLVE(command)
        LUM_MPV_RESOLVE(command_async)
        LUM_MPV_RESOLVE(set_property)
        LUM_MPV_RESOLVE(get_property)
        LUM_MPV_RESOLVE(wait_event)
        LUM_MPV_RESOLVE(error_string)
        LUM_MPV_RESOLVE(render_context_create)
        LUM_MPV_RESOLVE(render_context_free)
        LUM_MPV_RESOLVE(render_context_set_update_callback)
        LUM_MPV_RESOLVE(render_context_update)
        LUM_MPV_RESOLVE(render_context_render)
#undef LUM_MPV_RESOLVE
        return all ? &m : nullptr;
    }();
    return loaded;
}
