// CSplashDlg: the library's splash screen (dialog 2101): a picture, a title and, for a beta release, OK and Cancel.
#pragma once

#include "aubrel/aubrel.h"
#include "framework/ui.h"

#include <functional>

class CSplashDlg : public CDialog {
public:
    // about null: the splash says "Error No Data".
    CSplashDlg(const AboutRecord* about, CWnd* pParent);

    // Identifier of the splash's one timer and its intervals.
    static constexpr UINT_PTR kTimerId = 1;
    static constexpr UINT kCloseAfterMs = 3000;
    static constexpr UINT kBetaTickMs = 400;

    // Starts a timer as CWnd::SetTimer does (0 on failure). Tests replace it to
    // see the interval and tick by hand; an empty starter restores the real one.
    using TimerStarter = std::function<UINT_PTR(HWND hWnd, UINT_PTR nIDEvent, UINT nElapse)>;
    static TimerStarter SetTimerStarter(TimerStarter starter);

    // The text under the title: the beta notice and "Version: <company>", or "Error No Data".
    static CString SplashText(const AboutRecord* about);

    bool IsBeta() const { return m_about != nullptr && m_about->beta != 0; }

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    // Sizes the client area to the picture and centres the splash on the desktop.
    void FitToPicture();
    void CreateTitleFont();
    void LayOut(int cx, int cy);

    const AboutRecord* m_about;
    CBitmap m_ownPicture;
    HBITMAP m_picture = nullptr;
    CBrush m_background;
    CFont m_titleFont;
    bool m_timerStarted = false;
};
