// The mpv library, loaded when the first video is opened rather than with the program: it
// brings a few hundred libraries along, which would otherwise slow every start-up.
#pragma once

#include <mpv/client.h>
#include <mpv/render.h>

struct MpvLibrary {
#define LUM_MPV_FUNCTION(name) decltype(&::mpv_##name) name = nullptr;
    LUM_MPV_FUNCTION(create)
    LUM_MPV_FUNCTION(set_option_string)
    LUM_MPV_FUNCTION(initialize)
    LUM_MPV_FUNCTION(terminate_destroy)
    LUM_MPV_FUNCTION(observe_property)
    LUM_MPV_FUNCTION(set_wakeup_callback)
    LUM_MPV_FUNCTION(command)
    LUM_MPV_FUNCTION(command_async)
    LUM_MPV_FUNCTION(set_property)
    LUM_MPV_FUNCTION(get_property)
    LUM_MPV_FUNCTION(wait_event)
    LUM_MPV_FUNCTION(error_string)
    LUM_MPV_FUNCTION(render_context_create)
    LUM_MPV_FUNCTION(render_context_free)
    LUM_MPV_FUNCTION(render_context_set_update_callback)
    LUM_MPV_FUNCTION(render_context_update)
    LUM_MPV_FUNCTION(render_context_render)
#undef LUM_MPV_FUNCTION
};

// The loaded library, or nullptr when it can't be loaded (then no video can be played).
const MpvLibrary* LoadMpv();
