// ShapeStrip: a tab strip laid out and drawn by its paint manager on whatever DC a test gives it.
#pragma once

#include "framework/gdi.h"
#include "toolkit/themes/tabs/tab_manager.h"
#include "toolkit/themes/tabs/tab_paint_manager.h"

#include <windows.h>

#include <initializer_list>

class ShapeStrip : public CKitTabManager {
public:
    explicit ShapeStrip(CKitTabPaintManager* pPaintManager) : m_pPaintManager(pPaintManager) {}

    void Reposition() override {}
    CKitTabPaintManager* GetPaintManager() const override { return m_pPaintManager; }
    void RedrawControl(const RECT*, BOOL) override {}
    BOOL DrawIcon(CDC*, CPoint, CKitTabManagerItem*, BOOL, CSize&) override { return FALSE; }
    BOOL HasFocus() const override { return m_bFocus; }

    // Items with these captions.
    void AddItems(std::initializer_list<const char*> captions)
    {
        for (const char* caption : captions)
            AddItem(GetItemCount())->SetCaption(caption);
    }
    void SetHot(CKitTabManagerItem* pItem) { m_pHighlighted = pItem; }
    void SetPressed(CKitTabManagerItem* pItem) { m_pPressed = pItem; }

    // Lays the strip out in rc and draws it on pDC.
    void LayOutAndDraw(CDC* pDC, const CRect& rc)
    {
        m_pPaintManager->RepositionTabControl(this, pDC, rc);
        m_pPaintManager->DrawTabControl(this, pDC, rc);
    }

    CKitTabPaintManager* m_pPaintManager;
    BOOL m_bFocus = FALSE;
};

// The paint manager's fonts from Tahoma of 11 pixels, whatever the system's icon-title font.
inline void UseTestFont(CKitTabPaintManager& paintManager)
{
    LOGFONTA lf = {};
    lf.lfHeight = -11;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    paintManager.SetFontIndirect(&lf, FALSE);
}

// A screen DC for measuring, released when it goes.
class ScreenDC : public CDC {
public:
    ScreenDC() { Attach(::GetDC(nullptr)); }
    ~ScreenDC() override { ::ReleaseDC(nullptr, Detach()); }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
};
