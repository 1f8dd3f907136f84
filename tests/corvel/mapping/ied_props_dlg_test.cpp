// The IED properties dialog over the running Corvel: the general page shows the IED record, the MMS timings
// are checked before anything is stored, the network settings button, the comment limit; its screenshot.
#include "corvel/mapping/ied_props_dlg.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"

#include <gtest/gtest.h>

#include <memory>

#include "../app/corvel_app_environment.h"
#include "support/message_box_recorder.h"
#include "support/window_screenshot.h"

namespace {

using namespace Corvel::Mapping;
using Corvel::Records::_IED_DEVICE;

class IedPropsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = CorvelAppEnvironment::Doc();
        ASSERT_NE(nullptr, doc);
        doc->modified = false;
        doc->OnFileNew();
        auto pos = doc->project.iedDevices.GetHeadPosition();
        doc->project.iedDevices.GetNext(pos);
        ied = doc->project.iedDevices.GetNext(pos);
        ied->state = Corvel::Records::kSlotInUse;
        ied->name = "feeder_relay";
        ied->comment = "Bay 4 protection";
        ied->IPaddr = "10.20.30.40";
        ied->IPMask = "255.255.0.0";
        ied->Gateway = "10.20.0.1";
        ied->MSScanDelay = "500";
        ied->MMSping.Empty();
        doc->modified = false;
    }
    void TearDown() override
    {
        if (dialog && dialog->m_hWnd != nullptr)
            dialog->DestroyWindow();
        dialog.reset();
        PumpMessages();
        doc->modified = false;
        doc->OnFileNew();
    }

    void Open()
    {
        dialog = std::make_unique<CIEDPropsDlg>(CorvelAppEnvironment::Frame());
        dialog->SetProject(doc, ied->devNum);
        ASSERT_TRUE(dialog->Create(IDD_IED_PROPERTIES, CorvelAppEnvironment::Frame()));
        dialog->ShowWindow(SW_SHOWNA);
        PumpMessages();
    }
    CWnd& Control(UINT id) { return *dialog->GetGeneralPage().GetDlgItem(id); }
    CString Text(UINT id)
    {
        CString text;
        Control(id).GetWindowText(text);
        return text;
    }
    void SetText(UINT id, const CString& text) { Control(id).SetWindowText(text); }

    CMainDoc* doc = nullptr;
    _IED_DEVICE* ied = nullptr;
    std::unique_ptr<CIEDPropsDlg> dialog;
};

TEST_F(IedPropsDialogTest, GeneralPageShowsTheRecord)
{
    Open();
    ASSERT_EQ(ied, dialog->GetDevice());
    EXPECT_EQ(CString("feeder_relay"), Text(IDC_IED_NAME));
    EXPECT_EQ(CString("Bay 4 protection"), Text(IDC_IED_COMMENT));
    EXPECT_EQ(CString("500"), Text(IDC_IED_MMS_SCAN_DELAY));
    EXPECT_EQ(CString("12"), Text(IDC_IED_MMS_PING));
    const auto settings = dialog->GetGeneralPage().ReadControls();
    EXPECT_EQ(CString("10.20.30.40"), settings.ipAddress);
    EXPECT_EQ(CString("255.255.0.0"), settings.subnetMask);
    EXPECT_EQ(CString("10.20.0.1"), settings.gateway);
    EXPECT_FALSE(Control(IDC_IED_IP_ADDRESS).IsWindowEnabled());
    EXPECT_FALSE(Control(IDC_IED_GATEWAY).IsWindowEnabled());
    EXPECT_TRUE(Control(IDC_IED_NAME).IsWindowEnabled());
    EXPECT_TRUE(dialog->GetGeneralPage().IsWindowVisible());
    EXPECT_EQ(2, dialog->GetTabs().GetItemCount());

    const std::string failure = SaveWindowScreenshot(dialog->m_hWnd, "ied-properties");
    EXPECT_EQ("", failure);
}

TEST_F(IedPropsDialogTest, DetailedPageShowsTheDeviceFile)
{
    ied->CIDFile = "C:\\Projects\\SCLFiles\\feeder_relay.cid";
    Open();
    ASSERT_EQ(2, dialog->GetTabs().GetItemCount());
    CDetailed& page = dialog->GetDetailedPage();
    ASSERT_EQ(&page, dialog->GetTabs().GetPage(1));
    EXPECT_EQ(ied, page.GetDevice());
    EXPECT_EQ(ied, CorvelAppEnvironment::Frame()->currentDevice) << "the page makes it the selected record";
    CString file;
    page.GetDlgItem(IDC_DETAILED_FILE)->GetWindowText(file);
    EXPECT_EQ(ied->CIDFile, file);
    EXPECT_TRUE(page.GetDlgItem(IDC_DETAILED_FILE)->GetStyle() & ES_READONLY);
    EXPECT_FALSE(page.IsWindowVisible()) << "the general page is shown first";
}

