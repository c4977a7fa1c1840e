#include "ZoCefBridgeObject.h"

#include "ZoCefWebView.h"

namespace ZoCef {

ZoCefBridgeObject::ZoCefBridgeObject(ZoCefWebView *view)
    : QObject(view), m_pView(view)
{
}

void ZoCefBridgeObject::RPCCall(const QString &text)
{
    m_pView->deliverRPCCall(text);
}

void ZoCefBridgeObject::MainCall(const QString &method, const QString &param)
{
    m_pView->deliverMainCall(method, param);
}

void ZoCefBridgeObject::FocusedNodeChanged(bool editable)
{
    m_pView->deliverFocusChange(editable);
}

} // namespace ZoCef
