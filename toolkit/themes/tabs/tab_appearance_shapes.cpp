#include "toolkit/themes/tabs/tab_appearance_shapes.h"

#include "framework/gdi.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/resource_images.h"
#include "toolkit/themes/tabs/tab_appearance_sets.h"
#include "toolkit/themes/tabs/tab_color_sets.h"
#include "toolkit/themes/tabs/tab_manager.h"

#include <vector>

namespace {

constexpr COLORREF kNone = CKitPaintManagerColor::kNone;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kTransparentKey = RGB(255, 0, 255);
// Colour-manager index of the Visio bar's gripper dashes.
constexpr int kGripperColor = 38;

BOOL HasResourceImages()
{
    return CKitResourceImages::Instance()->IsValid();
}

// A 32-bit top-down pixel block selected into its own memory DC.
class PixelBlock {
public:
    PixelBlock(HDC hReference, int nWidth, int nHeight) : m_nWidth(nWidth), m_nHeight(nHeight)
    {
        LPBYTE pBits = nullptr;
        m_bitmap.Attach(CKitImageManager::Create32BitDIBSection(hReference, nWidth, -nHeight, &pBits));
        m_pBits = reinterpret_cast<DWORD*>(pBits);
        dc.Attach(::CreateCompatibleDC(hReference));
        m_hOld = ::SelectObject(dc, m_bitmap.GetSafeHandle());
    }
    ~PixelBlock() { ::SelectObject(dc, m_hOld); }
    PixelBlock(const PixelBlock&) = delete;
    PixelBlock& operator=(const PixelBlock&) = delete;

    BOOL IsValid() const { return m_pBits != nullptr; }
    DWORD& At(int x, int y) { return m_pBits[y * m_nWidth + x]; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    CDC dc;

private:
    int m_nWidth;
    int m_nHeight;
    CBitmap m_bitmap;
    DWORD* m_pBits = nullptr;
    HGDIOBJ m_hOld = nullptr;
};

// Copies src into dst turned so that a button drawn as for a top strip faces nPosition
// (bOut), or the other way (bOut FALSE).
void TurnPixels(PixelBlock& src, PixelBlock& dst, int nPosition, BOOL bOut)
{
    ::GdiFlush();
    const int w = src.Width();
    const int h = src.Height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int dx = x;
            int dy = y;
            switch (nPosition) {
            case CKitTabPaintManager::kBottom: dy = h - 1 - y; break;
            case CKitTabPaintManager::kLeft: dx = y; dy = x; break;
            case CKitTabPaintManager::kRight:
                if (bOut) {
                    dx = h - 1 - y;
                    dy = x;
                } else {
                    dx = y;
                    dy = w - 1 - x;
                }
                break;
            default: break;
            }
            dst.At(dx, dy) = src.At(x, y);
        }
    }
}

CKitTabManager* ManagerOf(CKitTabManagerItem* pItem)
{
    return pItem->GetTabManager();
}

// Steps after the first point become absolute points.
std::vector<POINT> ToAbsolute(const POINT* pPoints, int nCount)
{
    std::vector<POINT> points(pPoints, pPoints + nCount);
    for (int i = 1; i < nCount; ++i) {
        points[i].x += points[i - 1].x;
        points[i].y += points[i - 1].y;
    }
    return points;
}

void Line(CDC* pDC, COLORREF clr, int x1, int y1, int x2, int y2)
{
    const POINT points[2] = {{x1, y1}, {x2 - x1, y2 - y1}};
    CKitTabShapes::Polyline(pDC, clr, points, 2);
}

void HLine(CDC* pDC, int x, int y, int nLength, COLORREF clr)
{
    if (clr != kNone && nLength > 0)
        pDC->FillSolidRect(x, y, nLength, 1, clr);
}

void VLine(CDC* pDC, int x, int y, int nLength, COLORREF clr)
{
    if (clr != kNone && nLength > 0)
        pDC->FillSolidRect(x, y, 1, nLength, clr);
}

void Pixel(CDC* pDC, int x, int y, COLORREF clr)
{
    if (clr != kNone)
        pDC->SetPixel(x, y, clr);
}

}  // namespace

// ---- shared routines --------------------------------------------------------

COLORREF CKitTabShapes::FillPolygon(CDC* pDC, CKitTabPaintManagerColorSet* pColorSet, CKitTabManagerItem* pItem,
                                    const POINT* pPoints, int nCount, BOOL bAbsolute)
{
    const std::vector<POINT> points = bAbsolute ? std::vector<POINT>(pPoints, pPoints + nCount)
                                                : ToAbsolute(pPoints, nCount);
    CRect rcClip;
    pDC->GetClipBox(&rcClip);
    CRgn rgnSaved;
    rgnSaved.CreateRectRgnIndirect(rcClip);
    CRgn rgnPolygon;
    rgnPolygon.CreatePolygonRgn(points.data(), nCount, ALTERNATE);
    CRect rcBox;
    ::GetRgnBox(static_cast<HRGN>(rgnPolygon.GetSafeHandle()), &rcBox);
    ::ExtSelectClipRgn(*pDC, static_cast<HRGN>(rgnPolygon.GetSafeHandle()), RGN_AND);

    COLORREF clrFill = kNone;
    if (!rcBox.IsRectEmpty()) {
        CDC dcBuffer;
        dcBuffer.Attach(::CreateCompatibleDC(*pDC));
        CBitmap bitmap;
        bitmap.Attach(::CreateCompatibleBitmap(*pDC, rcBox.Width(), rcBox.Height()));
        HGDIOBJ hOld = ::SelectObject(dcBuffer, bitmap.GetSafeHandle());
        clrFill = pColorSet->FillPropertyButton(&dcBuffer, CRect(0, 0, rcBox.Width(), rcBox.Height()), pItem);
        pDC->BitBlt(rcBox.left, rcBox.top, rcBox.Width(), rcBox.Height(), &dcBuffer, 0, 0, SRCCOPY);
        ::SelectObject(dcBuffer, hOld);
    }
    pDC->SelectClipRgn(&rgnSaved);
    return clrFill;
}

void CKitTabShapes::Polyline(CDC* pDC, COLORREF clr, const POINT* pPoints, int nCount)
{
    if (clr == kNone || nCount < 2)
        return;
    CPen pen;
    pen.Attach(::CreatePen(PS_SOLID, 1, clr));
    CPen* pOldPen = pDC->SelectObject(&pen);
    CPoint pt = pPoints[0];
    pDC->MoveTo(pt);
    for (int i = 1; i < nCount; ++i) {
        pt.Offset(pPoints[i].x, pPoints[i].y);
        pDC->LineTo(pt);
    }
    pDC->SelectObject(pOldPen);
}

