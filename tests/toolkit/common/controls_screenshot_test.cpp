// The screenshot of a dialog with the toolkit's controls: a themed header over a list, tab controls in two themes, themed buttons and a colour picker.
#include "control_host.h"
#include "controls_test_ids.h"
#include "framework/dialog.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"
#include "toolkit/common/button.h"
#include "toolkit/common/color_picker.h"
#include "toolkit/common/control_theme.h"
#include "toolkit/common/header_ctrl.h"
#include "toolkit/common/tab_ctrl.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

namespace {

class ControlsDialog : public CDialog {
public:
    ControlsDialog() : CDialog(IDD_KIT_CONTROLS) {}

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        FillList();
        tabsClassic.SubclassDlgItem(IDC_KIT_TABS_CLASSIC, this);
        AddPage(tabsClassic, "Inputs", "LISTBOX", {"IED1.LLN0.Mod.stVal", "IED1.XCBR1.Pos.stVal", "IED2.MMXU1.TotW.mag"});
        AddPage(tabsClassic, "Outputs", "LISTBOX", {"PLC.Out.Breaker1", "PLC.Out.Breaker2"});
        AddPage(tabsClassic, "Messages", "LISTBOX", {"Class 3: 12 tags"});
        tabsClassic.SetActiveTab(0);

        tabsOffice.SubclassDlgItem(IDC_KIT_TABS_OFFICE, this);
        tabsOffice.SetTheme(CKitControlTheme::kThemeOffice2003);
        AddPage(tabsOffice, "General", "STATIC", {"Gateway: VQN32, two Ethernet ports"});
        AddPage(tabsOffice, "Network", "STATIC", {"IP address 192.168.0.10"});
        AddPage(tabsOffice, "Diagnostics", "STATIC", {"Module running, 3 drivers"});
        tabsOffice.SetActiveTab(1);

        push.SubclassDlgItem(IDC_KIT_PUSH, this);
        split.SubclassDlgItem(IDC_KIT_SPLIT, this);
        split.SetPushButtonStyle(CKitButton::kPushSplit);
        group.SubclassDlgItem(IDC_KIT_GROUP, this);
        check.SubclassDlgItem(IDC_KIT_CHECK, this);
        check.SetCheck(BST_CHECKED);
        inputRadio.SubclassDlgItem(IDC_KIT_RADIO_INPUT, this);
        inputRadio.SetCheck(BST_CHECKED);
        outputRadio.SubclassDlgItem(IDC_KIT_RADIO_OUTPUT, this);
        picker.SubclassDlgItem(IDC_KIT_COLOR, this);
        picker.SetSelectedColor(RGB(0, 102, 204));
        okButton.SubclassDlgItem(IDOK, this);
        cancelButton.SubclassDlgItem(IDCANCEL, this);
        return TRUE;
    }

    CWnd list;
    CKitHeaderCtrl header;
    CKitTabCtrl tabsClassic;
    CKitTabCtrl tabsOffice;
    CKitButton push;
    CKitButton split;
    CKitButton group;
    CKitButton check;
    CKitButton inputRadio;
    CKitButton outputRadio;
    CKitButton okButton;
    CKitButton cancelButton;
    CKitColorPicker picker;

private:
    void FillList()
    {
        list.SubclassDlgItem(IDC_KIT_LIST, this);
        list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        const struct {
            LPCSTR text;
            int width;
        } columns[] = {{"Tag name", 110}, {"Type", 60}, {"Access", 60}};
        for (int i = 0; i < 3; ++i) {
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.pszText = const_cast<LPSTR>(columns[i].text);
            column.cx = columns[i].width;
            list.SendMessage(LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
        }
        const LPCSTR rows[][3] = {{"Breaker1_Pos", "Dbpos", "R"}, {"Breaker2_Pos", "Dbpos", "R"},
                                  {"Feeder_TotW", "FLOAT32", "R"}, {"Trip_Cmd", "BOOLEAN", "W"},
                                  {"Health", "INT32", "R"}};
        for (int row = 0; row < 5; ++row) {
            LVITEMA item = {};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.pszText = const_cast<LPSTR>(rows[row][0]);
            list.SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            for (int sub = 1; sub < 3; ++sub) {
                item.iSubItem = sub;
                item.pszText = const_cast<LPSTR>(rows[row][sub]);
                list.SendMessage(LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
            }
        }
        header.SubclassWindow(reinterpret_cast<HWND>(list.SendMessage(LVM_GETHEADER)));
        header.SetTheme(CKitControlTheme::kThemeOffice2003);
        header.SetSortedColumn(0, TRUE);
        header.RecalcLayout();
    }

    void AddPage(CKitTabCtrl& tabs, LPCSTR caption, LPCSTR windowClass, std::initializer_list<LPCSTR> lines)
    {
        auto page = std::make_unique<CWnd>();
        const DWORD style = WS_CHILD | (lstrcmpA(windowClass, "LISTBOX") == 0 ? WS_BORDER | LBS_NOINTEGRALHEIGHT : 0);
        page->CreateEx(0, windowClass, lstrcmpA(windowClass, "STATIC") == 0 ? *lines.begin() : "", style,
                       CRect(0, 0, 10, 10), &tabs, 0);
        page->SendMessage(WM_SETFONT, SendMessage(WM_GETFONT));
        if (lstrcmpA(windowClass, "LISTBOX") == 0) {
            for (LPCSTR line : lines)
                page->SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
        }
        tabs.AddWindow(caption, page.get());
        pages.push_back(std::move(page));
    }

    std::vector<std::unique_ptr<CWnd>> pages;
};

TEST(KitControlsScreenshot, TheControlsDialog)
{
    ControlsDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_KIT_CONTROLS));
    // On top of the other programs' windows, without taking their activation.
    ::SetWindowPos(dialog.GetSafeHwnd(), HWND_TOPMOST, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    CRect swatch;
    dialog.picker.GetWindowRect(&swatch);
    CRect window;
    dialog.GetWindowRect(&window);
    const CPoint swatchPixel(swatch.left - window.left + 20, swatch.top - window.top + 8);
    // The display shows the dialog once the X server has drawn it; on a busy machine that takes a while.
    WindowImage image;
    for (int attempt = 0; attempt < 50; ++attempt) {
        dialog.RedrawWindow(nullptr, nullptr,
                            RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE | RDW_FRAME);
        PumpMessages();
        ::Sleep(40);
        image = CaptureScreenArea(dialog.GetSafeHwnd());
        if (image.At(swatchPixel.x, swatchPixel.y) == RGB(0, 102, 204))
            break;
    }
    ASSERT_GT(image.width, 0);
    EXPECT_EQ("", SaveScreenshot("toolkit-controls", image.width, image.height, image.pixels));

    // Not blank: the colours of the themes, the swatch and the text show.
    std::set<DWORD> colours(image.pixels.begin(), image.pixels.end());
    EXPECT_GT(colours.size(), 12u);
    EXPECT_EQ(RGB(0, 102, 204), image.At(swatchPixel.x, swatchPixel.y));
    dialog.DestroyWindow();
}

} // namespace
