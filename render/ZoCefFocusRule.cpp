#include "ZoCefFocusRule.h"

namespace ZoCefRender {

bool ZoCefFocusRule::update(bool hasNode, bool nodeEditable)
{
    const bool editable = hasNode && nodeEditable;
    if (editable == m_bLastNodeIsEditable)
        return false;
    m_bLastNodeIsEditable = editable;
    return true;
}

} // namespace ZoCefRender
