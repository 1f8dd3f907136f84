// Dialogs: the modal loop, data exchange and validation.
#include "framework/ui.h"
#include "support/message_box_recorder.h"
#include "ui_test_resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A dialog that does not end by itself is ended after this long.
constexpr UINT kSafetyTimeoutMs = 5000;
constexpr UINT_PTR kSafetyTimer = 1;
constexpr int kTimedOut = -2;

class OwnerWindow : public CWnd {
public:
    BOOL CreateOwner()
    {
        return CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 200, nullptr, nullptr);
    }
};

// Types the scripted texts into IDC_VALUE and presses OK, one text each time
// the modal loop goes idle, until the dialog ends.
class NumberDialog : public CDialog {
public:
    explicit NumberDialog(CWnd* pOwner, std::vector<std::string> typed)
        : CDialog(IDD_NUMBER, pOwner), m_typed(std::move(typed))
    {
    }

    int m_value = 7;
    CString m_name = "seven";
    CString m_shownAtStart;
    std::vector<bool> m_ownerEnabled;
    std::vector<bool> m_valueHadFocus;
    int m_idleKicks = 0;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        GetDlgItemText(IDC_VALUE, m_shownAtStart);
        SetTimer(kSafetyTimer, kSafetyTimeoutMs);
        return TRUE;
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_VALUE, m_value);
        DDV_MinMaxInt(pDX, m_value, 1, 100);
        DDX_Text(pDX, IDC_NAME, m_name);
    }

    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        ++m_idleKicks;
        if (m_next < m_typed.size()) {
            m_ownerEnabled.push_back(m_pParentWnd->IsWindowEnabled() != FALSE);
            m_valueHadFocus.push_back(::GetFocus() == ::GetDlgItem(m_hWnd, IDC_VALUE));
            SetDlgItemText(IDC_VALUE, m_typed[m_next++].c_str());
            SetDlgItemText(IDC_NAME, "typed");
            PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, IDOK)));
        } else if (m_next == m_typed.size() && !m_typed.empty()) {
            // Every scripted text was typed and the dialog is still open: Escape
            // in the edit (dialog navigation turns it into IDCANCEL).
            ::PostMessageA(::GetDlgItem(m_hWnd, IDC_VALUE), WM_KEYDOWN, VK_ESCAPE, 1);
            ++m_next;
        }
        return 0;
    }

    afx_msg void OnTimer(UINT_PTR) { EndDialog(kTimedOut); }

    DECLARE_MESSAGE_MAP()

private:
    std::vector<std::string> m_typed;
    size_t m_next = 0;
};

BEGIN_MESSAGE_MAP(NumberDialog, CDialog)
    ON_MESSAGE(WM_KICKIDLE, &NumberDialog::OnKickIdle)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_owner.CreateOwner()); }
    void TearDown() override { AfxDeleteTempMaps(); }

    OwnerWindow m_owner;
    MessageBoxRecorder m_recorder;
};

TEST_F(DialogTest, ModalLoopKeepsTheDialogOpenUntilAValidValueIsTyped)
{
    NumberDialog dialog(&m_owner, {"150", "abc", " 42 "});
    EXPECT_EQ(IDOK, dialog.DoModal());

    EXPECT_STREQ("7", dialog.m_shownAtStart);
    EXPECT_EQ(42, dialog.m_value);
    EXPECT_STREQ("typed", dialog.m_name);
    ASSERT_EQ(2u, m_recorder.Count());
    EXPECT_STREQ("Please enter an integer between 1 and 100.", m_recorder.Calls()[0].text);
    EXPECT_STREQ("Please enter an integer.", m_recorder.Calls()[1].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), m_recorder.Calls()[0].type & MB_ICONMASK);
    // A failed exchange puts the focus back on the control it failed on.
    EXPECT_EQ((std::vector<bool>{true, true}), std::vector<bool>(dialog.m_valueHadFocus.begin() + 1,
                                                                 dialog.m_valueHadFocus.end()));
    EXPECT_EQ((std::vector<bool>{false, false, false}), dialog.m_ownerEnabled);
    EXPECT_TRUE(m_owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, dialog.m_hWnd);
}

TEST_F(DialogTest, EscapeCancelsAndLeavesTheMembersAsTheyWere)
{
    NumberDialog dialog(&m_owner, {"abc"});
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(7, dialog.m_value);
    EXPECT_STREQ("seven", dialog.m_name);
    EXPECT_EQ(1u, m_recorder.Count());
    EXPECT_GE(dialog.m_idleKicks, 2);
    EXPECT_TRUE(m_owner.IsWindowEnabled());
}

