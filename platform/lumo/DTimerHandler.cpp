#include "DTimerHandler.h"

namespace lumo {

DTimerHandler::~DTimerHandler() = default;

} // namespace lumo
