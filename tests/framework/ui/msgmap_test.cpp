// Message-map lookup and argument decoding, without any window.
#include "framework/ui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kSharedCommand = 100;
constexpr UINT kBaseCommand = 101;
constexpr UINT kRangeFirst = 200;
constexpr UINT kRangeLast = 209;
constexpr UINT kButtonId = 300;
constexpr UINT kTreeId = 301;
constexpr UINT kCustomMessage = WM_APP + 7;
// Stands for a control window that has no object of its own.
const HWND kForeignControl = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x4321));

const UINT kRegisteredMessage = ::RegisterWindowMessageA("KorvaneMessageMapTest");

class BaseTarget : public CWnd {
public:
    std::vector<std::string> calls;

    afx_msg void OnSharedCommand() { calls.push_back("base shared"); }
    afx_msg void OnBaseCommand() { calls.push_back("base only"); }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        calls.push_back("size " + std::to_string(nType) + " " + std::to_string(cx) + "x" + std::to_string(cy));
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseTarget, CWnd)
    ON_COMMAND(kSharedCommand, &BaseTarget::OnSharedCommand)
    ON_COMMAND(kBaseCommand, &BaseTarget::OnBaseCommand)
    ON_WM_SIZE()
END_MESSAGE_MAP()

class DerivedTarget : public BaseTarget {
public:
    NMHDR* notifiedHeader = nullptr;
    CPoint lastPoint;

    afx_msg void OnDerivedShared() { calls.push_back("derived shared"); }
    afx_msg void OnRange(UINT nID) { calls.push_back("range " + std::to_string(nID)); }
    afx_msg void OnButtonClicked() { calls.push_back("clicked"); }
    afx_msg void OnNameChanged() { calls.push_back("changed"); }
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
    {
        notifiedHeader = pNMHDR;
        calls.push_back("tree");
        *pResult = 5;
    }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point)
    {
        lastPoint = point;
        calls.push_back("move " + std::to_string(nFlags));
    }
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
    afx_msg LRESULT OnCustom(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam + lParam); }
    afx_msg LRESULT OnRegistered(WPARAM, LPARAM) { return 99; }
    afx_msg void OnUpdateShared(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedTarget, BaseTarget)
    ON_COMMAND(kSharedCommand, &DerivedTarget::OnDerivedShared)
    ON_COMMAND_RANGE(kRangeFirst, kRangeLast, &DerivedTarget::OnRange)
    ON_BN_CLICKED(kButtonId, &DerivedTarget::OnButtonClicked)
    ON_EN_CHANGE(kButtonId, &DerivedTarget::OnNameChanged)
    ON_NOTIFY(TVN_SELCHANGEDA, kTreeId, &DerivedTarget::OnTreeSelChanged)
    ON_UPDATE_COMMAND_UI(kSharedCommand, &DerivedTarget::OnUpdateShared)
    ON_WM_MOUSEMOVE()
    ON_WM_CREATE()
    ON_MESSAGE(kCustomMessage, &DerivedTarget::OnCustom)
    ON_REGISTERED_MESSAGE(kRegisteredMessage, &DerivedTarget::OnRegistered)
END_MESSAGE_MAP()