TEST_F(DialogTest, MissingTemplateGivesMinusOneAndLeavesTheOwnerEnabled)
{
    CDialog dialog(IDD_MISSING, &m_owner);
    EXPECT_EQ(-1, dialog.DoModal());
    EXPECT_TRUE(m_owner.IsWindowEnabled());
}

TEST_F(DialogTest, QuitDuringTheModalLoopEndsItAndIsPassedOn)
{
    class QuittingDialog : public CDialog {
    public:
        explicit QuittingDialog(CWnd* pOwner) : CDialog(IDD_NUMBER, pOwner) {}
        BOOL OnInitDialog() override
        {
            CDialog::OnInitDialog();
            ::PostQuitMessage(3);
            return TRUE;
        }
    };
    QuittingDialog dialog(&m_owner);
    EXPECT_EQ(-1, dialog.DoModal());
    MSG msg = {};
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
    EXPECT_TRUE(m_owner.IsWindowEnabled());
}

// Exchanges one member of the chosen kind through IDC_VALUE of a modeless dialog.
class ExchangeDialog : public CDialog {
public:
    enum class Kind { Int, Uint, Long, Dword, Double };
    Kind m_kind = Kind::Int;
    int m_int = 0;
    UINT m_uint = 0;
    long m_long = 0;
    DWORD m_dword = 0;
    double m_double = 0;
    CEdit m_edit;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_NAME, m_edit);
        switch (m_kind) {
        case Kind::Int: DDX_Text(pDX, IDC_VALUE, m_int); break;
        case Kind::Uint: DDX_Text(pDX, IDC_VALUE, m_uint); break;
        case Kind::Long: DDX_Text(pDX, IDC_VALUE, m_long); break;
        case Kind::Dword: DDX_Text(pDX, IDC_VALUE, m_dword); break;
        case Kind::Double: DDX_Text(pDX, IDC_VALUE, m_double); break;
        }
    }
};

TEST_F(DialogTest, NumbersParseWholeAndInRangeOrFailWithTheirMessage)
{
    using Kind = ExchangeDialog::Kind;
    struct Case {
        Kind kind;
        const char* text;
        const char* message; // null: accepted
        double value;
    };
    const Case cases[] = {
        {Kind::Int, "  -12 ", nullptr, -12},
        {Kind::Int, "2147483647", nullptr, 2147483647.0},
        {Kind::Int, "2147483648", "Please enter an integer.", 0},
        {Kind::Int, "12abc", "Please enter an integer.", 0},
        {Kind::Int, "", "Please enter an integer.", 0},
        {Kind::Int, "1.5", "Please enter an integer.", 0},
        {Kind::Uint, "4294967295", nullptr, 4294967295.0},
        {Kind::Uint, "-1", "Please enter an integer.", 0},
        {Kind::Long, "-2147483648", nullptr, -2147483648.0},
        {Kind::Dword, "4294967296", "Please enter an integer.", 0},
        {Kind::Dword, "17", nullptr, 17},
        {Kind::Double, "2.5e3", nullptr, 2500},
        {Kind::Double, " -0.25", nullptr, -0.25},
        {Kind::Double, "abc", "Please enter a number.", 0},
        {Kind::Double, "1e999", "Please enter a number.", 0},
    };
    ExchangeDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_NUMBER, &m_owner));
    EXPECT_EQ(&dialog.m_edit, CWnd::FromHandlePermanent(::GetDlgItem(dialog.m_hWnd, IDC_NAME)))
        << "DDX_Control subclassed the edit into the member";
    for (const Case& c : cases) {
        m_recorder.Clear();
        dialog.m_kind = c.kind;
        dialog.SetDlgItemText(IDC_VALUE, c.text);
        const BOOL ok = dialog.UpdateData(TRUE);
        if (c.message == nullptr) {
            EXPECT_TRUE(ok) << c.text;
            EXPECT_EQ(0u, m_recorder.Count()) << c.text;
            double value = 0;
            switch (c.kind) {
            case Kind::Int: value = dialog.m_int; break;
            case Kind::Uint: value = dialog.m_uint; break;
            case Kind::Long: value = dialog.m_long; break;
            case Kind::Dword: value = dialog.m_dword; break;
            case Kind::Double: value = dialog.m_double; break;
            }
            EXPECT_EQ(c.value, value) << c.text;
        } else {
            EXPECT_FALSE(ok) << c.text;
            ASSERT_EQ(1u, m_recorder.Count()) << c.text;
            EXPECT_STREQ(c.message, m_recorder.Last().text) << c.text;
        }
    }

    // Loading writes the member back as text.
    dialog.m_kind = Kind::Double;
    dialog.m_double = 0.1;
    EXPECT_TRUE(dialog.UpdateData(FALSE));
    CString shown;
    dialog.GetDlgItemText(IDC_VALUE, shown);
    EXPECT_STREQ("0.1", shown);

    const HWND hEdit = dialog.m_edit.m_hWnd;
    dialog.DestroyWindow();
    EXPECT_EQ(nullptr, dialog.m_edit.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hEdit));
}

