// CKitToolTipContext::CStandardToolTip, CLunaToolTip, CRichEditToolTip, CMarkupToolTip: the tooltip windows of the context's styles.
#pragma once

#include "framework/listctrl.h"
#include "toolkit/common/rich_render.h"
#include "toolkit/common/tooltip_context.h"

class CKitMarkupContext;
class CKitMarkupUIElement;

// The system tooltip control (styles 0 and 1).
class CKitToolTipContext::CStandardToolTip : public CToolTipCtrl {
public:
    CStandardToolTip() = default;

protected:
    // Answers TTM_WINDOWFROMPOINT with the window the tool stands for.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A gradient background after the system's visual style.
class CKitToolTipContext::CLunaToolTip : public CKitToolTipContextToolTip {
public:
    explicit CLunaToolTip(CKitToolTipContext* pContext) : CKitToolTipContextToolTip(pContext) {}
    void DrawBackground(CDC* pDC, CRect rc) override;
};

// The tip text is rich text (RTF) or plain text drawn by the windowless rich edit.
class CKitToolTipContext::CRichEditToolTip : public CKitToolTipContextToolTip {
public:
    explicit CRichEditToolTip(CKitToolTipContext* pContext) : CKitToolTipContextToolTip(pContext) {}
    CSize CalcSize(CDC* pDC, TOOLITEM* pTool) override;
    void DrawContent(CDC* pDC, TOOLITEM* pTool, CRect rc) override;

private:
    CKitRichRender m_render;
};

// The tip text is markup; text that does not parse is shown as plain text.
class CKitToolTipContext::CMarkupToolTip : public CKitToolTipContextToolTip {
public:
    explicit CMarkupToolTip(CKitToolTipContext* pContext);
    ~CMarkupToolTip() override;
    CSize CalcSize(CDC* pDC, TOOLITEM* pTool) override;
    void DrawContent(CDC* pDC, TOOLITEM* pTool, CRect rc) override;

private:
    CKitMarkupContext* m_pMarkupContext;
    CKitMarkupUIElement* m_pElement;
};
