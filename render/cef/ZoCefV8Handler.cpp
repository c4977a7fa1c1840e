#include "ZoCefV8Handler.h"

#include "render/ZoCefBridge.h"

#include "include/base/cef_logging.h"
#include "include/cef_process_message.h"

namespace ZoCefRender {

bool ZoCefV8Handler::Execute(const CefString &name, CefRefPtr<CefV8Value>,
                             const CefV8ValueList &arguments, CefRefPtr<CefV8Value> &retval,
                             CefString &)
{
    const std::string function = name.ToString();
    if (ZoCefBridge::argumentCount(function) < 0)
        return false;
    // A call with the wrong number of arguments is swallowed: handled, nothing sent, no value.
    if (!ZoCefBridge::acceptsCall(function, arguments.size()))
        return true;

    CefRefPtr<CefProcessMessage> message
        = CefProcessMessage::Create(ZoCefBridge::messageName(function));
    CefRefPtr<CefListValue> args = message->GetArgumentList();
    for (size_t i = 0; i < arguments.size(); ++i)
        args->SetString(i, arguments[i]->GetStringValue());
    CefV8Context::GetCurrentContext()->GetFrame()->SendProcessMessage(PID_BROWSER, message);

    if (function == ZoCefBridge::kRPCCall && logging::GetMinLogLevel() <= logging::LOGGING_INFO)
        LOG(INFO) << "RPCCall " << arguments[0]->GetStringValue().ToString();
    // The value carries no result: replies come back through RPCNotify.
    retval = CefV8Value::CreateInt(0);
    return true;
}

} // namespace ZoCefRender
