// CKitAuxData, GetCurrentWinThread: the toolkit's global data (copied colours, fonts, metrics, cursors and version flags), made once per process, and the framework's thread object.
#pragma once

#include "framework/gdi.h"

#include <windows.h>

#include <functional>

class CWinThread;

// The framework's current thread object, else the application object.
CWinThread* GetCurrentWinThread();

// What many toolkit controls need and should not compute again. The
// controls read the fields directly; the refresh operations may run again when
// the system's settings change.
class CKitAuxData {
public:
    static constexpr int kCopiedColorCount = 40;
    // Slots of the cursors.
    enum CursorSlot { kCursor9308, kCursor9309, kCursor9310, kCursorHand, kCursor9970, kCursor9971, kCursorMove,
                      kCursorCount };

    // A seam in front of the system cursors (LoadCursor of the system).
    using SystemCursorLoader = std::function<HCURSOR(LPCSTR lpszCursor)>;

    // The single object, made and refreshed on first use.
    static CKitAuxData* Instance();

    CKitAuxData();
    virtual ~CKitAuxData();
    CKitAuxData(const CKitAuxData&) = delete;
    CKitAuxData& operator=(const CKitAuxData&) = delete;

    // The colour-manager index each copied colour comes from, in order.
    static const int* GetCopiedColorIndices();

    // Refreshes the colour manager, then copies its 40 colours.
    void RefreshColors();
    void RefreshMetrics();
    // Loads the seven cursors in order; FALSE at the first one missing.
    BOOL LoadCursors();
    // Rebuilds the fonts from the system menu font with the given faces when they are installed.
    BOOL RefreshFonts(LPCSTR lpszFaceName = nullptr, LPCSTR lpszVertFaceName = nullptr);
    // Deletes the font's object and makes one of lf with the overrides (-1 and 255 keep lf's value).
    static BOOL CreateFontFromDescription(const LOGFONTA& lf, CFont& font, LONG nWeight = -1, BYTE bUnderline = 255,
                                          LONG nOrientation = -1, LONG nEscapement = -1);
    void DeleteFonts();

    void SetSystemCursorLoader(SystemCursorLoader loader) { m_systemCursorLoader = std::move(loader); }

    // Copied colours, by the indices of GetCopiedColorIndices.
    COLORREF clrBtnFace;
    COLORREF clrBtnShadow;
    COLORREF clr3DDkShadow;
    COLORREF clrBtnHilite;
    COLORREF clr3DLight;
    COLORREF clrBtnText;
    COLORREF clrGrayedText;
    COLORREF clrHighlight;
    COLORREF clrHighlightText;
    COLORREF clrMenu;
    COLORREF clrMenuText;
    COLORREF clrWindow;
    COLORREF clrWindowFrame;
    COLORREF clrWindowText;
    COLORREF clrActiveCaption;
    COLORREF clrInActiveCaption;
    COLORREF clrGradientActiveCap;
    COLORREF clrGradientInActiveCap;
    COLORREF clrActiveCaptionText;
    COLORREF clrInactiveCaptionText;
    // Toolkit colours 30 to 49.
    COLORREF clrToolkit[20];

    HCURSOR hCursors[kCursorCount];

    int cxSmIcon;
    int cySmIcon;
    int cxSize;
    int cySize;
    int cxHThumb;
    int cyVThumb;
    int cyMenuItem;

    CFont fontNormal;
    CFont fontBold;
    CFont fontUnderline;
    CFont fontVert;
    CFont fontVertBold;
    CFont fontIconTitle;
    CFont fontIconTitleBold;
    CFont fontMarlett;
    CFont fontSmCaption;
    CFont fontStatus;

    BOOL bWin95;
    BOOL bWin98;
    BOOL bWinNT4;
    BOOL bWin2K;
    BOOL bWinXP;
    // Tahoma in place of the menu font when no face is given.
    BOOL bPreferTahoma;
    DWORD nComCtlVersion;

private:
    // The copied colours in the order of GetCopiedColorIndices.
    COLORREF* CopiedColor(int nSlot);
    HCURSOR LoadSystemCursor(LPCSTR lpszCursor) const;

    SystemCursorLoader m_systemCursorLoader;
};
