// CKitRibbonControlSystemButton: the ribbon's application button in the tabs row or on the frame's corner.
#pragma once

#include "toolkit/commandbars/control.h"

// Without a button style it is the round application button; with one a plain button of at least 56 x 23.
class CKitRibbonControlSystemButton : public CKitControlPopup {
    DECLARE_DYNCREATE(CKitRibbonControlSystemButton)
public:
    static constexpr int kMinStyledWidth = 56;
    static constexpr int kMinStyledHeight = 23;
    // The system menu overlaps the button by this much when it opens below a caption band.
    static constexpr int kPopupOverlap = 18;

    CKitRibbonControlSystemButton();

    BOOL GetCloseOnDoubleClick() const { return m_bCloseOnDoubleClick; }
    void SetCloseOnDoubleClick(BOOL bClose) { m_bCloseOnDoubleClick = bClose; }

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    // Closes the menus; the unstyled button of a top-level site closes the site, else the button runs.
    void OnLButtonDblClk(CPoint pt) override;
    void AdjustExcludeRect(CRect& rc, BOOL bVertical) override;
    // A backstage view as the sub-bar opens over the site and closes again; any other bar pops up as usual.
    BOOL SetPopup(BOOL bPopup) override;
    void Copy(const CKitControl* pSource, BOOL bRecursive) override;

protected:
    BOOL m_bCloseOnDoubleClick = TRUE;
};
