// CMappingDialog: what the IED mapping dialog and the Modbus mapper share: two panes side by side in a
// splitter, a status bar, an accelerator table and a layout kept in a profile section.
#pragma once

#include "corvel/controls/dialog_ex.h"
#include "corvel/controls/simple_splitter.h"

class CMappingDialog : public MyCDialogEx {
    DECLARE_DYNAMIC(CMappingDialog)
public:
    // section: the profile section of the layout ("MAP0", "MAP1", "MAPWP" and the column widths).
    CMappingDialog(UINT nIDTemplate, CWnd* pParent, LPCSTR section, UINT splitterId);
    ~CMappingDialog() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    static CRect ClientOf(const CWnd& window);
    // "COL<index>".
    static CString ColumnEntry(int index);

protected:
    // The caption from string titleId, the accelerator table, the status bar and the splitter with its two
    // panes, sized from "MAP0" and "MAP1".
    void CreateLayout(UINT titleId, UINT acceleratorId);
    // Applies the stored window placement and lays the panes' contents out; the layout is saved from then on.
    void FinishLayout();
    // Gives up the layout: nothing is saved when the window goes.
    void DropLayout() { m_layoutReady = false; }
    // Moves the panes' contents over the panes.
    virtual void FitPaneContents() = 0;
    // Writes the column widths into the section.
    virtual void SaveColumnWidths(CWinApp& app) = 0;

    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    LPCSTR m_section;
    UINT m_splitterId;
    HACCEL m_accelerators = nullptr;
    bool m_layoutReady = false;
    CChildWnd m_leftPane;
    CChildWnd m_rightPane;
    CBrush m_leftPaneBrush;
    CBrush m_rightPaneBrush;
    CSimpleSplitter m_splitter;
};