void CKitTabShapes::SideLine(CDC* pDC, const CRect& rc, int nSide, COLORREF clr1, COLORREF clr2)
{
    switch (nSide) {
    case CKitTabPaintManager::kTop: HLine(pDC, rc.left, rc.top, rc.Width(), clr1); break;
    case CKitTabPaintManager::kLeft: VLine(pDC, rc.left, rc.top, rc.Height(), clr1); break;
    case CKitTabPaintManager::kBottom: HLine(pDC, rc.left, rc.bottom - 1, rc.Width(), clr2); break;
    case CKitTabPaintManager::kRight: VLine(pDC, rc.right - 1, rc.top, rc.Height(), clr2); break;
    default: break;
    }
}

void CKitTabShapes::Frame(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    HLine(pDC, rc.left, rc.top, rc.Width() - 1, clrTopLeft);
    VLine(pDC, rc.left, rc.top, rc.Height() - 1, clrTopLeft);
    HLine(pDC, rc.left, rc.bottom - 1, rc.Width(), clrBottomRight);
    VLine(pDC, rc.right - 1, rc.top, rc.Height(), clrBottomRight);
}

void CKitTabShapes::BlendPixel(CDC* pDC, int x, int y, COLORREF clr, int nWeight)
{
    if (clr == kNone)
        return;
    const COLORREF clrOld = pDC->GetPixel(x, y);
    if (clrOld == CLR_INVALID)
        return;
    pDC->SetPixel(x, y, CKitDrawHelpers::BlendColors(clr, clrOld, nWeight / 255.0));
}

void CKitTabShapes::AntiAliasCorners(CDC* pDC, const CRect& rc, COLORREF clrBackground, COLORREF clrBorder,
                                     int nPosition)
{
    const int l = rc.left;
    const int t = rc.top;
    const int r = rc.right;
    const int b = rc.bottom;
    struct Corner {
        POINT background[2];
        POINT border[1];
        POINT edge[2];
    };
    Corner corners[2];
    switch (nPosition) {
    case CKitTabPaintManager::kLeft:
        corners[0] = {{{l, t + 1}, {l + 1, t}}, {{l + 1, t + 1}}, {{l + 2, t + 1}, {l + 1, t + 2}}};
        corners[1] = {{{l, b - 2}, {l + 1, b - 1}}, {{l + 1, b - 2}}, {{l + 2, b - 2}, {l + 1, b - 3}}};
        break;
    case CKitTabPaintManager::kBottom:
        corners[0] = {{{l, b - 2}, {l + 1, b - 1}}, {{l + 1, b - 2}}, {{l + 2, b - 2}, {l + 1, b - 3}}};
        corners[1] = {{{r - 1, b - 2}, {r - 2, b - 1}}, {{r - 2, b - 2}}, {{r - 3, b - 2}, {r - 2, b - 3}}};
        break;
    case CKitTabPaintManager::kRight:
        corners[0] = {{{r - 1, t + 1}, {r - 2, t}}, {{r - 2, t + 1}}, {{r - 3, t + 1}, {r - 2, t + 2}}};
        corners[1] = {{{r - 1, b - 2}, {r - 2, b - 1}}, {{r - 2, b - 2}}, {{r - 3, b - 2}, {r - 2, b - 3}}};
        break;
    default:
        corners[0] = {{{l, t + 1}, {l + 1, t}}, {{l + 1, t + 1}}, {{l + 2, t + 1}, {l + 1, t + 2}}};
        corners[1] = {{{r - 2, t}, {r - 1, t + 1}}, {{r - 2, t + 1}}, {{r - 3, t + 1}, {r - 2, t + 2}}};
        break;
    }
    for (const Corner& corner : corners) {
        for (const POINT& pt : corner.background)
            BlendPixel(pDC, pt.x, pt.y, clrBackground, 120);
        BlendPixel(pDC, corner.border[0].x, corner.border[0].y, clrBorder, 180);
        for (const POINT& pt : corner.edge)
            BlendPixel(pDC, pt.x, pt.y, clrBorder, 60);
    }
}

// ---- header and page --------------------------------------------------------

namespace {

// The header filled by the colour set (or in clrHeader when given) and the page framed in
// one colour: all round for a full frame, one line on the header side for a single line.
CRect FillHeaderAndFramePage(CKitTabPaintManagerAppearanceSet* pSet, CKitTabManager* pManager, CDC* pDC,
                             CRect rcControl, COLORREF clrFrame, BOOL bFillSingleLinePage,
                             COLORREF clrHeader = kNone)
{
    CKitTabPaintManager* pPaintManager = pSet->m_pPaintManager;
    CKitTabPaintManagerColorSet* pColorSet = pPaintManager->GetColorSet();
    const CRect rcHeader = pSet->GetHeaderRect(rcControl, pManager);
    if (clrHeader != kNone)
        pDC->FillSolidRect(rcHeader, clrHeader);
    else
        pColorSet->FillHeader(pDC, rcHeader, pManager);
    const CRect rcClient = pSet->GetClientRect(rcControl, pManager);
    switch (pPaintManager->m_nClientFrame) {
    case CKitTabPaintManager::kClientFrameFull:
        pColorSet->FillClient(pDC, rcClient, pManager);
        CKitTabShapes::Frame(pDC, rcClient, clrFrame, clrFrame);
        break;
    case CKitTabPaintManager::kClientFrameSingleLine:
        if (bFillSingleLinePage)
            pColorSet->FillClient(pDC, rcClient, pManager);
        CKitTabShapes::SideLine(pDC, rcClient, pManager->GetPosition(), clrFrame, clrFrame);
        break;
    default:
        break;
    }
    return rcHeader;
}

}  // namespace

