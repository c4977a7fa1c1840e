#include "ZoCefRendererDelegates.h"

#include "ZoCefV8Handler.h"

#include "render/ZoCefBridge.h"
#include "render/ZoCefScripts.h"

#include "include/cef_v8.h"

namespace ZoCefRender {
namespace ZoCefRenderer {

void ZoCefRendererDelegates::OnWebKitInitialized(CefRefPtr<ZoCefRendererApp>)
{
    CefRefPtr<CefV8Handler> handler = new ZoCefV8Handler();
    for (const ZoCefScripts::Script &script : ZoCefScripts::scripts()) {
        const QByteArray code = ZoCefScripts::source(script.name);
        CefRegisterExtension(script.name, code.toStdString(), handler);
    }
}

void ZoCefRendererDelegates::OnFocusedNodeChanged(CefRefPtr<ZoCefRendererApp>,
                                                  CefRefPtr<CefBrowser>, CefRefPtr<CefFrame> frame,
                                                  CefRefPtr<CefDOMNode> node)
{
    if (!m_focusRule.update(node != nullptr, node && node->IsEditable()) || !frame)
        return;
    CefRefPtr<CefProcessMessage> message
        = CefProcessMessage::Create(ZoCefBridge::kFocusedNodeChangedMessage);
    message->GetArgumentList()->SetBool(0, m_focusRule.lastEditable());
    frame->SendProcessMessage(PID_BROWSER, message);
}

} // namespace ZoCefRenderer
} // namespace ZoCefRender
