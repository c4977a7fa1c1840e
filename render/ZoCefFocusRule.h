#pragma once

namespace ZoCefRender {

// Decides when a focus change is reported to the browser side: only when the editable state
// of the newly focused node differs from the last state reported. The state starts false
// (nothing editable focused) and lives as long as the object. Not thread-safe: one owner.
class ZoCefFocusRule
{
public:
    // hasNode false (focus on no node) counts as not editable. Returns true when the change
    // is to be reported; the new state is then the last one.
    bool update(bool hasNode, bool nodeEditable);
    bool lastEditable() const { return m_bLastNodeIsEditable; }

private:
    bool m_bLastNodeIsEditable = false;
};

} // namespace ZoCefRender