CRect CKitTabPaintManager::CAppearanceSetPropertyPage::FillTabControl(CKitTabManager* pManager, CDC* pDC,
                                                                      CRect rcControl)
{
    CKitTabPaintManagerColorSet* pColorSet = m_pPaintManager->GetColorSet();
    const int nPosition = pManager->GetPosition();
    CRect rcHeader = GetHeaderRect(rcControl, pManager);
    InflateRectEx(rcHeader, CRect(0, 0, 0, 1), nPosition);
    pColorSet->FillHeader(pDC, rcHeader, pManager);
    const CRect rc = GetClientRect(rcControl, pManager);
    const COLORREF clrHighlight = pColorSet->m_clr3DHighlight;
    const COLORREF clrShadow = pColorSet->m_clr3DShadow;
    const COLORREF clrDarkShadow = pColorSet->m_clr3DDarkShadow;
    if (m_pPaintManager->m_nClientFrame == kClientFrameFull) {
        pColorSet->FillClient(pDC, rc, pManager);
        if (clrHighlight != kNone && clrDarkShadow != kNone)
            pDC->Draw3dRect(rc, clrHighlight, clrDarkShadow);
        HLine(pDC, rc.left + 1, rc.bottom - 2, rc.Width() - 2, clrShadow);
        VLine(pDC, rc.right - 2, rc.top + 1, rc.Height() - 2, clrShadow);
    } else if (m_pPaintManager->m_nClientFrame == kClientFrameSingleLine) {
        switch (nPosition) {
        case kTop: HLine(pDC, rc.left, rc.top, rc.Width(), clrHighlight); break;
        case kLeft: VLine(pDC, rc.left, rc.top, rc.Height(), clrHighlight); break;
        case kBottom:
            HLine(pDC, rc.left, rc.bottom - 1, rc.Width(), clrDarkShadow);
            HLine(pDC, rc.left, rc.bottom - 2, rc.Width(), clrShadow);
            break;
        default:
            VLine(pDC, rc.right - 1, rc.top, rc.Height(), clrDarkShadow);
            VLine(pDC, rc.right - 2, rc.top, rc.Height(), clrShadow);
            break;
        }
    }
    return rcHeader;
}

CRect CKitTabPaintManager::CAppearanceSetPropertyPage2003::FillTabControl(CKitTabManager* pManager, CDC* pDC,
                                                                          CRect rcControl)
{
    const COLORREF clrFrame = m_pPaintManager->GetColorSet()->m_clrSelectedButtonBorder;
    return FillHeaderAndFramePage(this, pManager, pDC, rcControl, clrFrame, FALSE);
}

CRect CKitTabPaintManager::CAppearanceSetFlat::FillTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcControl)
{
    const COLORREF clrFrame = m_pPaintManager->GetColorSet()->m_clrFrameBorder;
    return FillHeaderAndFramePage(this, pManager, pDC, rcControl, clrFrame, TRUE);
}

CRect CKitTabPaintManager::CAppearanceSetVisualStudio::FillTabControl(CKitTabManager* pManager, CDC* pDC,
                                                                      CRect rcControl)
{
    CKitTabPaintManagerColorSet* pColorSet = m_pPaintManager->GetColorSet();
    const CRect rcHeader = GetHeaderRect(rcControl, pManager);
    pColorSet->FillHeader(pDC, rcHeader, pManager);
    const CRect rcClient = GetClientRect(rcControl, pManager);
    const COLORREF clrLight = pColorSet->m_clrLightEdge;
    const COLORREF clrDark = pColorSet->m_clrSelectedText;
    if (m_pPaintManager->m_nClientFrame == kClientFrameFull) {
        pColorSet->FillClient(pDC, rcClient, pManager);
        CKitTabShapes::Frame(pDC, rcClient, clrLight, clrDark);
    } else if (m_pPaintManager->m_nClientFrame == kClientFrameSingleLine) {
        CKitTabShapes::SideLine(pDC, rcClient, pManager->GetPosition(), clrLight, clrDark);
    }
    return rcHeader;
}

CRect CKitTabPaintManager::CAppearanceSetStateButtons::FillTabControl(CKitTabManager* pManager, CDC* /*pDC*/,
                                                                      CRect rcControl)
{
    return GetHeaderRect(rcControl, pManager);
}

CRect CKitTabPaintManager::CAppearanceSetPropertyPage2007::FillTabControl(CKitTabManager* pManager, CDC* pDC,
                                                                          CRect rcControl)
{
    if (!HasResourceImages())
        return CRect(0, 0, 0, 0);
    CKitTabPaintManagerColorSet* pColorSet = m_pPaintManager->GetColorSet();
    const CRect rcHeader = GetHeaderRect(rcControl, pManager);
    pDC->FillSolidRect(rcHeader, pColorSet->m_grcHeaderFace.clrLight);
    const CRect rcClient = GetClientRect(rcControl, pManager);
    if (m_pPaintManager->m_nClientFrame == kClientFrameFull) {
        CKitResourceImages* pImages = CKitResourceImages::Instance();
        CKitResourceImage* pImage = pImages->LoadImage("TABCONTROLPAGE");
        if (!pImage)
            pImage = pImages->LoadImage("RIBBONGROUPS");
        if (pImage)
            pImage->DrawImage(pDC, rcClient, pImage->GetSource(0, 1), CRect(8, 8, 8, 8));
    } else if (m_pPaintManager->m_nClientFrame == kClientFrameSingleLine) {
        CKitTabShapes::SideLine(pDC, rcClient, pManager->GetPosition(), pColorSet->m_clr3DShadow,
                                pColorSet->m_clr3DShadow);
    }
    return rcHeader;
}

CRect CKitTabPaintManager::CAppearanceSetPropertyPageAccess2007::FillTabControl(CKitTabManager* pManager, CDC* pDC,
                                                                                CRect rcControl)
{
    if (!HasResourceImages())
        return CRect(0, 0, 0, 0);
    CKitTabPaintManagerColorSet* pColorSet = m_pPaintManager->GetColorSet();
    return FillHeaderAndFramePage(this, pManager, pDC, rcControl, pColorSet->m_clrFrameBorder, TRUE,
                                  pColorSet->m_grcHeaderFace.clrLight);
}

// ---- buttons ----------------------------------------------------------------

