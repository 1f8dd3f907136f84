// CKitRibbonScrollableBar: the part of a ribbon bar or ribbon popup that keeps the highlighted group.
#pragma once

class CKitRibbonGroup;

// A second base of the bars that show ribbon groups.
class CKitRibbonScrollableBar {
public:
    virtual ~CKitRibbonScrollableBar() = default;

    // The group under the mouse, drawn highlighted; null when none.
    CKitRibbonGroup* GetHighlightedGroup() const { return m_pHighlightedGroup; }
    void SetHighlightedGroup(CKitRibbonGroup* pGroup) { m_pHighlightedGroup = pGroup; }

protected:
    CKitRibbonScrollableBar() = default;

    CKitRibbonGroup* m_pHighlightedGroup = nullptr;
};
