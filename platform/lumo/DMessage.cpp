#include "DMessage.h"

namespace lumo {

DMessage::~DMessage() = default;

} // namespace lumo