void CKitTabPaintManager::CAppearanceSetPropertyPage::DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem)
{
    CKitTabManager* pManager = ManagerOf(pItem);
    CKitTabPaintManagerColorSet* pColorSet = m_pPaintManager->GetColorSet();
    const int nPosition = pManager->GetPosition();
    const BOOL bSelected = pItem == pManager->GetSelectedItem();
    CRect rc = pItem->GetRect();
    if (bSelected) {
        switch (nPosition) {
        case kTop: rc.left -= 2; rc.top -= 2; rc.right += 2; break;
        case kLeft: rc.left -= 2; rc.top -= 2; rc.bottom += 2; break;
        default: rc.InflateRect(2, 2); break;
        }
    }
    CRect rcFill = rc;
    rcFill.DeflateRect(1, 1);
    const COLORREF clrFill = pColorSet->FillPropertyButton(pDC, rcFill, pItem);

    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom, W = rc.Width(), H = rc.Height();
    const COLORREF clrHighlight = pColorSet->m_clr3DHighlight;
    const COLORREF clrDark = pColorSet->m_clr3DDarkShadow;
    const COLORREF clrShadow = pColorSet->m_clr3DShadow;
    const COLORREF clrJoin = bSelected && pItem->GetRow() == 0 ? clrFill : kNone;
    switch (nPosition) {
    case kTop:
        VLine(pDC, L, T + 2, H - 2, clrHighlight);
        Pixel(pDC, L + 1, T + 1, clrHighlight);
        HLine(pDC, L + 2, T, W - 4, clrHighlight);
        Pixel(pDC, R - 2, T + 1, clrDark);
        VLine(pDC, R - 1, T + 2, H - 3, clrDark);
        VLine(pDC, R - 2, T + 2, H - 3, clrShadow);
        HLine(pDC, L + 1, B - 1, W - 3, clrJoin);
        break;
    case kLeft:
        HLine(pDC, L + 2, T, W - 2, clrHighlight);
        Pixel(pDC, L + 1, T + 1, clrHighlight);
        VLine(pDC, L, T + 2, H - 4, clrHighlight);
        HLine(pDC, L + 2, B - 1, W - 3, clrDark);
        Pixel(pDC, L + 2, B - 2, clrDark);
        HLine(pDC, L + 1, B - 2, W - 2, clrShadow);
        Pixel(pDC, L + 2, B - 1, clrShadow);
        VLine(pDC, R - 1, T + 1, H - 3, clrJoin);
        break;
    case kBottom:
        VLine(pDC, L, T + 1, H - 2, clrHighlight);
        Pixel(pDC, L + 1, B - 1, clrHighlight);
        HLine(pDC, L + 2, B, W - 4, clrDark);
        Pixel(pDC, R - 2, B - 1, clrDark);
        VLine(pDC, R - 1, T + 1, H - 2, clrDark);
        HLine(pDC, L + 2, B - 1, W - 4, clrShadow);
        VLine(pDC, R - 2, T + 1, H - 2, clrShadow);
        HLine(pDC, L + 1, T + 1, W - 1, clrJoin);
        break;
    default:
        HLine(pDC, L + 1, T, W - 2, clrHighlight);
        Pixel(pDC, R - 1, T + 1, clrHighlight);
        VLine(pDC, R, T + 2, H - 4, clrDark);
        Pixel(pDC, R - 1, B - 2, clrDark);
        HLine(pDC, L + 1, B - 1, W - 2, clrDark);
        VLine(pDC, R - 1, T + 2, H - 4, clrShadow);
        HLine(pDC, L + 1, B - 2, W - 2, clrShadow);
        VLine(pDC, L + 1, T + 1, H - 1, clrJoin);
        break;
    }
    if (bSelected && nPosition == kBottom)
        rc.bottom += 2;
    if (bSelected && nPosition == kRight)
        rc.right += 2;
    m_pPaintManager->DrawItemIconAndCaption(pDC, pItem, rc, TRUE);
}

void CKitTabPaintManager::CAppearanceSetPropertyPageSelected::DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem)
{
    CKitTabManager* pManager = ManagerOf(pItem);
    if (pItem == pManager->GetSelectedItem() || pItem == pManager->GetHotItem())
        CAppearanceSetPropertyPage::DrawSingleButton(pDC, pItem);
    else
        m_pPaintManager->DrawItemIconAndCaption(pDC, pItem, pItem->GetRect(), TRUE);
}

