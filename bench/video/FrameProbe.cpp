// A probe preloaded into the program by the banner benchmark: notes the wall
// clock, in milliseconds, each time a video frame is drawn into the window,
// one line a frame, in the file named by TOVRELLE_FRAME_PROBE. The program
// itself is not changed: the probe stands in front of libmpv's render call.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <mpv/render.h>

namespace {

using RenderCall = int (*)(mpv_render_context*, mpv_render_param*);

bool drawsIntoPicture(const mpv_render_param* params)
{
    for (; params->type != MPV_RENDER_PARAM_INVALID; ++params)
        if (params->type == MPV_RENDER_PARAM_SW_POINTER)
            return true;
    return false;
}

void note()
{
    static FILE* log = [] {
        const char* name = std::getenv("TOVRELLE_FRAME_PROBE");
        return name ? std::fopen(name, "w") : nullptr;
    }();
    if (!log)
        return;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::fprintf(log, "%.3f\n", now.tv_sec * 1e3 + now.tv_nsec / 1e6);
    std::fflush(log);
}

}  // namespace

extern "C" int mpv_render_context_render(mpv_render_context* context, mpv_render_param* params)
{
    static const auto render = reinterpret_cast<RenderCall>(dlsym(RTLD_NEXT, "mpv_render_context_render"));
    const int result = render(context, params);
    if (result >= 0 && drawsIntoPicture(params))
        note();
    return result;
}
