#include "ZoCefProcessType.h"

namespace ZoCefRender {

ZoCefProcessType::Type ZoCefProcessType::classify(bool hasTypeSwitch, const std::string &typeValue)
{
    if (!hasTypeSwitch)
        return Browser;
    return typeValue == kRendererType ? Renderer : Other;
}

} // namespace ZoCefRender
