#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace ZoCef {

class ZoCefWebView;

// The object that the channel bridge script of a page writes to, over the web channel of the
// application world; it passes each call to its view. Page calls are one-way, so they
// arrive as property writes: the channel answers every method invocation with a response
// message to the page, a property write it does not answer. The properties read as empty
// and never change. GUI thread only.
class ZoCefBridgeObject : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString rpcCall READ emptyText WRITE RPCCall NOTIFY sgnNeverChanges)
    Q_PROPERTY(QStringList mainCall READ emptyList WRITE MainCall NOTIFY sgnNeverChanges)
    Q_PROPERTY(
        bool focusedNodeEditable READ isFalse WRITE FocusedNodeChanged NOTIFY sgnNeverChanges)

public:
    explicit ZoCefBridgeObject(ZoCefWebView *view);

    void RPCCall(const QString &text);
    // method and param
    void MainCall(const QStringList &arguments);
    void FocusedNodeChanged(bool editable);

signals:
    // Declared so that the channel treats the properties as observable; never emitted.
    void sgnNeverChanges();

private:
    QString emptyText() const { return QString(); }
    QStringList emptyList() const { return QStringList(); }
    bool isFalse() const { return false; }

    ZoCefWebView *m_pView;
};

} // namespace ZoCef
