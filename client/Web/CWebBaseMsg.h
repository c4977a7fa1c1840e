#pragma once

#include "korvelweb_global.h"

#include "lumo/DMessage.h"

#include <QMetaType>
#include <QString>

namespace Web {

// One page call as the listeners of a web view see it: the method name and the call's
// "params" as compact JSON text. Messages made by the web message queue are never reference
// counted: created on the queue's worker thread, they pass with ownership to the view, which
// deletes them on the GUI thread after its listeners have returned. A listener only borrows
// the message for the length of its call.
//
// Every construction makes sure the type is known to Qt's meta-type system ("CWebBaseMsg",
// and the pointer as "CWebBaseMsg*"), so that the view can pass the pointer through a queued
// signal from the first message on.
class KORVELWEB_EXPORT CWebBaseMsg : public lumo::DMessage
{
public:
    CWebBaseMsg();
    CWebBaseMsg(const CWebBaseMsg &other);
    ~CWebBaseMsg() override;

    QString strMethod;
    QString strParam;
};

} // namespace Web

Q_DECLARE_METATYPE(Web::CWebBaseMsg *)
