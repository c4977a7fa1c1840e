#include "ZoCefRendererApp.h"

#include "ZoCefRendererDelegates.h"

namespace ZoCefRender {

ZoCefRendererApp::ZoCefRendererApp()
{
    m_setDelegates.insert(new ZoCefRenderer::ZoCefRendererDelegates());
}

void ZoCefRendererApp::OnWebKitInitialized()
{
    for (const CefRefPtr<Delegate> &delegate : m_setDelegates)
        delegate->OnWebKitInitialized(this);
}

void ZoCefRendererApp::OnBrowserCreated(CefRefPtr<CefBrowser> browser,
                                        CefRefPtr<CefDictionaryValue> extraInfo)
{
    for (const CefRefPtr<Delegate> &delegate : m_setDelegates)
        delegate->OnBrowserCreated(this, browser, extraInfo);
}

void ZoCefRendererApp::OnBrowserDestroyed(CefRefPtr<CefBrowser> browser)
{
    for (const CefRefPtr<Delegate> &delegate : m_setDelegates)
        delegate->OnBrowserDestroyed(this, browser);
}

CefRefPtr<CefLoadHandler> ZoCefRendererApp::GetLoadHandler()
{
    for (const CefRefPtr<Delegate> &delegate : m_setDelegates) {
        if (CefRefPtr<CefLoadHandler> handler = delegate->GetLoadHandler(this))
            return handler;
    }
    return nullptr;
}

void ZoCefRendererApp::OnContextCreated(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                        CefRefPtr<CefV8Context> context)
{
    for (const CefRefPtr<Delegate> &delegate : m_setDelegates)
        delegate->OnContextCreated(this, browser, frame, context);
}

void ZoCefRendererApp::OnContextReleased(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                         CefRefPtr<CefV8Context> context)
{
    for (const CefRefPtr<Delegate> &delegate : m_setDelegates)
        delegate->OnContextReleased(this, browser, frame, context);
}

void ZoCefRendererApp::OnUncaughtException(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                           CefRefPtr<CefV8Context> context,
                                           CefRefPtr<CefV8Exception> exception,
                                           CefRefPtr<CefV8StackTrace> stackTrace)
{
    for (const CefRefPtr<Delegate> &delegate : m_setDelegates)
        delegate->OnUncaughtException(this, browser, frame, context, exception, stackTrace);
}

void ZoCefRendererApp::OnFocusedNodeChanged(CefRefPtr<CefBrowser> browser,
                                            CefRefPtr<CefFrame> frame, CefRefPtr<CefDOMNode> node)
{
    for (const CefRefPtr<Delegate> &delegate : m_setDelegates)
        delegate->OnFocusedNodeChanged(this, browser, frame, node);
}

} // namespace ZoCefRender