class ControlsDialog : public CDialog {
public:
    int m_flag = 1;
    int m_radio = 2;
    int m_choice = 1;
    CString m_choiceText;
    CComboBox m_combo;

    BOOL OnInitDialog() override
    {
        m_combo.SubclassDlgItem(IDC_CHOICE, this);
        for (const char* item : {"red", "green", "blue"})
            m_combo.AddString(item);
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Check(pDX, IDC_FLAG, m_flag);
        DDX_Radio(pDX, IDC_RADIO_A, m_radio);
        DDX_CBIndex(pDX, IDC_CHOICE, m_choice);
        DDX_CBString(pDX, IDC_CHOICE, m_choiceText);
    }
};

TEST_F(DialogTest, CheckRadioAndComboExchangeBothWays)
{
    ControlsDialog dialog;
    dialog.m_choiceText = "green";
    ASSERT_TRUE(dialog.Create(IDD_CONTROLS, &m_owner));
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), dialog.IsDlgButtonChecked(IDC_FLAG));
    EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), dialog.IsDlgButtonChecked(IDC_RADIO_A));
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), dialog.IsDlgButtonChecked(IDC_RADIO_C));
    EXPECT_EQ(1, dialog.m_combo.GetCurSel());

    dialog.CheckDlgButton(IDC_FLAG, BST_UNCHECKED);
    dialog.CheckDlgButton(IDC_RADIO_C, BST_UNCHECKED);
    dialog.CheckDlgButton(IDC_RADIO_A, BST_CHECKED);
    dialog.m_combo.SetCurSel(2);
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(0, dialog.m_flag);
    EXPECT_EQ(0, dialog.m_radio);
    EXPECT_EQ(2, dialog.m_choice);
    EXPECT_STREQ("blue", dialog.m_choiceText);

    dialog.CheckDlgButton(IDC_RADIO_A, BST_UNCHECKED);
    dialog.m_combo.SetCurSel(-1);
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(-1, dialog.m_radio) << "no button checked";
    EXPECT_EQ(-1, dialog.m_choice);
    EXPECT_STREQ("", dialog.m_choiceText);
}

// Command UI of the dialog's buttons, as a toolbar or a form would use it.
class ButtonStates : public CCmdTarget {
public:
    afx_msg void OnUpdateFlag(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnUpdateRadioB(CCmdUI* pCmdUI) { pCmdUI->SetRadio(TRUE); }
    afx_msg void OnUpdateOk(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateCancel(CCmdUI* pCmdUI) { pCmdUI->SetText("Close"); }
    afx_msg void OnCancel() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ButtonStates, CCmdTarget)
    ON_UPDATE_COMMAND_UI(IDC_FLAG, &ButtonStates::OnUpdateFlag)
    ON_UPDATE_COMMAND_UI(IDC_RADIO_B, &ButtonStates::OnUpdateRadioB)
    ON_UPDATE_COMMAND_UI(IDOK, &ButtonStates::OnUpdateOk)
    ON_UPDATE_COMMAND_UI(IDCANCEL, &ButtonStates::OnUpdateCancel)
    ON_COMMAND(IDCANCEL, &ButtonStates::OnCancel)
END_MESSAGE_MAP()

TEST_F(DialogTest, ButtonsFollowTheirUpdateHandlers)
{
    ControlsDialog dialog;
    dialog.m_flag = 0;
    ASSERT_TRUE(dialog.Create(IDD_CONTROLS, &m_owner));
    ButtonStates states;
    dialog.UpdateDialogControls(&states, TRUE);
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), dialog.IsDlgButtonChecked(IDC_FLAG));
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), dialog.IsDlgButtonChecked(IDC_RADIO_B));
    EXPECT_FALSE(dialog.GetDlgItem(IDOK)->IsWindowEnabled());
    CString text;
    dialog.GetDlgItemText(IDCANCEL, text);
    EXPECT_STREQ("Close", text);
    EXPECT_TRUE(dialog.GetDlgItem(IDCANCEL)->IsWindowEnabled()) << "it has a command handler";
    EXPECT_FALSE(dialog.GetDlgItem(IDC_RADIO_C)->IsWindowEnabled()) << "a button nothing handles";
    EXPECT_TRUE(dialog.GetDlgItem(IDC_CHOICE)->IsWindowEnabled()) << "only buttons are disabled for lack of a handler";
}

} // namespace
