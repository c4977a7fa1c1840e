#pragma once

#include "korvelweb_global.h"

#include "lumo/DMessage.h"

#include <QJsonObject>

namespace Web {

// One page call on its way through a CWebMessageQueue: the object the view parsed from the
// page's text. Reference counted: the pusher and the queue each hold a reference, and the
// last release deletes it. Filled on the pushing thread, read on the queue's worker thread.
class KORVELWEB_EXPORT CWebPrivateMessage : public lumo::DMessage
{
public:
    CWebPrivateMessage();
    ~CWebPrivateMessage() override;

    QJsonObject jsonMsg;
};

} // namespace Web