void CKitTabPaintManager::CAppearanceSetPropertyPage2003::DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem)
{
    CKitTabManager* pManager = ManagerOf(pItem);
    CKitTabPaintManagerColorSet* pColorSet = m_pPaintManager->GetColorSet();
    const BOOL bSelected = pItem == pManager->GetSelectedItem();
    COLORREF clrBorder = pColorSet->m_clrButtonBorder;
    COLORREF clrLight = pColorSet->m_clrButtonInnerLight;
    COLORREF clrShade = pColorSet->m_clrButtonInnerShade;
    if (bSelected) {
        clrBorder = pColorSet->m_clrSelectedButtonBorder;
        clrLight = clrShade = kWhite;
    }
    if (m_bHotBorder && pItem == pManager->GetHotItem())
        clrBorder = clrLight = clrShade = pColorSet->GetHotButtonBorder();

    const CRect rc = pItem->GetRect();
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom, W = rc.Width(), H = rc.Height();
    COLORREF clrFill = kNone;
    switch (pManager->GetPosition()) {
    case kTop: {
        const POINT fill[] = {{R - 1, B - 1}, {0, -(H - 3)}, {-(W - 5), 0}, {-(H - 4), H - 4}};
        const POINT outline[] = {{R, B - 2}, {0, -(H - 4)}, {-2, -2}, {-(W - 9), 0}, {-5, 2}, {-(H - 4), H - 4}, {-2, 0}};
        const POINT light[] = {{R - 1, B - 2}, {0, -(H - 4)}, {-2, -2}};
        const POINT shade[] = {{R - 3, T + 1}, {-(W - 9), 0}, {-5, 3}, {-(H - 5), H - 5}};
        clrFill = CKitTabShapes::FillPolygon(pDC, pColorSet, pItem, fill, 4);
        CKitTabShapes::Polyline(pDC, clrBorder, outline, 7);
        CKitTabShapes::Polyline(pDC, clrLight, light, 3);
        CKitTabShapes::Polyline(pDC, clrShade, shade, 4);
        // On the page's top line (B - 1), as the other strips join theirs.
        if (bSelected && pItem->GetRow() == 0)
            HLine(pDC, L + 4 - H, B - 1, W + H - 3, clrFill);
        break;
    }
    case kBottom: {
        const POINT fill[] = {{R - 1, T}, {0, H - 1}, {-(W - 5), 0}, {-(H - 3), -(H - 2)}};
        const POINT outline[] = {{R, T + 1}, {0, H - 3}, {-2, 2}, {-(W - 9), 0}, {-5, -2}, {-(H - 3), -(H - 3)}, {-2, 0}};
        const POINT light[] = {{R - 1, T + 1}, {0, H - 3}, {-2, 2}};
        const POINT shade[] = {{R - 3, B - 1}, {-(W - 9), 0}, {-5, -3}, {-(H - 4), -(H - 4)}};
        clrFill = CKitTabShapes::FillPolygon(pDC, pColorSet, pItem, fill, 4);
        CKitTabShapes::Polyline(pDC, clrBorder, outline, 7);
        CKitTabShapes::Polyline(pDC, clrLight, light, 3);
        CKitTabShapes::Polyline(pDC, clrShade, shade, 4);
        if (bSelected && pItem->GetRow() == 0)
            HLine(pDC, L + 4 - H, T, W + H - 3, clrFill);
        break;
    }
    case kLeft: {
        const POINT fill[] = {{R - 1, B - 1}, {-(W - 3), 0}, {0, -(H - 5)}, {W - 3, -(W - 3)}};
        const POINT outline[] = {{R - 2, B}, {-(W - 4), 0}, {-2, -2}, {0, -(H - 9)}, {2, -5}, {W - 4, -(W - 4)}, {0, -2}};
        const POINT light[] = {{R - 2, B - 1}, {-(W - 4), 0}, {-2, -2}};
        const POINT shade[] = {{L + 1, B - 3}, {0, -(H - 9)}, {3, -5}, {W - 5, -(W - 5)}};
        clrFill = CKitTabShapes::FillPolygon(pDC, pColorSet, pItem, fill, 4);
        CKitTabShapes::Polyline(pDC, clrBorder, outline, 7);
        CKitTabShapes::Polyline(pDC, clrLight, light, 3);
        CKitTabShapes::Polyline(pDC, clrShade, shade, 4);
        if (bSelected && pItem->GetRow() == 0)
            VLine(pDC, R - 1, T + 5 - W, W + H - 4, clrFill);
        break;
    }
    default: {
        const POINT fill[] = {{L + 1, B - 1}, {W - 2, 0}, {0, -(H - 5)}, {-(W - 2), -(W - 2)}};
        const POINT outline[] = {{L + 1, B}, {W - 3, 0}, {2, -2}, {0, -(H - 9)}, {-2, -5}, {-(W - 3), -(W - 3)}, {0, -2}};
        const POINT light[] = {{L + 1, B - 1}, {W - 3, 0}, {2, -2}};
        const POINT shade[] = {{R - 1, B - 3}, {0, -(H - 9)}, {-3, -5}, {-(W - 4), -(W - 4)}};
        clrFill = CKitTabShapes::FillPolygon(pDC, pColorSet, pItem, fill, 4);
        CKitTabShapes::Polyline(pDC, clrBorder, outline, 7);
        CKitTabShapes::Polyline(pDC, clrLight, light, 3);
        CKitTabShapes::Polyline(pDC, clrShade, shade, 4);
        if (bSelected && pItem->GetRow() == 0)
            VLine(pDC, L, T + 4 - W, W + H - 3, clrFill);
        break;
    }
    }
    // The caption stays clear of the part that the next tab's slant covers when that tab lies on top.
    CRect rcCaption = rc;
    const int nOverlap = GetSlantOverlap(pManager);
    if (pManager->IsHorizontalPosition())
        rcCaption.right -= nOverlap;
    else
        rcCaption.bottom -= nOverlap;
    m_pPaintManager->DrawItemIconAndCaption(pDC, pItem, rcCaption, TRUE);
}

void CKitTabPaintManager::CAppearanceSetVisualStudio2005::DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem)
{
    CKitTabManager* pManager = ManagerOf(pItem);
    CKitTabPaintManagerColorSet* pColorSet = m_pPaintManager->GetColorSet();
    const BOOL bSelected = pItem == pManager->GetSelectedItem();
    const COLORREF clrBorder = bSelected ? pColorSet->m_clrSelectedButtonBorder : pColorSet->m_clrButtonBorder;
    const COLORREF clrLight = bSelected ? kWhite : pColorSet->m_clrButtonInnerLight;
    const COLORREF clrShade = bSelected ? kWhite : pColorSet->m_clrButtonInnerShade;

    const CRect rc = pItem->GetRect();
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom, W = rc.Width(), H = rc.Height();
    const int h = H / 2;
    const int w = W / 2;
    std::vector<POINT> outline;
    std::vector<POINT> light;
    std::vector<POINT> shade;
    switch (pManager->GetPosition()) {
    case kTop:
        outline = {{R - 4 + h, B - 1}, {3 - h, 6 - 2 * h}, {-4, -4}, {-3, -1}, {-(W - 16), 0}, {-3, 1}, {-3, 3},
                   {2 - h, 2 * h - 4}};
        light = {{R - 5 + h, B - 1}, {3 - h, 6 - 2 * h}, {-3, -3}, {-3, -1}};
        shade = {{R - 7, B - 2 * h + 1}, {-(W - 15), 0}, {-3, 1}, {-2, 2}, {2 - h, 2 * h - 4}};
        break;
    case kBottom:
        outline = {{R - 4 + h, T}, {3 - h, 2 * h - 6}, {-4, 4}, {-2, 1}, {-(W - 14), 0}, {-2, -1}, {-3, -3},
                   {2 - h, 4 - 2 * h}};
        light = {{R - 5 + h, T}, {3 - h, 2 * h - 6}, {-3, 3}, {-2, 1}};
        shade = {{L + 7, T + 2 * h - 2}, {-2, -1}, {-2, -2}, {2 - h, 4 - 2 * h}};
        break;
    case kLeft:
        outline = {{R - 1, B - 4 + w}, {6 - 2 * w, 3 - w}, {-4, -4}, {-1, -3}, {0, -(H - 16)}, {1, -3}, {3, -3},
                   {2 * w - 4, 2 - w}};
        light = {{R - 1, B - 5 + w}, {6 - 2 * w, 3 - w}, {-3, -3}, {-1, -3}};
        shade = {{R + 1 - 2 * w, B - 8}, {0, -(H - 16)}, {1, -3}, {2, -2}, {2 * w - 4, 2 - w}};
        break;
    default:
        outline = {{L, B - 4 + w}, {2 * w - 5, 3 - w}, {4, -4}, {1, -3}, {0, -(H - 16)}, {-1, -3}, {-3, -3},
                   {4 - 2 * w, 2 - w}};
        light = {{L, B - 5 + w}, {2 * w - 5, 3 - w}, {3, -3}, {1, -3}, {0, -(H - 14)}};
        shade = {{L + 2 * w - 2, T + 5}, {-2, -2}, {4 - 2 * w, 2 - w}};
        break;
    }
    CKitTabShapes::FillPolygon(pDC, pColorSet, pItem, outline.data(), static_cast<int>(outline.size()));
    CKitTabShapes::Polyline(pDC, clrBorder, outline.data(), static_cast<int>(outline.size()));
    CKitTabShapes::Polyline(pDC, clrLight, light.data(), static_cast<int>(light.size()));
    CKitTabShapes::Polyline(pDC, clrShade, shade.data(), static_cast<int>(shade.size()));
    m_pPaintManager->DrawItemIconAndCaption(pDC, pItem, rc, TRUE);
}