TEST(MessageMap, DerivedEntryWinsOverTheBaseAndBaseEntriesStillServe)
{
    DerivedTarget target;
    EXPECT_TRUE(target.OnCmdMsg(kSharedCommand, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(kBaseCommand, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(target.OnCmdMsg(kBaseCommand + 50, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ((std::vector<std::string>{"derived shared", "base only"}), target.calls);

    const AFX_MSGMAP_ENTRY* entry =
        AfxFindMessageEntry(DerivedTarget::GetThisMessageMap(), WM_COMMAND, CN_COMMAND, kSharedCommand);
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(AfxMsgPtr(static_cast<void (CCmdTarget::*)()>(&DerivedTarget::OnDerivedShared)), entry->pfn);
    EXPECT_EQ(nullptr, AfxFindMessageEntry(CWnd::GetThisMessageMap(), WM_COMMAND, CN_COMMAND, kSharedCommand));
}

TEST(MessageMap, CommandRangePassesTheIdAndEndsAtItsBounds)
{
    DerivedTarget target;
    for (UINT id : {kRangeFirst, kRangeFirst + 4, kRangeLast})
        EXPECT_TRUE(target.OnCmdMsg(id, CN_COMMAND, nullptr, nullptr)) << id;
    EXPECT_FALSE(target.OnCmdMsg(kRangeFirst - 1, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(target.OnCmdMsg(kRangeLast + 1, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ((std::vector<std::string>{"range 200", "range 204", "range 209"}), target.calls);
}

TEST(MessageMap, WindowMessagesAreDecodedForTheirHandlers)
{
    DerivedTarget target;
    LRESULT result = -7;
    EXPECT_TRUE(target.OnWndMsg(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480), &result));
    // Client coordinates left of or above the window are negative.
    EXPECT_TRUE(target.OnWndMsg(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-5, 7), &result));
    EXPECT_EQ(CPoint(-5, 7), target.lastPoint);
    EXPECT_EQ((std::vector<std::string>{"size 2 640x480", "move 1"}), target.calls);

    CREATESTRUCTA create = {};
    EXPECT_TRUE(target.OnWndMsg(WM_CREATE, 0, reinterpret_cast<LPARAM>(&create), &result));
    EXPECT_EQ(-1, result);
    EXPECT_TRUE(target.OnWndMsg(kCustomMessage, 40, 2, &result));
    EXPECT_EQ(42, result);
    EXPECT_TRUE(target.OnWndMsg(kRegisteredMessage, 0, 0, &result));
    EXPECT_EQ(99, result);
    EXPECT_FALSE(target.OnWndMsg(WM_KEYDOWN, VK_F1, 0, &result));
}

// Handlers of the signatures a grid uses: dialog codes, the wheel, capture and setting changes.
class InputTarget : public CWnd {
public:
    std::vector<std::string> calls;

    afx_msg UINT OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point)
    {
        calls.push_back("wheel " + std::to_string(nFlags) + " " + std::to_string(zDelta) + " " +
                        std::to_string(point.x) + "," + std::to_string(point.y));
        return TRUE;
    }
    afx_msg void OnCaptureChanged(CWnd* pWnd) { calls.push_back(pWnd == nullptr ? "capture none" : "capture"); }
    afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection)
    {
        calls.push_back("setting " + std::to_string(uFlags) + " " + (lpszSection != nullptr ? lpszSection : "-"));
    }
    afx_msg void OnSysColorChange() { calls.push_back("colours"); }
    afx_msg void OnImeChar(UINT nChar, UINT nRepCnt, UINT) { calls.push_back("ime " + std::to_string(nChar) + " " + std::to_string(nRepCnt)); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(InputTarget, CWnd)
    ON_WM_GETDLGCODE()
    ON_WM_MOUSEWHEEL()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETTINGCHANGE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_IME_CHAR()
END_MESSAGE_MAP()

TEST(MessageMap, GridInputMessagesAreDecodedForTheirHandlers)
{
    InputTarget target;
    LRESULT result = 0;
    EXPECT_TRUE(target.OnWndMsg(WM_GETDLGCODE, 0, 0, &result));
    EXPECT_EQ(static_cast<LRESULT>(DLGC_WANTARROWS | DLGC_WANTCHARS), result);
    // A backward turn of the wheel is a negative delta in the high word.
    EXPECT_TRUE(target.OnWndMsg(WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, static_cast<WORD>(-240)), MAKELPARAM(-3, 9), &result));
    EXPECT_EQ(TRUE, result);
    EXPECT_TRUE(target.OnWndMsg(WM_CAPTURECHANGED, 0, 0, &result));
    EXPECT_TRUE(target.OnWndMsg(WM_SETTINGCHANGE, SPI_SETWHEELSCROLLLINES, reinterpret_cast<LPARAM>("Desktop"), &result));
    EXPECT_TRUE(target.OnWndMsg(WM_SYSCOLORCHANGE, 0, 0, &result));
    EXPECT_TRUE(target.OnWndMsg(WM_IME_CHAR, 0xE9, 1, &result));
    const std::vector<std::string> expected = {"wheel 4 -240 -3,9", "capture none", "setting 105 Desktop", "colours",
                                               "ime 233 1"};
    EXPECT_EQ(expected, target.calls);
}

TEST(MessageMap, ControlNotificationsReachTheHandlerOfTheirCode)
{
    DerivedTarget target;
    LRESULT result = -1;
    const LPARAM control = reinterpret_cast<LPARAM>(kForeignControl);
    EXPECT_TRUE(target.OnWndMsg(WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED), control, &result));
    EXPECT_TRUE(target.OnWndMsg(WM_COMMAND, MAKEWPARAM(kButtonId, EN_CHANGE), control, &result));
    EXPECT_FALSE(target.OnWndMsg(WM_COMMAND, MAKEWPARAM(kButtonId, EN_KILLFOCUS), control, &result));
    EXPECT_EQ((std::vector<std::string>{"clicked", "changed"}), target.calls);
}

TEST(MessageMap, NotifyPassesTheHeaderAndTheResult)
{
    DerivedTarget target;
    NMTREEVIEWA change = {};
    change.hdr.hwndFrom = kForeignControl;
    change.hdr.idFrom = kTreeId;
    change.hdr.code = TVN_SELCHANGEDA;
    LRESULT result = 0;
    EXPECT_TRUE(target.OnWndMsg(WM_NOTIFY, kTreeId, reinterpret_cast<LPARAM>(&change), &result));
    EXPECT_EQ(&change.hdr, target.notifiedHeader);
    EXPECT_EQ(5, result);

    // The wide code of the same notification, or another control, finds nothing.
    change.hdr.code = TVN_SELCHANGEDW;
    EXPECT_FALSE(target.OnWndMsg(WM_NOTIFY, kTreeId, reinterpret_cast<LPARAM>(&change), &result));
    change.hdr.code = TVN_SELCHANGEDA;
    change.hdr.idFrom = kTreeId + 1;
    EXPECT_FALSE(target.OnWndMsg(WM_NOTIFY, kTreeId + 1, reinterpret_cast<LPARAM>(&change), &result));
}

// Records what an update asks for instead of touching a menu.
class RecordingCmdUI : public CCmdUI {
public:
    std::vector<std::string> actions;
    void Enable(BOOL bOn) override
    {
        actions.push_back(bOn ? "enable" : "disable");
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override { actions.push_back("check " + std::to_string(nCheck)); }
};

TEST(MessageMap, CommandUpdateUsesTheHandlerOrDisablesCommandsWithoutOne)
{
    struct Case {
        UINT id;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {kSharedCommand, {"check 1", "enable"}}, // update handler that does not enable: a command handler exists
        {kBaseCommand, {"enable"}},              // no update handler, command handler in the base map
        {kRangeFirst + 3, {"enable"}},           // command range
        {4242, {"disable"}},                     // nothing handles it
    };
    DerivedTarget target;
    for (const Case& c : cases) {
        RecordingCmdUI state;
        state.m_nID = c.id;
        state.DoUpdate(&target, TRUE);
        EXPECT_EQ(c.expected, state.actions) << c.id;
    }
    EXPECT_TRUE(target.calls.empty()) << "asking for a handler must not run it";
}

} // namespace