TEST_F(IedPropsDialogTest, MmsTimingsAreCheckedBeforeAnythingIsStored)
{
    struct Case {
        const char* scanDelay;
        const char* ping;
        const char* error;
    };
    const Case cases[] = {
        {"1", "12", "Error: MMS Scan Delay value is out of range."},
        {"10001", "12", "Error: MMS Scan Delay value is out of range."},
        {"2", "601", "Error: MMS Ping value is out of range."},
        {"0", "600", nullptr},
        {"", "0", nullptr},
        {"2", "12", nullptr},
        {"10000", "12", nullptr},
    };
    for (const Case& c : cases) {
        Open();
        SetText(IDC_IED_NAME, "renamed");
        SetText(IDC_IED_MMS_SCAN_DELAY, c.scanDelay);
        SetText(IDC_IED_MMS_PING, c.ping);
        MessageBoxRecorder boxes;
        const bool closed = dialog->Confirm();
        if (c.error != nullptr) {
            EXPECT_FALSE(closed) << c.scanDelay << "/" << c.ping;
            ASSERT_EQ(1u, boxes.Count());
            EXPECT_EQ(CString(c.error), boxes.Last().text);
            EXPECT_EQ(CString("feeder_relay"), ied->name) << "a refused value stores nothing";
            EXPECT_EQ(CString("500"), ied->MSScanDelay);
            EXPECT_FALSE(doc->modified);
        } else {
            EXPECT_TRUE(closed) << c.scanDelay << "/" << c.ping;
            EXPECT_EQ(0u, boxes.Count());
            EXPECT_FALSE(dialog->IsWindowVisible());
            EXPECT_EQ(CString("renamed"), ied->name);
            EXPECT_EQ(CString(c.scanDelay), ied->MSScanDelay);
            EXPECT_EQ(CString(c.ping), ied->MMSping);
            EXPECT_TRUE(doc->modified);
        }
        dialog->DestroyWindow();
        ied->name = "feeder_relay";
        ied->MSScanDelay = "500";
        doc->modified = false;
    }
}

TEST_F(IedPropsDialogTest, UnchangedValuesLeaveTheDocumentUnmodified)
{
    ied->MMSping = "12";
    Open();
    MessageBoxRecorder boxes;
    EXPECT_TRUE(dialog->Confirm());
    EXPECT_FALSE(doc->modified);
}

TEST_F(IedPropsDialogTest, LongCommentIsCutTo256)
{
    Open();
    SetText(IDC_IED_COMMENT, CString('x', 300));
    EXPECT_TRUE(dialog->Confirm());
    EXPECT_EQ(CString('x', 256), ied->comment);
}

TEST_F(IedPropsDialogTest, EditNetworkSettingsTwice)
{
    Open();
    CGeneral1& page = dialog->GetGeneralPage();
    MessageBoxRecorder boxes;
    page.OnEditNetworkSettings();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(CString("WARNING: Changing the network settings does not change those in the associated CID or of "
                      "the device it describes."),
              boxes.Last().text);
    EXPECT_TRUE(page.IsEditingNetwork());
    EXPECT_TRUE(Control(IDC_IED_IP_ADDRESS).IsWindowEnabled());
    EXPECT_EQ(CString("Commit Network Settings"), Text(IDC_IED_EDIT_NETWORK));

    page.OnEditNetworkSettings();
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_FALSE(page.IsEditingNetwork());
    EXPECT_FALSE(Control(IDC_IED_SUBNET_MASK).IsWindowEnabled());
    EXPECT_EQ(CString("Edit Network Settings"), Text(IDC_IED_EDIT_NETWORK));
    EXPECT_EQ(CString("10.20.30.40"), ied->IPaddr);
    EXPECT_EQ(CString("255.255.0.0"), ied->IPMask);
    EXPECT_EQ(CString("10.20.0.1"), ied->Gateway);
    EXPECT_FALSE(doc->modified);

    // A changed address reaches the record at once, and the project must be saved for it.
    page.OnEditNetworkSettings();
    static_cast<CIPAddressCtrl&>(Control(IDC_IED_GATEWAY)).SetAddress(10, 20, 0, 254);
    page.OnEditNetworkSettings();
    EXPECT_EQ(CString("10.20.0.254"), ied->Gateway);
    EXPECT_TRUE(doc->modified);
}

} // namespace