void CKitTabPaintManager::CAppearanceSetStateButtons::DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem)
{
    m_pPaintManager->GetColorSet()->FillStateButton(pDC, pItem->GetRect(), pItem);
    m_pPaintManager->DrawItemIconAndCaption(pDC, pItem, pItem->GetRect(), TRUE);
}

void CKitTabPaintManager::CAppearanceSetVisualStudio::DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem)
{
    CKitTabManager* pManager = ManagerOf(pItem);
    CKitTabPaintManagerColorSet* pColorSet = m_pPaintManager->GetColorSet();
    const int nPosition = pManager->GetPosition();
    const CRect rcItem = pItem->GetRect();
    if (pItem == pManager->GetSelectedItem()) {
        pColorSet->FillPropertyButton(pDC, rcItem, pItem);
        CRect rc = rcItem;
        InflateRectEx(rc, CRect(0, 0, 0, 1), nPosition);
        CKitTabShapes::Frame(pDC, rc, pColorSet->m_clrLightEdge, pColorSet->m_clrSelectedText);
    } else if (IsHorizontal(nPosition)) {
        VLine(pDC, rcItem.right, rcItem.top + 2, rcItem.Height() - 4, pColorSet->m_clrFrameBorder);
    } else {
        HLine(pDC, rcItem.left + 2, rcItem.bottom, rcItem.Width() - 4, pColorSet->m_clrFrameBorder);
    }
    m_pPaintManager->DrawItemIconAndCaption(pDC, pItem, rcItem, TRUE);
}

void CKitTabPaintManager::CAppearanceSetVisio::DrawTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcControl)
{
    CKitTabPaintManagerColorSet* pColorSet = m_pPaintManager->GetColorSet();
    pDC->FillSolidRect(rcControl, pColorSet->m_clrControlFace);
    DeflateRectEx(rcControl, m_pPaintManager->m_rcControlMargin, pManager->GetPosition());
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rcControl);
    pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrBorder = pColorSet->m_clrFrameBorder;
    if (m_pPaintManager->m_nClientFrame == kClientFrameNone) {
        if (pManager->GetItemCount() > 0)
            HLine(pDC, rcControl.left, rcControl.top, rcControl.Width(), clrBorder);
    } else {
        CKitTabShapes::Frame(pDC, rcControl, clrBorder, clrBorder);
    }
    for (int i = pManager->GetItemCount() - 1; i >= 0; --i) {
        CKitTabManagerItem* pItem = pManager->GetItem(i);
        CRect rcMeet;
        if (!pItem->GetRect().IsRectEmpty() && rcMeet.IntersectRect(pItem->GetRect(), rcControl))
            DrawSingleButton(pDC, pItem);
    }
    pDC->RestoreDC(nSaved);
}

void CKitTabPaintManager::CAppearanceSetVisio::DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem)
{
    CKitTabPaintManagerColorSet* pColorSet = m_pPaintManager->GetColorSet();
    const CRect rc = pItem->GetRect();
    pColorSet->FillPropertyButton(pDC, rc, pItem);
    CKitTabShapes::Frame(pDC, rc, pColorSet->m_clrLightEdge, pColorSet->m_clrFrameBorder);
    const COLORREF clrGripper = CKitColorManager::Instance()->GetColor(kGripperColor);
    for (int y = rc.top + 4; y < rc.bottom - 3; y += 2)
        HLine(pDC, rc.right - 7, y, 3, clrGripper);
    m_pPaintManager->DrawItemIconAndCaption(pDC, pItem, CRect(rc.left, rc.top, rc.right - 7, rc.bottom), TRUE);
}

void CKitTabPaintManager::CAppearanceSetFlat::DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem)
{
    CKitTabManager* pManager = ManagerOf(pItem);
    CKitTabPaintManagerColorSet* pColorSet = m_pPaintManager->GetColorSet();
    const int nPosition = pManager->GetPosition();
    CRect rc = pItem->GetRect();
    InflateRectEx(rc, CRect(0, 0, 1, 0), nPosition);
    pColorSet->FillPropertyButton(pDC, rc, pItem);
    if (pItem == pManager->GetSelectedItem())
        InflateRectEx(rc, CRect(0, 0, 0, 1), nPosition);
    CKitTabShapes::Frame(pDC, rc, pColorSet->m_clrFrameBorder, pColorSet->m_clrFrameBorder);
    m_pPaintManager->DrawItemIconAndCaption(pDC, pItem, pItem->GetRect(), TRUE);
}

