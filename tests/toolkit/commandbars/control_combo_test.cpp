// The command-bar combo box on a toolbar: its list drop-down, type-ahead completion and Escape;
// build/screens/commandbar-edit-combo.png shows an edit with spin buttons beside an open combo box.
#include "field_test_site.h"

#include "support/window_capture.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/auto_complete.h"
#include "toolkit/commandbars/control_action.h"
#include "toolkit/commandbars/control_combo.h"
#include "toolkit/common/prop_exchange.h"

#include "framework/archive.h"
#include "framework/file.h"

namespace {

constexpr UINT kComboId = 42201;
constexpr UINT kEditId = 42202;

// Stores the object's record at the schema into the file, or loads it back.
template <class T>
void Exchange(T& object, CMemFile& file, BOOL bStore, int nSchema)
{
    file.SeekToBegin();
    CArchive ar(&file, bStore ? CArchive::store : CArchive::load);
    CKitPropExchangeArchive px(ar);
    px.SetSchema(nSchema);
    px.ExchangeSchema();
    object.DoPropExchange(&px);
    ar.Close();
}

// The shell's completion bound without the shell.
HRESULT BindAlways(HWND, DWORD)
{
    return S_OK;
}

class ComboTest : public FieldTest {
protected:
    CKitControlComboBox* AddCombo(std::initializer_list<const char*> items)
    {
        auto* pCombo = static_cast<CKitControlComboBox*>(m_pBar->GetControls()->Add(new CKitControlComboBox(), kComboId));
        pCombo->SetWidth(140);
        for (const char* item : items)
            pCombo->AddString(item);
        return pCombo;
    }

    CRect ListWindowRect(CKitControlComboBox* pCombo) const
    {
        CRect rc;
        pCombo->GetCommandBar()->GetWindowRect(&rc);
        return rc;
    }
};

} // namespace

