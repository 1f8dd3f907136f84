// NodeButtonTest, ButtonSeams, OpenMenu: the network view's buttons over the running Corvel, with the dialogs
// they open and the tag view's refills recorded, and the menus they track read while open.
#pragma once

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/gateway_ui/transfer_dlg.h"
#include "corvel/mapping/ied_map_dlg.h"
#include "corvel/model/ied_records.h"
#include "corvel/workspace/buttons.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "../app/corvel_app_environment.h"
#include "support/message_box_recorder.h"
#include "support/minimal_scl.h"
#include "support/temp_folder.h"
#include "support/test_program.h"

// A dialog a button ran: its class and what it was given.
struct RanDialog {
    std::string className;
    CString sclPath;    // of the IED mapping dialog
    bool upload = false; // of the transfer dialog
    DWORD at = 0;       // tick count when it ran
};

// While it lives, the buttons' dialogs are recorded instead of shown (each answers result), the click wait
// lasts kWaitMs and every refill of the tag view is recorded with its tick count (afterFill runs after each).
class ButtonSeams {
public:
    static constexpr UINT kWaitMs = 300;

    explicit ButtonSeams(INT_PTR result = IDOK)
    {
        NodeButtonSeams seams;
        seams.clickWaitMs = kWaitMs;
        seams.runDialog = [this, result](CDialog& dialog) {
            RanDialog ran;
            ran.className = dialog.GetRuntimeClass()->m_lpszClassName;
            ran.at = ::GetTickCount();
            if (const auto* mapping = dynamic_cast<CIEDMapDlg*>(&dialog))
                ran.sclPath = mapping->m_sclPath;
            if (const auto* transfer = dynamic_cast<CDlgTransferFile*>(&dialog))
                ran.upload = transfer->IsUpload();
            dialogs.push_back(ran);
            return result;
        };
        seams.tagViewFilled = [this] {
            fills.push_back(::GetTickCount());
            if (afterFill)
                afterFill();
        };
        m_previous = SetNodeButtonSeams(std::move(seams));
    }
    ~ButtonSeams() { SetNodeButtonSeams(std::move(m_previous)); }
    ButtonSeams(const ButtonSeams&) = delete;
    ButtonSeams& operator=(const ButtonSeams&) = delete;

    std::vector<std::string> DialogClasses() const
    {
        std::vector<std::string> names;
        for (const RanDialog& ran : dialogs)
            names.push_back(ran.className);
        return names;
    }

    std::vector<RanDialog> dialogs;
    std::vector<DWORD> fills;
    std::function<void()> afterFill;

private:
    NodeButtonSeams m_previous;
};

// The texts of a menu's items ("-" for a separator), with "(grey)" behind greyed items.
inline std::vector<std::string> MenuItems(HMENU menu)
{
    std::vector<std::string> items;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE;
        ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            items.push_back("-");
            continue;
        }
        char text[128] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        items.push_back(std::string(text) + ((info.fState & MFS_GRAYED) ? " (grey)" : ""));
    }
    return items;
}

// Runs open (which tracks a popup menu and returns when it ends); while the menu of this thread is open,
// inspect sees it, then the menu is cancelled. False when no menu opened.
inline bool WithOpenMenu(const std::function<void()>& open, const std::function<void(HMENU, HWND)>& inspect)
{
    static std::function<void(HMENU, HWND)> s_inspect;
    static bool s_seen;
    s_inspect = inspect;
    s_seen = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND found = nullptr;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND window, LPARAM out) {
                char name[16] = {};
                ::GetClassNameA(window, name, sizeof name);
                if (std::string(name) != "#32768" || !::IsWindowVisible(window))
                    return TRUE;
                *reinterpret_cast<HWND*>(out) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        if (found == nullptr)
            return;
        ::KillTimer(nullptr, id);
        s_seen = true;
        s_inspect(reinterpret_cast<HMENU>(::SendMessageA(found, MN_GETHMENU, 0, 0)), found);
        ::EndMenu();
    });
    open();
    ::KillTimer(nullptr, timer);
    return s_seen;
}

// Runs action once, about ms milliseconds from now, from whichever loop dispatches the thread's messages.
inline void AfterMs(UINT ms, std::function<void()> action)
{
    static std::map<UINT_PTR, std::function<void()>> s_actions;
    const UINT_PTR id = ::SetTimer(nullptr, 0, ms, [](HWND, UINT, UINT_PTR timer, DWORD) {
        ::KillTimer(nullptr, timer);
        const auto found = s_actions.find(timer);
        if (found == s_actions.end())
            return;
        const std::function<void()> run = std::move(found->second);
        s_actions.erase(found);
        run();
    });
    s_actions[id] = std::move(action);
}

// Each test starts from a new project with the program's own settings and the buttons' seams; IEDs are placed
// from SCL files written into a scratch folder.
class NodeButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = &CorvelAppEnvironment::App();
        app->SetRegistryKey(TestRegistryKey());
        doc = CorvelAppEnvironment::Doc();
        frame = CorvelAppEnvironment::Frame();
        view = CorvelAppEnvironment::View();
        ASSERT_NE(nullptr, doc);
        ASSERT_NE(nullptr, view);
        doc->modified = false;
        doc->OnFileNew();
        frame->currentDeviceId = 0;
        frame->currentDeviceKind = 0;
        Pump();
    }
    void TearDown() override
    {
        Pump();
        doc->modified = false;
        doc->OnFileNew();
        frame->currentDeviceId = 0;
        frame->currentDeviceKind = 0;
    }

    // Writes an SCL file describing iedName and places the IED from it; its device record.
    CMainDoc::_IED_DEVICE* PlaceIed(const char* iedName)
    {
        const CString path = folder.File(CString(iedName) + ".icd");
        WriteSclFile(path, iedName);
        const CConnectedAP entry(CIED(iedName, "M", "", ""), "192.168.0.50", "255.255.255.0", "", "", "", "", "", "");
        const int id = view->AddDevice(CMainDoc::kKindIed, path, &entry);
        view->UpdateWindow();
        Pump();
        return FindIed(id);
    }
    static void WriteSclFile(const CString& path, const char* iedName)
    {
        const std::string text = MinimalSclFile(iedName);
        FILE* f = fopen(path, "wb");
        ASSERT_NE(nullptr, f);
        fwrite(text.data(), 1, text.size(), f);
        fclose(f);
    }
    CMainDoc::_IED_DEVICE* FindIed(int id)
    {
        for (POSITION pos = doc->project.iedDevices.GetHeadPosition(); pos != nullptr;) {
            CMainDoc::_IED_DEVICE* device = doc->project.iedDevices.GetNext(pos);
            if (device->devNum == id)
                return device;
        }
        return nullptr;
    }
    CMainDoc::CPLC_Device* FirstPlc() { return doc->project.plcDevices.GetHead(); }

    // Queues a click (or a double click) on a button, as the mouse gives it.
    static void PostClick(CWnd& button, bool twice = false)
    {
        const LPARAM at = MAKELPARAM(20, 20);
        button.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        button.PostMessage(WM_LBUTTONUP, 0, at);
        if (twice) {
            button.PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            button.PostMessage(WM_LBUTTONUP, 0, at);
        }
    }
    static void Pump() { PumpMessages(); }

    TempFolder folder;
    CWinApp* app = nullptr;
    CMainDoc* doc = nullptr;
    CMainFrame* frame = nullptr;
    CMainView* view = nullptr;
};
