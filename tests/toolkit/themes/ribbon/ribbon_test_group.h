// CTestGroup: a ribbon group with fixed metrics that measures its controls by their style, for layout tests.
#pragma once

#include "toolkit/commandbars/control.h"
#include "toolkit/themes/ribbon/ribbon_group.h"

// Group caption 17, control rows 22: a group area of 93 holds three rows of buttons.
constexpr int kCaptionHeight = 17;
constexpr int kRowHeight = 22;
constexpr int kAreaHeight = 3 * kRowHeight + kCaptionHeight + 10;
constexpr int kGroupSpacing = 2;
constexpr int kPopupButtonWidth = 45;

// A group measuring its controls by their style: large 40 x 66, icon and caption 60 x 22, icon 22 x 22;
// a control's custom size wins. The caption is as wide as the test says.
class CTestGroup : public CKitRibbonGroup {
public:
    int m_nCaptionWidth = 0;

    KitRibbonGroupMetrics GetLayoutMetrics() const override
    {
        KitRibbonGroupMetrics metrics;
        metrics.nAreaHeight = kAreaHeight;
        metrics.nCaptionHeight = kCaptionHeight;
        metrics.nButtonHeight = kRowHeight;
        metrics.nControlHeight = kRowHeight;
        metrics.nGroupSpacing = kGroupSpacing;
        return metrics;
    }
    CSize MeasureControl(CDC* /*pDC*/, CKitControl* pControl) override
    {
        if (pControl->GetCustomSize() != CSize(0, 0))
            return pControl->GetCustomSize();
        switch (pControl->GetStyle()) {
        case kitButtonIconAndCaptionBelow:
            return CSize(40, 66);
        case kitButtonIcon:
            return CSize(22, 22);
        default:
            return CSize(60, 22);
        }
    }
    int MeasurePopupButton(CDC* /*pDC*/) override { return kPopupButtonWidth; }
    BOOL HasLargeIcon(CKitControl* /*pControl*/) const override { return TRUE; }
    int GetMinimumWidth(CDC* /*pDC*/) override { return m_nCaptionWidth; }
};
