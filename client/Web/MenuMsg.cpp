#include "MenuMsg.h"

namespace Web {

MenuMsg::MenuMsg() = default;

MenuMsg::~MenuMsg() = default;

} // namespace Web
