// CTestPaintManager: a paint manager whose theme drawing does nothing and whose system fonts the test gives.
#pragma once

#include "toolkit/themes/paint/paint_manager.h"

#include <cstring>

class CTestPaintManager : public CKitPaintManager {
public:
    // Counts the destroyed test paint managers.
    static int& DestroyedCount()
    {
        static int s_nDestroyed = 0;
        return s_nDestroyed;
    }
    ~CTestPaintManager() override { DestroyedCount()++; }

    // The menu font the next UpdateFonts reads (height 0 keeps the system's).
    LONG m_nMenuFontHeight = 0;
    const char* m_pszMenuFace = nullptr;
    // The caption font height the next read gives (0 keeps the system's).
    LONG m_nCaptionFontHeight = 0;

    void DrawSplitButtonFrame(CDC*, CKitControl*, CRect) override {}
    CSize DrawListBoxControl(CDC*, CKitControl*, CRect, BOOL, BOOL, CKitCommandBarManager*) override
    {
        return CSize(0, 0);
    }
    void FillCommandBarEntry(CDC*, CKitCommandBar*) override {}
    COLORREF GetControlStateTextColor(BOOL, BOOL, BOOL, BOOL, BOOL, int, int) override { return 0; }
    void DrawRectangle(CDC*, CRect, BOOL, BOOL, BOOL, BOOL, BOOL, int, int) override {}
    CSize DrawCommandBarSeparator(CDC*, CKitCommandBar*, CKitControl*, BOOL) override { return CSize(0, 0); }
    void AdjustControlRect(CRect&, CKitControl*, BOOL) override {}
    CSize DrawTearOffGripper(CDC*, CRect, BOOL, BOOL) override { return CSize(0, 0); }
    void DrawPopupResizeGripper(CDC*, CRect, int) override {}
    void DrawControlImage(CDC*, CPoint, CSize, CKitImageManagerIcon*, BOOL, BOOL, BOOL, BOOL, BOOL, BOOL) override {}
    CSize DrawCommandBarGripper(CDC*, CKitCommandBar*, BOOL) override { return CSize(0, 0); }
    int GetCurrentTheme() const override { return 0; }

    // The regular command-bar font's description.
    LOGFONTA RegularLogFont()
    {
        LOGFONTA lf = {};
        GetRegularFont()->GetLogFont(&lf);
        return lf;
    }
    void SetTextHeight(int nHeight) { m_nTextHeight = nHeight; }

protected:
    void ReadNonClientMetrics(NONCLIENTMETRICSA& ncm) override
    {
        CKitPaintManager::ReadNonClientMetrics(ncm);
        if (m_nMenuFontHeight != 0)
            ncm.lfMenuFont.lfHeight = m_nMenuFontHeight;
        if (m_pszMenuFace != nullptr)
            lstrcpynA(ncm.lfMenuFont.lfFaceName, m_pszMenuFace, LF_FACESIZE);
        if (m_nCaptionFontHeight != 0)
            ncm.lfCaptionFont.lfHeight = m_nCaptionFontHeight;
    }
};
