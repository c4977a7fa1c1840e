#include "CWebPrivateMessage.h"

namespace Web {

CWebPrivateMessage::CWebPrivateMessage()
    : lumo::DMessage(0)
{ }

CWebPrivateMessage::~CWebPrivateMessage() = default;

} // namespace Web