void CKitTabPaintManager::CAppearanceSetExcel::DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem)
{
    CKitTabManager* pManager = ManagerOf(pItem);
    CKitTabPaintManagerColorSet* pColorSet = m_pPaintManager->GetColorSet();
    const BOOL bSelected = pItem == pManager->GetSelectedItem();
    auto entry = [&](int n) -> COLORREF {
        return bSelected ? pColorSet->GetSelectedGroup(n) : pColorSet->GetNormalGroup(n);
    };
    const CRect rcItem = pItem->GetRect();
    const int L = rcItem.left, T = rcItem.top, R = rcItem.right, B = rcItem.bottom;
    COLORREF clrFill = kNone;
    switch (pManager->GetPosition()) {
    case kTop:
    case kBottom: {
        const int Bp = B - 1;
        const int h = (Bp - T) / 2;
        const int Lp = L - h / 2;
        const int Rp = R - h / 2;
        if (pManager->GetPosition() == kTop) {
            const POINT fill[] = {{Lp, Bp}, {h, -2 * h}, {Rp - Lp - h, 0}, {h, 2 * h}};
            clrFill = CKitTabShapes::FillPolygon(pDC, pColorSet, pItem, fill, 4);
            Line(pDC, entry(4), Lp + 1, Bp - 1, Lp + 1 + h, T);
            Line(pDC, entry(4), Lp + h, T + 1, Rp, T + 1);
            Line(pDC, entry(5), Rp - 1, T, Rp - 1 + h, Bp);
            Line(pDC, entry(1), Lp, Bp - 1, Lp + h, T);
            Line(pDC, entry(1), Lp + h, T, Rp, T);
            Line(pDC, entry(3), Rp, T, Rp + h, Bp);
            if (bSelected)
                HLine(pDC, Lp, Bp, Rp - Lp + h, clrFill);
        } else {
            const POINT fill[] = {{Lp, T + 1}, {h, 2 * h}, {Rp - Lp - h, 0}, {h, -2 * h}};
            clrFill = CKitTabShapes::FillPolygon(pDC, pColorSet, pItem, fill, 4);
            Line(pDC, entry(4), Lp + 1, T + 1, Lp + 1 + h, Bp);
            Line(pDC, entry(6), Lp + h, Bp - 1, Rp, Bp - 1);
            Line(pDC, entry(5), Rp - 1, Bp, Rp - 1 + h, T);
            Line(pDC, entry(1), Lp, T + 1, Lp + h, Bp);
            Line(pDC, entry(2), Lp + h, Bp, Rp, Bp);
            Line(pDC, entry(3), Rp, Bp, Rp + h, T);
            if (bSelected)
                HLine(pDC, Lp, T, Rp - Lp + h, clrFill);
        }
        break;
    }
    default: {
        const int Rp = R - 1;
        const int w = (Rp - L) / 2;
        const int Tp = T - w / 2;
        const int Bp = B - w / 2;
        if (pManager->GetPosition() == kLeft) {
            const POINT fill[] = {{Rp, Tp}, {-2 * w, w}, {0, Bp - w - Tp}, {2 * w, w}};
            clrFill = CKitTabShapes::FillPolygon(pDC, pColorSet, pItem, fill, 4);
            Line(pDC, entry(4), Rp - 1, Tp + 1, L, Tp + w + 1);
            Line(pDC, entry(4), L + 1, Tp + w, L + 1, Bp);
            Line(pDC, entry(5), L, Bp - 1, Rp, Bp + w - 1);
            Line(pDC, entry(1), Rp - 1, Tp, L, Tp + w);
            Line(pDC, entry(1), L, Tp + w, L, Bp);
            Line(pDC, entry(3), L, Bp, Rp, Bp + w);
            if (bSelected)
                VLine(pDC, Rp, Tp, Bp - Tp + w, clrFill);
        } else {
            const POINT fill[] = {{L + 1, Tp}, {2 * w, w}, {0, Bp - w - Tp}, {-2 * w, w}};
            clrFill = CKitTabShapes::FillPolygon(pDC, pColorSet, pItem, fill, 4);
            Line(pDC, entry(4), L + 1, Tp + 1, Rp, Tp + w + 1);
            Line(pDC, entry(4), Rp - 1, Tp + w, Rp - 1, Bp);
            Line(pDC, entry(5), Rp, Bp - 1, L, Bp + w - 1);
            Line(pDC, entry(1), L + 1, Tp, Rp, Tp + w);
            Line(pDC, entry(1), Rp, Tp + w, Rp, Bp);
            Line(pDC, entry(3), Rp, Bp, L, Bp + w);
            if (bSelected)
                VLine(pDC, L, Tp, Bp - Tp + w, clrFill);
        }
        break;
    }
    }
    m_pPaintManager->DrawItemIconAndCaption(pDC, pItem, rcItem, TRUE);
}

namespace {

// Whether a flat-style item gets a body, and the colour of its border.
BOOL ChooseFlatBody(CKitTabPaintManagerColorSet* pColorSet, CKitTabManagerItem* pItem, BOOL bEveryButton,
                    COLORREF& clrBorder)
{
    CKitTabManager* pManager = pItem->GetTabManager();
    const BOOL bSelected = pItem == pManager->GetSelectedItem();
    const BOOL bHot = pItem == pManager->GetHotItem();
    clrBorder = pColorSet->m_clrFrameBorder;
    if (bHot && !bSelected && pColorSet->m_clrHotItemBorder != kNone)
        clrBorder = pColorSet->m_clrHotItemBorder;
    return bEveryButton || bSelected || bHot;
}

// The outline (not filled) of rc with 6 x 6 rounded corners.
void RoundOutline(CDC* pDC, const CRect& rc, COLORREF clr)
{
    if (clr == kNone)
        return;
    CPen pen;
    pen.Attach(::CreatePen(PS_SOLID, 1, clr));
    CPen* pOldPen = pDC->SelectObject(&pen);
    CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
    pDC->RoundRect(rc.left, rc.top, rc.right, rc.bottom, 6, 6);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

}  // namespace

void CKitTabPaintManager::CAppearanceSetPropertyPageFlat::DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem)
{
    CKitTabManager* pManager = ManagerOf(pItem);
    CKitTabPaintManagerColorSet* pColorSet = m_pPaintManager->GetColorSet();
    const int nPosition = pManager->GetPosition();
    const BOOL bSelected = pItem == pManager->GetSelectedItem();
    COLORREF clrBorder = kNone;
    if (ChooseFlatBody(pColorSet, pItem, m_bDrawEveryButton, clrBorder)) {
        CRect rc = pItem->GetRect();
        InflateRectEx(rc, CRect(0, 0, 1, 0), nPosition);
        CRect rcClip;
        pDC->GetClipBox(&rcClip);
        const int nSaved = pDC->SaveDC();
        pDC->IntersectClipRect(rcClip);
        if (!m_bSeparatorMode) {
            CRect rcFill = rc;
            DeflateRectEx(rcFill, CRect(1, 1, 1, 0), nPosition);
            pColorSet->FillPropertyButton(pDC, rcFill, pItem);
            if (m_bRoundedCorners) {
                if (bSelected)
                    InflateRectEx(rc, CRect(0, 0, 0, 1), nPosition);
                CKitTabShapes::Frame(pDC, rc, clrBorder, clrBorder);
                CRect rcCorners = rc;
                InflateRectEx(rcCorners, CRect(0, 0, 0, 1), nPosition);
                CKitTabShapes::AntiAliasCorners(pDC, rcCorners, pColorSet->m_grcHeaderFace.clrDark, clrBorder,
                                                nPosition);
            } else {
                if (m_pPaintManager->m_nClientFrame != kClientFrameNone && !bSelected)
                    CKitTabShapes::SideLine(pDC, rc, (nPosition + 2) % 4, clrBorder, clrBorder);
                InflateRectEx(rc, CRect(0, 0, 0, 2), nPosition);
                RoundOutline(pDC, rc, clrBorder);
            }
        } else if (bSelected) {
            pColorSet->FillPropertyButton(pDC, rc, pItem);
            RoundOutline(pDC, rc, clrBorder);
        } else if (pItem->GetIndex() != pManager->GetItemCount() - 1) {
            if (IsHorizontal(nPosition))
                VLine(pDC, rc.right - 1, rc.top + 3, rc.Height() - 6, clrBorder);
            else
                HLine(pDC, rc.left + 3, rc.bottom - 1, rc.Width() - 6, clrBorder);
        }
        pDC->RestoreDC(nSaved);
    }
    m_pPaintManager->DrawItemIconAndCaption(pDC, pItem, pItem->GetRect(), TRUE);
}

