#include "ZoCefBridge.h"

namespace ZoCefRender {

int ZoCefBridge::argumentCount(const std::string &function)
{
    if (function == kRPCCall)
        return 1;
    if (function == kMainCall)
        return 2;
    return -1;
}

bool ZoCefBridge::acceptsCall(const std::string &function, std::size_t count)
{
    const int expected = argumentCount(function);
    return expected >= 0 && count == static_cast<std::size_t>(expected);
}

std::string ZoCefBridge::messageName(const std::string &function)
{
    if (function == kRPCCall)
        return kRPCCallMessage;
    if (function == kMainCall)
        return kMainCallMessage;
    return std::string();
}

} // namespace ZoCefRender
