#pragma once

#include <string>

namespace ZoCefRender {

// Which kind of browser subprocess a start of the render program is, from the "type" switch
// of its command line. Plain data; any thread.
class ZoCefProcessType
{
public:
    enum Type { Browser, Renderer, Other };

    static constexpr const char *kTypeSwitch = "type";
    static constexpr const char *kRendererType = "renderer";

    // No switch: the browser process; "renderer": a render process; any other value (GPU,
    // utility, zygote...): another subprocess, which gets no script bridge.
    static Type classify(bool hasTypeSwitch, const std::string &typeValue);
};

} // namespace ZoCefRender
