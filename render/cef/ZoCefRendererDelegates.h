#pragma once

#include "ZoCefRendererApp.h"

#include "render/ZoCefFocusRule.h"

namespace ZoCefRender {
namespace ZoCefRenderer {

// Registers the script bridge once per render process and reports editable focus changes.
// Render thread.
class ZoCefRendererDelegates : public ZoCefRendererApp::Delegate
{
public:
    void OnWebKitInitialized(CefRefPtr<ZoCefRendererApp> app) override;
    void OnFocusedNodeChanged(CefRefPtr<ZoCefRendererApp> app, CefRefPtr<CefBrowser> browser,
                              CefRefPtr<CefFrame> frame, CefRefPtr<CefDOMNode> node) override;

private:
    // Holds the last editable state sent; it persists across pages and frames of the process.
    ZoCefFocusRule m_focusRule;

    IMPLEMENT_REFCOUNTING(ZoCefRendererDelegates);
};

} // namespace ZoCefRenderer
} // namespace ZoCefRender