// The list shows the maximum number of rows at most and one row at least.
TEST_F(ComboTest, TheDropDownShowsAtMostTheMaximumRows)
{
    CKitControlComboBox* pCombo = AddCombo({});
    for (int i = 0; i < 20; i++) {
        CString strItem;
        strItem.Format("Item %i", i + 1);
        pCombo->AddString(strItem);
    }
    Layout();
    CKitControlComboBoxList* pList = pCombo->GetList();
    EXPECT_EQ(12, pList->GetVisibleRows(pCombo->GetMaxDropDownItems()));
    ASSERT_TRUE(m_pBar->OpenPopupAt(pCombo->GetIndex()));
    ASSERT_TRUE(pCombo->GetDroppedState());
    const int nItemHeight = static_cast<int>(pList->GetListBox()->SendMessage(LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(12 * nItemHeight + 4, ListWindowRect(pCombo).Height());
    EXPECT_EQ(pCombo->GetRect().Width(), ListWindowRect(pCombo).Width());
    EXPECT_EQ(20, pList->GetListBox()->GetCount());
    EXPECT_EQ(1, m_site.Count(kitComboNotifyDropDown));
    m_pBar->OpenPopupAt(-1);
    EXPECT_FALSE(pCombo->GetDroppedState());
    EXPECT_EQ(1, m_site.Count(kitComboNotifyCloseUp));

    pList->ResetContent();
    EXPECT_EQ(1, pList->GetVisibleRows(pCombo->GetMaxDropDownItems()));
    pCombo->SetMaxDropDownItems(3);
    pCombo->AddString("a");
    pCombo->AddString("b");
    EXPECT_EQ(2, pList->GetVisibleRows(pCombo->GetMaxDropDownItems()));
}

// Typing completes from the first item the text begins (ignoring case) with the completed tail
// selected; the change a Backspace makes is not completed.
TEST_F(ComboTest, TypingCompletesFromTheListUntilBackspace)
{
    CKitControlComboBox* pCombo = AddCombo({"Abc", "abd"});
    pCombo->ShowEditPart(TRUE);
    pCombo->EnableAutoComplete(TRUE);
    Layout();
    ASSERT_TRUE(pCombo->HasWindow());
    pCombo->SetFocused(TRUE);
    PumpMessages();
    CKitCommandBarEditCtrl* pEdit = pCombo->GetEditCtrl();
    ASSERT_EQ(pEdit->GetSafeHwnd(), ::GetFocus());

    // Each key goes by the bar's hook first, then reaches the window as a key and a character.
    auto type = [&](char ch) {
        const UINT nKey = static_cast<UINT>(::toupper(ch));
        EXPECT_NE(CKitHookManagerHookAble::kHandled, pCombo->OnHookKeyDown(nKey, 0));
        pEdit->SendMessage(WM_KEYDOWN, nKey, 0);
        pEdit->SendMessage(WM_CHAR, static_cast<WPARAM>(ch), 0);
    };
    type('a');
    type('b');
    int nStart = -1;
    int nEnd = -1;
    pEdit->GetSel(nStart, nEnd);
    EXPECT_STREQ("Abc", pCombo->GetEditText());
    EXPECT_EQ(2, nStart);
    EXPECT_EQ(3, nEnd);
    EXPECT_EQ(0, pCombo->GetCurSel());
    EXPECT_LE(1, m_site.Count(kitComboNotifyEditChange));

    type('\b');
    EXPECT_STREQ("Ab", pCombo->GetEditText());
    pEdit->GetSel(nStart, nEnd);
    EXPECT_EQ(2, nStart);
    EXPECT_EQ(2, nEnd);
    // No item is exactly "Ab": nothing stays selected.
    EXPECT_EQ(-1, pCombo->GetCurSel());

    // Without type-ahead the typed text stands.
    pCombo->EnableAutoComplete(FALSE);
    type('d');
    EXPECT_STREQ("Abd", pCombo->GetEditText());
    EXPECT_EQ(1, pCombo->GetCurSel());
}

// Escape brings back the selection and the text of the focus arrival, with and without an edit part.
TEST_F(ComboTest, EscapeRestoresThePreviousSelection)
{
    CKitControlComboBox* pCombo = AddCombo({"One", "Two", "Three"});
    Layout();
    pCombo->SetCurSel(1);
    EXPECT_STREQ("Two", pCombo->GetEditText());
    pCombo->SetFocused(TRUE);
    EXPECT_EQ(CKitHookManagerHookAble::kHandled, pCombo->OnHookKeyDown(VK_DOWN, 0));
    EXPECT_EQ(2, pCombo->GetCurSel());
    EXPECT_STREQ("Three", pCombo->GetEditText());
    pCombo->OnHookKeyDown(VK_ESCAPE, 0);
    EXPECT_EQ(1, pCombo->GetCurSel());
    EXPECT_STREQ("Two", pCombo->GetEditText());
    EXPECT_FALSE(pCombo->IsFocused());

    pCombo->ShowEditPart(TRUE);
    Layout();
    ASSERT_TRUE(pCombo->HasWindow());
    pCombo->SetFocused(TRUE);
    PumpMessages();
    pCombo->GetEditCtrl()->SetWindowText("Tw");
    EXPECT_STREQ("Tw", pCombo->GetEditText());
    EXPECT_EQ(-1, pCombo->GetCurSel());
    pCombo->OnHookKeyDown(VK_ESCAPE, 0);
    EXPECT_EQ(1, pCombo->GetCurSel());
    EXPECT_STREQ("Two", pCombo->GetEditText());
    EXPECT_STREQ("Two", pCombo->GetEditCtrl()->GetText());
}

// Closing the list tells the site the selection was cancelled only when no item was taken.
TEST_F(ComboTest, ClosingWithoutAnItemCancelsTheSelection)
{
    CKitControlComboBox* pCombo = AddCombo({"One", "Two", "Three"});
    Layout();
    ASSERT_TRUE(m_pBar->OpenPopupAt(pCombo->GetIndex()));
    m_pBar->OpenPopupAt(-1);
    EXPECT_EQ(1, m_site.Count(kitComboNotifySelEndCancel));
    EXPECT_EQ(0, m_site.Count(kitComboNotifySelEndOk));

    ASSERT_TRUE(m_pBar->OpenPopupAt(pCombo->GetIndex()));
    pCombo->GetList()->OnListRelease(2);
    m_pBar->OpenPopupAt(-1);
    EXPECT_EQ(2, pCombo->GetCurSel());
    EXPECT_STREQ("Three", pCombo->GetEditText());
    EXPECT_EQ(1, m_site.Count(kitComboNotifySelEndOk));
    EXPECT_EQ(1, m_site.Count(kitComboNotifySelEndCancel));
    EXPECT_EQ(1, m_site.Count(kitComboNotifySelChange));
}

// The list keeps its items, their data and its icon id through the property exchange; the items'
// data arrived with schema 37, and older streams give 0.
TEST(KitControlComboBoxList, ItemsAndTheirDataAreStoredAndLoaded)
{
    const int schemas[] = {CKitPropExchange::kDefaultSchema, 36};
    for (int nSchema : schemas) {
        CKitControlComboBoxList stored;
        stored.AddString("First", 7);
        stored.AddString("", 0);
        stored.AddString("Third", 0xFFFFFFFF);
        stored.SetListIconId(300);
        CMemFile file;
        Exchange(stored, file, TRUE, nSchema);

        CKitControlComboBoxList loaded;
        loaded.AddString("stale");
        Exchange(loaded, file, FALSE, nSchema);
        ASSERT_EQ(3, loaded.GetCount()) << nSchema;
        EXPECT_STREQ("First", loaded.GetItemText(0));
        EXPECT_STREQ("", loaded.GetItemText(1));
        EXPECT_STREQ("Third", loaded.GetItemText(2));
        const bool bData = nSchema >= 37;
        EXPECT_EQ(bData ? 7u : 0u, loaded.GetItemData(0)) << nSchema;
        EXPECT_EQ(bData ? 0xFFFFFFFFu : 0u, loaded.GetItemData(2)) << nSchema;
        EXPECT_EQ(300, loaded.GetListIconId());
    }
}

// The combo box's settings come back; each group only from the schema that carries it, the rest keeping a new
// combo box's values.
TEST(KitControlComboBox, SettingsAreStoredFromTheirSchemas)
{
    struct Case {
        int nSchema;
        BOOL bEditSettings, bEditStyle, bTextLimit;
    };
    const Case cases[] = {{CKitPropExchange::kDefaultSchema, TRUE, TRUE, TRUE},
                          {34, TRUE, TRUE, FALSE},
                          {16, TRUE, FALSE, FALSE},
                          {8, FALSE, FALSE, FALSE}};
    for (const Case& c : cases) {
        CKitControlComboBox stored;
        stored.ShowEditPart(TRUE);
        stored.SetWidth(180);
        stored.SetEditHint("Find a tag");
        stored.SetShellAutoCompleteFlags(0x10000001);
        stored.EnableAutoComplete(TRUE);
        stored.SetEditIconId(301);
        stored.SetMaxDropDownItems(20);
        stored.SetEditStyle(ES_UPPERCASE);
        stored.SetCharLimit(32);
        CMemFile file;
        Exchange(stored, file, TRUE, c.nSchema);

        CKitControlComboBox loaded;
        Exchange(loaded, file, FALSE, c.nSchema);
        EXPECT_TRUE(loaded.IsEditPartShown()) << c.nSchema;
        EXPECT_EQ(180, loaded.GetWidth());
        EXPECT_STREQ(c.bEditSettings ? "Find a tag" : "", loaded.GetEditHint()) << c.nSchema;
        EXPECT_EQ(c.bEditSettings ? 0x10000001u : 0u, loaded.GetShellAutoCompleteFlags());
        EXPECT_EQ(c.bEditSettings ? 301u : 0u, loaded.GetEditIconId());
        EXPECT_EQ(c.bEditSettings ? 20 : 12, loaded.GetMaxDropDownItems());
        EXPECT_EQ(c.bEditStyle ? static_cast<DWORD>(ES_UPPERCASE) : 0u, loaded.GetEditStyle()) << c.nSchema;
        EXPECT_EQ(c.bTextLimit ? 32 : 0, loaded.GetCharLimit()) << c.nSchema;
    }
}

// The edit window takes the extra styles and the character limit and starts after the edit icon; the shell's
// completion is bound to it, and Tab stays with the combo box only when the completion may use it.
TEST_F(ComboTest, TheEditWindowTakesItsSettings)
{
    CKitControlComboBoxAutoCompleteWnd::SetBinder(&BindAlways);
    CKitControlComboBox* pCombo = AddCombo({"One", "Two"});
    pCombo->ShowEditPart(TRUE);
    pCombo->SetEditStyle(ES_UPPERCASE);
    pCombo->SetCharLimit(5);
    pCombo->SetShellAutoCompleteFlags(1);
    Layout();
    ASSERT_TRUE(pCombo->HasWindow());
    CKitCommandBarEditCtrl* pEdit = pCombo->GetEditCtrl();
    EXPECT_NE(0, pEdit->GetStyle() & ES_UPPERCASE);
    EXPECT_EQ(5, static_cast<int>(pEdit->SendMessage(EM_GETLIMITTEXT, 0, 0)));
    EXPECT_NE(nullptr, pCombo->GetAutoCompleteWnd());
    CRect rcPlain;
    pEdit->GetWindowRect(&rcPlain);

    pCombo->SetEditIconId(301);
    pCombo->SetRect(pCombo->GetRect() + CPoint(0, 1));
    pCombo->SetRect(pCombo->GetRect() - CPoint(0, 1));
    CRect rcIcon;
    pEdit->GetWindowRect(&rcIcon);
    EXPECT_EQ(rcPlain.left + 18, rcIcon.left);

    pCombo->SetFocused(TRUE);
    PumpMessages();
    EXPECT_EQ(CKitHookManagerHookAble::kNotHandled, pCombo->OnHookKeyDown(VK_TAB, 0));
    pCombo->SetShellAutoCompleteFlags(1 | CKitControlComboBoxAutoCompleteWnd::kFlagUseTab);
    EXPECT_EQ(CKitHookManagerHookAble::kStopAsking, pCombo->OnHookKeyDown(VK_TAB, 0));
    pCombo->SetFocused(FALSE);
    CKitControlComboBoxAutoCompleteWnd::SetBinder(nullptr);
}

// The field windows of an edit and a combo box follow the control's enabled state and their action's visibility.
TEST_F(ComboTest, FieldWindowsFollowTheStateAndTheAction)
{
    m_manager.EnableActions();
    CKitControlComboBox* pCombo = AddCombo({"One"});
    pCombo->ShowEditPart(TRUE);
    auto* pEdit = static_cast<CKitControlEdit*>(m_pBar->GetControls()->Add(new CKitControlEdit(), kEditId));
    Layout();
    const struct {
        CKitControl* pControl;
        CKitCommandBarEditCtrl* pWindow;
    } fields[] = {{pCombo, pCombo->GetEditCtrl()}, {pEdit, pEdit->GetEditCtrl()}};
    for (const auto& field : fields) {
        ASSERT_NE(nullptr, field.pWindow);
        const HWND hWnd = field.pWindow->GetSafeHwnd();
        ASSERT_TRUE(::IsWindowVisible(hWnd)) << field.pControl->GetType();
        field.pControl->SetEnabled(FALSE);
        EXPECT_FALSE(::IsWindowEnabled(hWnd)) << field.pControl->GetType();
        field.pControl->SetEnabled(TRUE);
        EXPECT_TRUE(::IsWindowEnabled(hWnd));

        CKitControlAction* pAction = m_manager.GetActions()->CreateAction(field.pControl->GetId());
        field.pControl->SetAction(pAction);
        pAction->SetVisible(FALSE);
        EXPECT_FALSE(::IsWindowVisible(hWnd)) << field.pControl->GetType();
        pAction->SetVisible(TRUE);
        EXPECT_TRUE(::IsWindowVisible(hWnd)) << field.pControl->GetType();
    }
}

// The wheel moves the selection of a focused combo box, downwards for a negative delta; closed or unfocused it
// is left to the bar.
TEST_F(ComboTest, TheWheelMovesTheSelectionWhileFocused)
{
    CKitControlComboBox* pCombo = AddCombo({"One", "Two", "Three"});
    Layout();
    pCombo->SetCurSel(0);
    EXPECT_FALSE(pCombo->OnHookMouseWheel(0, -WHEEL_DELTA, CPoint()));
    pCombo->SetFocused(TRUE);
    EXPECT_TRUE(pCombo->OnHookMouseWheel(0, -WHEEL_DELTA, CPoint()));
    EXPECT_EQ(1, pCombo->GetCurSel());
    EXPECT_STREQ("Two", pCombo->GetEditText());
    EXPECT_TRUE(pCombo->OnHookMouseWheel(0, WHEEL_DELTA, CPoint()));
    EXPECT_EQ(0, pCombo->GetCurSel());
    ASSERT_TRUE(m_pBar->OpenPopupAt(pCombo->GetIndex()));
    EXPECT_FALSE(pCombo->OnHookMouseWheel(0, -WHEEL_DELTA, CPoint()));
    m_pBar->OpenPopupAt(-1);
    pCombo->SetFocused(FALSE);
}

// An edit with spin buttons beside an open combo box.
TEST_F(ComboTest, Screenshot)
{
    auto* pEdit = static_cast<CKitControlEdit*>(m_pBar->GetControls()->Add(new CKitControlEdit(), kEditId));
    pEdit->SetCaption("Zoom:");
    pEdit->SetStyle(kitButtonCaption);
    pEdit->SetWidth(110);
    pEdit->ShowSpinButtons(TRUE);
    pEdit->SetEditText("15");
    CKitControlComboBox* pCombo = AddCombo({"Arial", "Courier New", "Tahoma", "Times New Roman", "Verdana"});
    pCombo->SetWidth(130);
    pCombo->ShowEditPart(TRUE);
    Layout();
    pCombo->SetCurSel(2);
    ASSERT_TRUE(m_pBar->OpenPopupAt(pCombo->GetIndex()));
    PumpMessages();
    m_pBar->UpdateWindow();
    pCombo->GetCommandBar()->UpdateWindow();
    m_site.UpdateWindow();
    CRect rcShot;
    m_site.GetWindowRect(&rcShot);
    rcShot.UnionRect(rcShot, ListWindowRect(pCombo));
    const WindowImage shot = CaptureScreenRect(rcShot);
    EXPECT_EQ("", SaveScreenshot("commandbar-edit-combo", shot.width, shot.height, shot.pixels));
    m_pBar->OpenPopupAt(-1);
}
