// kithost's MDI frame: toolbars docked on two edges and a floating one, two document types that
// switch the menu bar, and the bars' state kept under the program's registry key;
// build/screens/kithost-docked.png.
#include "kithost_steps.h"
#include "support/message_pump.h"
#include "support/test_program.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/dock_bar.h"
#include "toolkit/commandbars/keyboard_tip.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "tools/kithost/kithost_frame.h"
#include "tools/kithost/res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class KitHostDocking : public testing::Test {
protected:
    void SetUp() override
    {
        CKitPaintManager::SetTheme(0);
        m_strKey = TestRegistryRoot() + "\\kithost-bars";
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_strKey);
    }
    void TearDown() override
    {
        Close();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_strKey);
        CKitPaintManager::Done();
    }

    void Open(BOOL bKeepState)
    {
        m_pFrame = new CKitHostFrame();
        if (bKeepState)
            m_pFrame->SetBarStateKey(m_strKey);
        ASSERT_TRUE(m_pFrame->CreateHost());
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        m_pFrame->SetForegroundWindow();
        Idle();
    }
    void Close()
    {
        if (m_pFrame != nullptr)
            m_pFrame->DestroyWindow();
        m_pFrame = nullptr;
        PumpMessages();
    }
    void Idle() { KitHostIdle(m_pFrame); }
    std::vector<std::string> MenuCaptions() const
    {
        std::vector<std::string> captions;
        CKitMenuBar* pMenuBar = m_pFrame->GetMenuBar();
        for (int i = 0; i < pMenuBar->GetControlCount(); i++) {
            if (!pMenuBar->GetControl(i)->IsTemporary())
                captions.push_back(static_cast<LPCSTR>(pMenuBar->GetControl(i)->GetCaption()));
        }
        return captions;
    }

    CString m_strKey;
    CKitHostFrame* m_pFrame = nullptr;
};

TEST_F(KitHostDocking, BarsDockOnTwoEdgesAndFloatAndDocumentTypesSwitchTheMenus)
{
    Open(FALSE);
    CKitCommandBarManager* pCommandBars = m_pFrame->GetCommandBars();
    CKitToolBar* pTools = m_pFrame->GetToolsBar();
    CKitToolBar* pDocuments = m_pFrame->GetDocumentsBar();
    EXPECT_EQ(pCommandBars->GetDockBar(kitBarTop), m_pFrame->GetToolBar()->GetDockBar());
    EXPECT_EQ(pCommandBars->GetDockBar(kitBarLeft), pTools->GetDockBar());
    EXPECT_TRUE(pDocuments->IsFloating());
    EXPECT_TRUE(pDocuments->IsVisible());
    EXPECT_EQ(m_pFrame->GetSafeHwnd(), ::GetWindow(pDocuments->GetSafeHwnd(), GW_OWNER));
    CRect rcTools, rcMdi;
    pTools->GetWindowRect(&rcTools);
    ::GetWindowRect(m_pFrame->GetMDIClient(), &rcMdi);
    EXPECT_EQ(rcTools.right, rcMdi.left) << "the documents begin right of the left bar";

    using Captions = std::vector<std::string>;
    EXPECT_EQ((Captions{"&File", "&Edit", "&View", "&Help"}), MenuCaptions());
    m_pFrame->SendMessage(WM_COMMAND, ID_KIT_NEW_TEXT);
    Idle();
    EXPECT_EQ((Captions{"&File", "&Text", "&Window"}), MenuCaptions());
    m_pFrame->SendMessage(WM_COMMAND, ID_KIT_NEW_GRID);
    Idle();
    EXPECT_EQ((Captions{"&File", "&Grid", "&Window"}), MenuCaptions());
    ::SendMessageA(m_pFrame->GetMDIClient(), WM_MDINEXT, 0, 0);
    Idle();
    EXPECT_EQ((Captions{"&File", "&Text", "&Window"}), MenuCaptions());
    // Wine's bare desktop stacks a frame brought forward over the windows it owns: shown again, the
    // floating bar comes back on top, as it stays on Windows.
    pDocuments->ShowWindow(SW_HIDE);
    pDocuments->ShowWindow(SW_SHOWNA);

    // The File menu open from the keyboard, with its keyboard tips, over the docked and floating bars.
    CKitMenuBar* pMenuBar = m_pFrame->GetMenuBar();
    pMenuBar->SetTrackingMode(TRUE, TRUE, TRUE);
    pMenuBar->OpenPopupAt(0, TRUE);
    Idle();
    auto* pFile = static_cast<CKitControlPopup*>(pMenuBar->GetControl(0));
    CKitCommandBar* pFileBar = pFile->GetCommandBar();
    ASSERT_NE(nullptr, pFileBar);
    EXPECT_TRUE(pFileBar->IsVisible());
    pFileBar->ShowKeyboardTips();
    Idle();
    EXPECT_FALSE(pCommandBars->GetKeyboardTips().empty());
    const WindowImage image = CaptureScreenArea(m_pFrame->GetSafeHwnd());
    EXPECT_EQ("", SaveScreenshot("kithost-docked", image.width, image.height, image.pixels));
    pCommandBars->HideKeyboardTips();
    pMenuBar->LeaveTrackingMode();
    pCommandBars->ClosePopups();
}

TEST_F(KitHostDocking, TheBarsComeBackWhereAndAsTheUserLeftThem)
{
    Open(TRUE);
    CKitToolBar* pStandard = m_pFrame->GetToolBar();
    ASSERT_EQ(8, pStandard->GetControlCount());
    // The user takes About off the standard bar and moves the tools to the right edge.
    pStandard->GetControls()->Remove(7);
    ASSERT_TRUE(m_pFrame->GetToolsBar()->SetPosition(kitBarRight));
    Idle();
    Close();

    Open(TRUE);
    EXPECT_EQ(7, m_pFrame->GetToolBar()->GetControlCount());
    EXPECT_EQ(kitBarRight, m_pFrame->GetToolsBar()->GetPosition());
    EXPECT_EQ(m_pFrame->GetCommandBars()->GetDockBar(kitBarRight), m_pFrame->GetToolsBar()->GetDockBar());
    EXPECT_TRUE(m_pFrame->GetDocumentsBar()->IsFloating());
    Close();

    // Without a key nothing is kept.
    Open(FALSE);
    EXPECT_EQ(8, m_pFrame->GetToolBar()->GetControlCount());
    EXPECT_EQ(kitBarLeft, m_pFrame->GetToolsBar()->GetPosition());
}

} // namespace
