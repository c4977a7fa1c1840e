#pragma once

#include "include/cef_app.h"

namespace ZoCefRender {

// The application of every subprocess other than a render process: adds nothing.
class ZoCefOtherApp : public CefApp
{
private:
    IMPLEMENT_REFCOUNTING(ZoCefOtherApp);
};

} // namespace ZoCefRender
