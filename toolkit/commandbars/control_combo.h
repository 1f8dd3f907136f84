// CKitControlComboBox: the command-bar combo box with its drop-down list.
#pragma once

#include "toolkit/commandbars/control.h"

// Type 5: a drop-down field after an optional label.
class CKitControlComboBox : public CKitControl {
    DECLARE_DYNCREATE(CKitControlComboBox)
public:
    CKitControlComboBox() : CKitControl(kitControlComboBox) {}

    // The label before the field: shown when there is a caption, unless the style asks for the icon only.
    BOOL IsCaptionVisible() const override
    {
        return m_bCaptionVisible && !GetCaption().IsEmpty() && GetStyle() != kitButtonIcon;
    }

    int GetWidth() const { return m_nEditWidth; }
    void SetWidth(int nWidth) override { m_nEditWidth = nWidth; }

    const CString& GetEditText() const { return m_strEditText; }
    void SetEditText(LPCSTR lpszText) { m_strEditText = lpszText; }
    int GetLabelWidth() const { return m_nLabelWidth; }
    void SetLabelWidth(int nWidth) { m_nLabelWidth = nWidth; }
    // The drop-down button's width, laid out by the paint manager.
    int GetDropDownWidth() const { return m_nDropDownWidth; }
    void SetDropDownWidth(int nWidth) { m_nDropDownWidth = nWidth; }
    // Whether its list is dropped down.
    BOOL GetDroppedState() const { return m_bDropped; }
    void SetDroppedState(BOOL bDropped) { m_bDropped = bDropped; }

private:
    CString m_strEditText;
    int m_nEditWidth = 100;
    int m_nLabelWidth = 0;
    int m_nDropDownWidth = 15;
    BOOL m_bDropped = FALSE;
};
