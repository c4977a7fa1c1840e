#pragma once

#include <cstddef>
#include <string>

namespace ZoCefRender {

// The names that page script, the render program and the web-view library share, and the
// rule for which calls of the native functions are sent. Plain data; any thread.
class ZoCefBridge
{
public:
    // Native functions of the injected ClientObject script.
    static constexpr const char *kMainCall = "MainCall";
    static constexpr const char *kRPCCall = "RPCCall";

    // Messages from the render side to the browser side.
    static constexpr const char *kMainCallMessage = "ZoCefRenderer.MainCall";
    static constexpr const char *kRPCCallMessage = "ZoCefRenderer.RPCCall";
    static constexpr const char *kFocusedNodeChangedMessage = "ZoCefRenderer.FocusedNodeChanged";

    // Global functions of the page through which the browser side notifies it.
    static constexpr const char *kRPCNotify = "RPCNotify";
    static constexpr const char *kMainNotify = "mainNotify";

    // How many arguments the native function takes; -1 when it is not one of ours.
    static int argumentCount(const std::string &function);
    // A call is sent only with exactly the function's number of arguments; any other call is
    // swallowed and returns nothing to the page.
    static bool acceptsCall(const std::string &function, std::size_t count);
    // The message that a call of the native function sends; empty when it is not one of ours.
    static std::string messageName(const std::string &function);
};

} // namespace ZoCefRender
