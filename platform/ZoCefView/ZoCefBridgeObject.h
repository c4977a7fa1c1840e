#pragma once

#include <QObject>

namespace ZoCef {

class ZoCefWebView;

// The object that the channel bridge script of a page calls, over the web channel of the
// application world. It passes each call to its view. GUI thread only.
class ZoCefBridgeObject : public QObject
{
    Q_OBJECT

public:
    explicit ZoCefBridgeObject(ZoCefWebView *view);

public slots:
    void RPCCall(const QString &text);
    void MainCall(const QString &method, const QString &param);
    void FocusedNodeChanged(bool editable);

private:
    ZoCefWebView *m_pView;
};

} // namespace ZoCef
