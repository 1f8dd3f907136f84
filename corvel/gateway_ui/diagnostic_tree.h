// CDiagnosticTree, DiagnosticLeaf, CurrentDiagnostic: the diagnostics window's tree of the module's drivers and their diagnostics, and the polling of the one selected.
#pragma once

#include "corvel/gateway/vqn_diagnostics.h"
#include "framework/ui.h"

#include <vector>

// The settings of the diagnostics window (application profile).
constexpr char kDiagnosticSection[] = "Diagnostic";
constexpr char kAutoPollEntry[] = "AutoPoll";

// One leaf (diagnostic) of the tree.
struct DiagnosticLeaf {
    HTREEITEM item = nullptr;
    CString resource;
    CString driver;
    // The diagnostic code without its instance suffix.
    CString code;
    // The count of the code's "[n]" suffix; 0 without one.
    int instances = 0;
};

// The leaf being polled and the texts of its three tree levels.
struct CurrentDiagnostic {
    DiagnosticLeaf leaf;
    CString projectText;
    CString driverText;
    CString leafText;
    CString spare;
};

// The project at the root, the module's running drivers under it (sorted),
// each driver's diagnostics under the driver (sorted). Selecting a diagnostic
// fetches its values into the output edit and polls it on tree timer 1 every
// "AutoPoll" milliseconds. Every exchange with the module blocks the GUI
// thread for at most the client's limit.
class CDiagnosticTree : public CTreeCtrl {
    DECLARE_DYNAMIC(CDiagnosticTree)
public:
    static constexpr UINT_PTR kPollTimerId = 1;
    // The poll period when no "AutoPoll" is stored.
    static constexpr int kDefaultPollPeriodMs = 1000;
    // The tree images of the root, a driver and a diagnostic.
    static constexpr int kProjectImage = 0;
    static constexpr int kDriverImage = 27;
    static constexpr int kLeafImage = 28;

    CDiagnosticTree() = default;

    // The windows the tree writes to; set by the diagnostics window after creation.
    void SetOutputWindows(CEdit* pOutput, CSpinButtonCtrl* pSpin);

    // Reads the module's drivers and their diagnostic indexes into the tree. False,
    // with an empty tree, when the module gave no running-driver reply.
    bool BuildTree(const CString& address);
    // Takes the selected item as the current diagnostic and starts polling it; false
    // when no leaf is selected (or no address is set).
    bool GetCurrentItem();
    // Fetches the current diagnostic's values into the output edit. A failed
    // exchange stops polling, tells the user and closes the diagnostics window.
    void PollData();
    // Starts tree timer 1 with periodMs (0: the "AutoPoll" setting) and resets the refresh counter.
    void StartAutoPoll(int periodMs);
    // Appends one reply item (and its children, one level deeper) to text.
    static void FormatDiagnosticItem(int level, CString& text, const DiagnosticItem& item);
    HTREEITEM InsertTreeItem(HTREEITEM hParent, LPCSTR text, int image);

    const std::vector<DiagnosticLeaf>& GetLeaves() const { return m_leaves; }
    const CurrentDiagnostic& GetCurrent() const { return m_current; }
    int GetPollPeriod() const { return m_nRunningPeriod; }
    int GetRefreshCounter() const { return m_nRefreshCounter; }
    bool IsConnectionLost() const { return m_bConnectionLost; }
    CVQNDiagnostics& GetClient() { return m_client; }

protected:
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTimer(UINT_PTR nIDEvent);

    DECLARE_MESSAGE_MAP()

private:
    // Replaces the output's text and keeps the reader's place when the text's extent did not change.
    void ShowOutput(const CString& text);
    // Asks the diagnostics window (the tree's top-level window) to close.
    void CloseDiagnosticsWindow();

    CEdit* m_pOutput = nullptr;
    CSpinButtonCtrl* m_pSpin = nullptr;
    CImageList m_imageList;
    CBitmap m_bitmap;
    bool m_bConnectionLost = false;
    CVQNDiagnostics m_client;
    // Grows with the module's index replies: no count of leaves can overrun it.
    std::vector<DiagnosticLeaf> m_leaves;
    CurrentDiagnostic m_current;
    int m_nSettingPeriod = 0;
    int m_nRunningPeriod = 0;
    UINT_PTR m_nTimerId = 0;
    int m_nRefreshCounter = 0;
};
