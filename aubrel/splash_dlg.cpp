#include "aubrel/splash_dlg.h"

#include "aubrel/res/resource.h"

namespace {

const char kBetaNotice[] = "This is a Beta version of this program. Not for production use and without warranty.\n";
const char kVersionFormat[] = "Version: %s";
const char kNoData[] = "Error No Data";
const char kTimerFailed[] = "could not Start Splash Timmer";
const char kTimerFailedCaption[] = "Korvane";

// Layout of the splash in pixels.
constexpr int kMargin = 16;
constexpr int kTitleHeight = 40;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 8;
constexpr int kTitlePointSize = 200; // tenths of a point
const char kTitleFace[] = "Arial";
constexpr COLORREF kTitleColour = RGB(0xff, 0xff, 0xff);
constexpr COLORREF kTextColour = RGB(0xdc, 0xe6, 0xf2);
constexpr COLORREF kNoRecordBackground = RGB(0, 0, 0);

// Height of a static's text wrapped to width, in its own font.
int TextHeight(CWnd& control, int width)
{
    CString text;
    control.GetWindowText(text);
    CClientDC dc(&control);
    CFont* font = control.GetFont();
    ScopedSelect selected(dc, font != nullptr ? font->GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT));
    CRect bounds(0, 0, width, 0);
    dc.DrawText(text, &bounds, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return bounds.Height();
}

UINT_PTR StartRealTimer(HWND hWnd, UINT_PTR nIDEvent, UINT nElapse)
{
    return ::SetTimer(hWnd, nIDEvent, nElapse, nullptr);
}

CSplashDlg::TimerStarter& TimerStarterSlot()
{
    static CSplashDlg::TimerStarter starter = StartRealTimer;
    return starter;
}

} // namespace

BEGIN_MESSAGE_MAP(CSplashDlg, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSplashDlg::CSplashDlg(const AboutRecord* about, CWnd* pParent) : CDialog(IDD_SPLASH, pParent), m_about(about) {}

CSplashDlg::TimerStarter CSplashDlg::SetTimerStarter(TimerStarter starter)
{
    TimerStarter previous = std::move(TimerStarterSlot());
    TimerStarterSlot() = starter ? std::move(starter) : TimerStarter(StartRealTimer);
    return previous;
}

CString CSplashDlg::SplashText(const AboutRecord* about)
{
    if (about == nullptr)
        return kNoData;
    CString text;
    text.Format(kVersionFormat, about->company != nullptr ? about->company : "");
    if (about->beta != 0)
        text = kBetaNotice + text;
    return text;
}

BOOL CSplashDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_about != nullptr && m_about->splashBitmap != nullptr) {
        m_picture = m_about->splashBitmap;
    } else {
        m_ownPicture.LoadBitmap(IDB_SPLASH);
        m_picture = m_ownPicture;
    }
    m_background.CreateSolidBrush(m_about != nullptr ? m_about->splashBackground : kNoRecordBackground);

    CreateTitleFont();
    if (m_about != nullptr && m_about->appName != nullptr) {
        CString title;
        title.Format("%s", m_about->appName);
        SetWindowText(title);
        SetDlgItemText(IDC_SPLASH_TITLE, title);
    }
    SetDlgItemText(IDC_SPLASH_TEXT, SplashText(m_about));
    const int buttonShow = IsBeta() ? SW_SHOW : SW_HIDE;
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->ShowWindow(buttonShow);
    if (CWnd* cancel = GetDlgItem(IDCANCEL))
        cancel->ShowWindow(buttonShow);
    FitToPicture();

    const UINT elapse = IsBeta() ? kBetaTickMs : kCloseAfterMs;
    m_timerStarted = TimerStarterSlot()(m_hWnd, kTimerId, elapse) != 0;
    if (!m_timerStarted) {
        MessageBox(kTimerFailed, kTimerFailedCaption);
        EndDialog(IDOK);
    }
    return TRUE;
}

void CSplashDlg::CreateTitleFont()
{
    LOGFONTA logFont = {};
    logFont.lfHeight = kTitlePointSize;
    logFont.lfWeight = FW_BOLD;
    lstrcpynA(logFont.lfFaceName, kTitleFace, LF_FACESIZE);
    CWnd* title = GetDlgItem(IDC_SPLASH_TITLE);
    if (title != nullptr && m_titleFont.CreatePointFontIndirect(&logFont))
        title->SetFont(&m_titleFont);
}

void CSplashDlg::FitToPicture()
{
    BITMAP picture = {};
    if (m_picture != nullptr && ::GetObjectA(m_picture, sizeof(picture), &picture) != 0) {
        CRect window(0, 0, picture.bmWidth, picture.bmHeight);
        ::AdjustWindowRectEx(&window, GetStyle(), FALSE, GetExStyle());
        SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CenterWindow(CWnd::FromHandle(::GetDesktopWindow()));
}

void CSplashDlg::LayOut(int cx, int cy)
{
    const int width = cx - 2 * kMargin;
    const int buttonTop = cy - kMargin - kButtonHeight;
    if (CWnd* title = GetDlgItem(IDC_SPLASH_TITLE))
        title->MoveWindow(kMargin, kMargin, width, kTitleHeight);
    const int textBottom = IsBeta() ? buttonTop - kButtonGap : cy - kMargin;
    if (CWnd* text = GetDlgItem(IDC_SPLASH_TEXT)) {
        const int height = TextHeight(*text, width);
        text->MoveWindow(kMargin, textBottom - height, width, height);
    }
    const int left = cx / 2 - kButtonWidth - kButtonGap / 2;
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->MoveWindow(left, buttonTop, kButtonWidth, kButtonHeight);
    if (CWnd* cancel = GetDlgItem(IDCANCEL))
        cancel->MoveWindow(left + kButtonWidth + kButtonGap, buttonTop, kButtonWidth, kButtonHeight);
}

void CSplashDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    LayOut(cx, cy);
}

BOOL CSplashDlg::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillRect(&client, &m_background);
    BITMAP picture = {};
    if (m_picture != nullptr && ::GetObjectA(m_picture, sizeof(picture), &picture) != 0) {
        CDC memory;
        memory.CreateCompatibleDC(pDC);
        ScopedSelect selected(memory, m_picture);
        pDC->SetStretchBltMode(HALFTONE);
        pDC->StretchBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, picture.bmWidth, picture.bmHeight,
                        SRCCOPY);
    }
    return TRUE;
}

HBRUSH CSplashDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor != CTLCOLOR_STATIC || pWnd == nullptr)
        return reinterpret_cast<HBRUSH>(Default());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(pWnd->GetDlgCtrlID() == IDC_SPLASH_TITLE ? kTitleColour : kTextColour);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CSplashDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerId && !IsBeta())
        EndDialog(IDOK);
}

void CSplashDlg::OnCancel()
{
    if (IsBeta())
        EndDialog(IDCANCEL);
}

BOOL CSplashDlg::PreTranslateMessage(MSG* pMsg)
{
    if (!IsBeta()) {
        switch (pMsg->message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
            EndDialog(IDOK);
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CSplashDlg::OnDestroy()
{
    if (m_timerStarted)
        KillTimer(kTimerId);
    CDialog::OnDestroy();
}
