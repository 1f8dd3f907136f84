// OstrelAppTest, ScriptedQuorrelDlg: Ostrel's main dialog against the test program's module simulator, with its
// prompts answered by the test, its settings under the test program's registry key and its message boxes recorded.
#pragma once

// Windows Sockets 2 before anything that brings in windows.h.
#include "framework/socket.h"

#include "framework/ui.h"
#include "ostrel/app/quorrel_dlg.h"
#include "ostrel/app/res/resource.h"
#include "ostrel/monitor/diagnostic_tcp_client.h"
#include "ostrel/monitor/monitor_limits.h"

#include "support/message_box_recorder.h"
#include "support/module_simulator.h"
#include "support/test_program.h"

#include <objbase.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

// The main dialog with the prompts that a user answers replaced by a script.
class ScriptedQuorrelDlg : public CQuorrelDlg {
public:
    using CQuorrelDlg::CQuorrelDlg;

    // Addresses the address dialog is answered with; after the last one it is cancelled.
    std::deque<CString> addresses;
    // The addresses the dialog was preset with, in order.
    std::vector<CString> presets;
    std::deque<int> rates;
    std::vector<CString> opened;

protected:
    bool AskForAddress(CString& address) override
    {
        presets.push_back(address);
        if (addresses.empty())
            return false;
        address = addresses.front();
        addresses.pop_front();
        return true;
    }
    bool AskForUpdateRate(int& rate) override
    {
        if (rates.empty())
            return false;
        rate = rates.front();
        rates.pop_front();
        return true;
    }
    void OpenFile(const CString& path) override { opened.push_back(path); }
};

// The application object of the tests: Ostrel's name, the test program's registry key.
class OstrelTestApp : public CWinApp {
public:
    OstrelTestApp() : CWinApp("Ostrel") { SetRegistryKey(TestRegistryKey()); }
};

class OstrelAppTest : public ModuleSimulatorTest {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_TRUE(AfxSocketInit());
    }
    static void TearDownTestSuite() { ::CoUninitialize(); }

    void TearDown() override
    {
        for (auto& dialog : m_dialogs) {
            if (dialog->m_hWnd != nullptr)
                dialog->DestroyWindow();
        }
        m_dialogs.clear();
        ModuleSimulatorTest::TearDown();
    }

    // A main dialog made for arguments, with addresses to answer its prompts; it starts as the program starts it.
    ScriptedQuorrelDlg& Start(const std::vector<CString>& arguments, std::deque<CString> answers = {})
    {
        m_dialogs.push_back(std::make_unique<ScriptedQuorrelDlg>(arguments));
        ScriptedQuorrelDlg& dialog = *m_dialogs.back();
        dialog.addresses = std::move(answers);
        dialog.Create(IDD_OSTREL_DIALOG);
        return dialog;
    }
    ScriptedQuorrelDlg& StartOnModule() { return Start({ModuleAddress()}); }

    static CString Title(CWnd& window)
    {
        CString title;
        window.GetWindowText(title);
        return title;
    }
    // The row of the tag named name, or -1.
    static int RowOf(CQuorrelDlg& dialog, LPCSTR name)
    {
        CMonitorGrid& grid = dialog.GetGrid();
        for (int row = 1; row < grid.GetRowCount(); ++row) {
            if (grid.GetItemText(row, kColumnName) == name)
                return row;
        }
        return -1;
    }
    std::string TextRequests()
    {
        std::string all;
        for (const std::string& connection : Simulator().Requests("tcp"))
            all += connection;
        return all;
    }

    OstrelTestApp app;
    MessageBoxRecorder boxes;

private:
    std::vector<std::unique_ptr<ScriptedQuorrelDlg>> m_dialogs;
};