void CKitTabPaintManager::CAppearanceSetVisualStudio2010::DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem)
{
    CKitTabManager* pManager = ManagerOf(pItem);
    CKitTabPaintManagerColorSet* pColorSet = m_pPaintManager->GetColorSet();
    const int nPosition = pManager->GetPosition();
    const BOOL bSelected = pItem == pManager->GetSelectedItem();
    COLORREF clrBorder = kNone;
    if (ChooseFlatBody(pColorSet, pItem, m_bDrawEveryButton, clrBorder)) {
        const CRect rcItem = pItem->GetRect();
        pColorSet->FillPropertyButton(pDC, rcItem, pItem);
        CRect rcFrame = rcItem;
        if (bSelected && pColorSet->m_clrHotItemBorder != kNone) {
            InflateRectEx(rcFrame, CRect(1, 1, 1, 0), nPosition);
        } else {
            InflateRectEx(rcFrame, CRect(0, 0, 0, 1), nPosition);
            CKitTabShapes::Frame(pDC, rcFrame, clrBorder, clrBorder);
        }
        if (m_bRoundedCorners)
            CKitTabShapes::AntiAliasCorners(pDC, rcFrame, pColorSet->m_grcHeaderFace.clrDark, clrBorder, nPosition);
    }
    m_pPaintManager->DrawItemIconAndCaption(pDC, pItem, pItem->GetRect(), TRUE);
}

// ---- picture tabs -----------------------------------------------------------

void CKitTabPaintManager::CAppearanceSetPropertyPage2007::DrawImageTab(CDC* pDC, CKitTabManagerItem* pItem, CRect rc)
{
    CKitResourceImage* pImage = CKitResourceImages::Instance()->LoadImage("RIBBONTAB");
    if (!pImage)
        return;
    CKitTabManager* pManager = ManagerOf(pItem);
    const BOOL bSelected = pItem == pManager->GetSelectedItem();
    const BOOL bHot = pItem == pManager->GetHotItem();
    int nState = 0;
    if (bSelected && pManager->HasFocus())
        nState = 5;
    else if (bSelected && bHot)
        nState = 4;
    else if (bSelected)
        nState = 3;
    else if (pItem == pManager->GetPressedItem())
        nState = 2;
    else if (bHot)
        nState = 1;
    pImage->DrawImageTransparent(pDC, rc, pImage->GetSource(nState, 6), CRect(5, 5, 5, 5), kTransparentKey);
}

void CKitTabPaintManager::CAppearanceSetPropertyPage2007::DrawRotatedImageButton(CDC* pDC, CRect rc,
                                                                                 CKitTabManagerItem* pItem,
                                                                                 BOOL bTransformIn)
{
    const int nPosition = ManagerOf(pItem)->GetPosition();
    const BOOL bSwap = !IsHorizontal(nPosition);
    if (rc.IsRectEmpty())
        return;
    PixelBlock screen(*pDC, rc.Width(), rc.Height());
    PixelBlock work(*pDC, bSwap ? rc.Height() : rc.Width(), bSwap ? rc.Width() : rc.Height());
    if (!screen.IsValid() || !work.IsValid())
        return;
    if (bTransformIn) {
        screen.dc.BitBlt(0, 0, rc.Width(), rc.Height(), pDC, rc.left, rc.top, SRCCOPY);
        TurnPixels(screen, work, nPosition, FALSE);
    } else {
        work.dc.FillSolidRect(0, 0, work.Width(), work.Height(), m_pPaintManager->GetColorSet()->m_grcHeaderFace.clrLight);
    }
    DrawImageTab(&work.dc, pItem, CRect(0, 0, work.Width(), work.Height()));
    TurnPixels(work, screen, nPosition, TRUE);
    pDC->BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &screen.dc, 0, 0, SRCCOPY);
}

void CKitTabPaintManager::CAppearanceSetPropertyPage2007::DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem)
{
    if (!HasResourceImages())
        return;
    CKitTabManager* pManager = ManagerOf(pItem);
    if (pItem == pManager->GetSelectedItem() || pItem == pManager->GetHotItem()) {
        if (pManager->GetPosition() == kTop)
            DrawImageTab(pDC, pItem, pItem->GetRect());
        else
            DrawRotatedImageButton(pDC, pItem->GetRect(), pItem, FALSE);
    }
    m_pPaintManager->DrawItemIconAndCaption(pDC, pItem, pItem->GetRect(), TRUE);
}

void CKitTabPaintManager::CAppearanceSetPropertyPageAccess2007::DrawImageTab(CDC* pDC, CKitTabManagerItem* pItem,
                                                                             CRect rc)
{
    CKitResourceImage* pImage = CKitResourceImages::Instance()->LoadImage("ACCESSTAB");
    if (!pImage)
        return;
    CKitTabManager* pManager = ManagerOf(pItem);
    const BOOL bSelected = pItem == pManager->GetSelectedItem();
    const BOOL bHot = pItem == pManager->GetHotItem();
    const int nState = bSelected ? (bHot ? 3 : 2) : (bHot ? 1 : 0);
    pImage->DrawImageTransparent(pDC, rc, pImage->GetSource(nState, 4), CRect(5, 10, 22, 10), kTransparentKey);
}

void CKitTabPaintManager::CAppearanceSetPropertyPageAccess2007::DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem)
{
    if (!HasResourceImages())
        return;
    CKitTabManager* pManager = ManagerOf(pItem);
    const int nPosition = pManager->GetPosition();
    CRect rc = pItem->GetRect();
    InflateRectEx(rc, CRect(0, 0, m_nButtonHeight / 2 - 1, 0), nPosition);
    if (nPosition == kTop)
        DrawImageTab(pDC, pItem, rc);
    else
        DrawRotatedImageButton(pDC, rc, pItem, TRUE);
    m_pPaintManager->DrawItemIconAndCaption(pDC, pItem, pItem->GetRect(), TRUE);
}
