// CKitControlEdit: the command-bar edit field with its spin and buddy buttons.
#pragma once

#include "toolkit/commandbars/control.h"

// Type 6: an edit field after an optional label.
class CKitControlEdit : public CKitControl {
    DECLARE_DYNCREATE(CKitControlEdit)
public:
    // The spin buttons' width at the right of the field.
    static constexpr int kSpinButtonsWidth = 18;

    CKitControlEdit() : CKitControl(kitControlEdit) {}

    // The label before the field: shown when there is a caption, unless the style asks for the icon only.
    BOOL IsCaptionVisible() const override
    {
        return m_bCaptionVisible && !GetCaption().IsEmpty() && GetStyle() != kitButtonIcon;
    }

    // The width the bar gives the field.
    int GetWidth() const { return m_nEditWidth; }
    void SetWidth(int nWidth) override { m_nEditWidth = nWidth; }

    // The field's text as drawn when the control has no edit window.
    const CString& GetEditText() const { return m_strEditText; }
    void SetEditText(LPCSTR lpszText) { m_strEditText = lpszText; }
    // The label's width, laid out by the paint manager.
    int GetLabelWidth() const { return m_nLabelWidth; }
    void SetLabelWidth(int nWidth) { m_nLabelWidth = nWidth; }
    BOOL IsSpinButtonsVisible() const { return m_bSpinButtons; }
    void ShowSpinButtons(BOOL bShow) { m_bSpinButtons = bShow; }
    // The spin buttons at the right of the rectangle, empty when they are not shown.
    CRect GetSpinButtonsRect() const;

private:
    CString m_strEditText;
    int m_nEditWidth = 100;
    int m_nLabelWidth = 0;
    BOOL m_bSpinButtons = FALSE;
};
