#include "ZoCefBridgeObject.h"

#include "ZoCefWebView.h"

namespace ZoCef {

ZoCefBridgeObject::ZoCefBridgeObject(ZoCefWebView *view)
    : QObject(view)
    , m_pView(view)
{ }

void ZoCefBridgeObject::RPCCall(const QString &text)
{
    m_pView->deliverRPCCall(text);
}

void ZoCefBridgeObject::MainCall(const QStringList &arguments)
{
    if (arguments.size() == 2)
        m_pView->deliverMainCall(arguments.at(0), arguments.at(1));
}

void ZoCefBridgeObject::FocusedNodeChanged(bool editable)
{
    m_pView->deliverFocusChange(editable);
}

} // namespace ZoCef
