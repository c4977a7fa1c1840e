#pragma once

#include "include/cef_v8.h"

namespace ZoCefRender {

// The native functions MainCall and RPCCall of the injected ClientObject script: each sends
// the call to the browser process. Render thread.
class ZoCefV8Handler : public CefV8Handler
{
public:
    bool Execute(const CefString &name, CefRefPtr<CefV8Value> object,
                 const CefV8ValueList &arguments, CefRefPtr<CefV8Value> &retval,
                 CefString &exception) override;

private:
    IMPLEMENT_REFCOUNTING(ZoCefV8Handler);
};

} // namespace ZoCefRender
