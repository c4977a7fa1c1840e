#pragma once

#include "include/cef_app.h"

#include <set>

namespace ZoCefRender {

// The application of a render process: forwards the render-process callbacks to its
// delegates. Render thread, as CEF calls it.
class ZoCefRendererApp : public CefApp, public CefRenderProcessHandler
{
public:
    // One part of the render-process behaviour. Every callback does nothing by default.
    class Delegate : public virtual CefBaseRefCounted
    {
    public:
        virtual void OnWebKitInitialized(CefRefPtr<ZoCefRendererApp> app) { }
        virtual void OnBrowserCreated(CefRefPtr<ZoCefRendererApp> app,
                                      CefRefPtr<CefBrowser> browser,
                                      CefRefPtr<CefDictionaryValue> extraInfo)
        { }
        virtual void OnBrowserDestroyed(CefRefPtr<ZoCefRendererApp> app,
                                        CefRefPtr<CefBrowser> browser)
        { }
        virtual CefRefPtr<CefLoadHandler> GetLoadHandler(CefRefPtr<ZoCefRendererApp> app)
        {
            return nullptr;
        }
        virtual void OnContextCreated(CefRefPtr<ZoCefRendererApp> app,
                                      CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                      CefRefPtr<CefV8Context> context)
        { }
        virtual void OnContextReleased(CefRefPtr<ZoCefRendererApp> app,
                                       CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                       CefRefPtr<CefV8Context> context)
        { }
        virtual void OnUncaughtException(CefRefPtr<ZoCefRendererApp> app,
                                         CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                         CefRefPtr<CefV8Context> context,
                                         CefRefPtr<CefV8Exception> exception,
                                         CefRefPtr<CefV8StackTrace> stackTrace)
        { }
        virtual void OnFocusedNodeChanged(CefRefPtr<ZoCefRendererApp> app,
                                          CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                          CefRefPtr<CefDOMNode> node)
        { }
    };

    ZoCefRendererApp();

    // CefApp
    CefRefPtr<CefRenderProcessHandler> GetRenderProcessHandler() override { return this; }

    // CefRenderProcessHandler
    void OnWebKitInitialized() override;
    void OnBrowserCreated(CefRefPtr<CefBrowser> browser,
                          CefRefPtr<CefDictionaryValue> extraInfo) override;
    void OnBrowserDestroyed(CefRefPtr<CefBrowser> browser) override;
    CefRefPtr<CefLoadHandler> GetLoadHandler() override;
    void OnContextCreated(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                          CefRefPtr<CefV8Context> context) override;
    void OnContextReleased(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                           CefRefPtr<CefV8Context> context) override;
    void OnUncaughtException(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                             CefRefPtr<CefV8Context> context, CefRefPtr<CefV8Exception> exception,
                             CefRefPtr<CefV8StackTrace> stackTrace) override;
    void OnFocusedNodeChanged(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                              CefRefPtr<CefDOMNode> node) override;
    // The render side handles no message from the browser process.
    bool OnProcessMessageReceived(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefProcessId,
                                  CefRefPtr<CefProcessMessage>) override
    {
        return false;
    }

private:
    std::set<CefRefPtr<Delegate>> m_setDelegates;

    IMPLEMENT_REFCOUNTING(ZoCefRendererApp);
};

} // namespace ZoCefRender
