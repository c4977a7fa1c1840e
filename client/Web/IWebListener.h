#pragma once

namespace Web {

class CWebBaseMsg;

// A component that handles page calls of a web view; it registers with the view's
// IWebViewManager by method name or for every method. Called on the GUI thread. The message
// is borrowed for the length of the call: keep copies of what is needed later, never the
// pointer.
class IWebListener
{
public:
    virtual void onRPCCall(CWebBaseMsg *msg) = 0;

protected:
    ~IWebListener() = default;
};

} // namespace Web
