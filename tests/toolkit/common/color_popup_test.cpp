// The colour popup: its size per theme, its cells and what each choice sends, the keys, its place on the screen, the user colours from the dialog, and its screenshot under the picker.
#include "toolkit/common/color_popup.h"

#include "color_dialog_driver.h"
#include "control_host.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"
#include "toolkit/common/color_dialog.h"
#include "toolkit/common/color_picker.h"
#include "toolkit/common/monitor_helper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

// A child window that stands for the picker: it records the popup's notifications.
class Listener : public CWnd {
public:
    struct Record {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    explicit Listener(CWnd* pParent)
    {
        CreateEx(0, AfxDefaultWndClass(), "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 130, 40), pParent, 1201);
    }
    ~Listener() override
    {
        if (m_hWnd != nullptr)
            DestroyWindow();
    }

    // The notifications other than drop-down and close-up.
    std::vector<Record> Choices() const
    {
        std::vector<Record> choices;
        std::copy_if(records.begin(), records.end(), std::back_inserter(choices), [](const Record& record) {
            return record.message != ColorNotifyDropDown && record.message != ColorNotifyCloseUp;
        });
        return choices;
    }

    std::vector<Record> records;
    // Runs on each notification, after it is recorded.
    std::function<void(UINT)> onNotify;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= ColorNotifyUnchanged && message <= ColorNotifyNoFill) {
            records.push_back({message, wParam, lParam});
            if (onNotify)
                onNotify(message);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A popup whose window goes at one step of its creation; it counts its deletions.
class DoomedPopup : public CKitColorPopup {
public:
    enum Step { kNever, kRefusedCreate, kTakingFocus };

    explicit DoomedPopup(Step step) : CKitColorPopup(TRUE, 0), m_step(step) {}
    ~DoomedPopup() override { ++deletions; }

    static int deletions;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CREATE && m_step == kRefusedCreate)
            return -1;
        if (message == WM_SETFOCUS && m_step == kTakingFocus) {
            DestroyWindow();
            return 0;
        }
        return CKitColorPopup::WindowProc(message, wParam, lParam);
    }

private:
    Step m_step;
};
int DoomedPopup::deletions = 0;

// A picker whose popups are doomed ones.
class DoomedPopupPicker : public CKitColorPicker {
public:
    explicit DoomedPopupPicker(DoomedPopup::Step step) : m_step(step) {}

protected:
    CKitColorPopup* NewPopup() override { return new DoomedPopup(m_step); }

private:
    DoomedPopup::Step m_step;
};

class KitColorPopup : public ::testing::Test {
protected:
    KitColorPopup() : listener(&host)
    {
        CKitColorSelectorCtrl::GetUserColors().clear();
        host.SetActiveWindow();
        PumpMessages();
    }
    ~KitColorPopup() override
    {
        if (popup != nullptr && ::IsWindow(popupHandle))
            popup->DestroyWindow();
        PumpMessages();
        CKitColorSelectorCtrl::GetUserColors().clear();
    }

    // Opens an auto-deleting popup under the listener.
    CKitColorPopup* Open(DWORD style, COLORREF current, COLORREF automatic, int theme = CKitControlTheme::kThemeDefault,
                         CRect button = CRect())
    {
        if (button.IsRectEmpty())
            listener.GetWindowRect(&button);
        // The popup follows the mouse: keep the pointer, wherever an earlier program left it, off its cells.
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        popup = new CKitColorPopup(TRUE, 0x5A);
        popup->SetTheme(theme);
        if (!popup->Create(button, &listener, style, current, automatic)) {
            delete popup;
            popup = nullptr;
            return nullptr;
        }
        popupHandle = popup->GetSafeHwnd();
        listener.records.clear();
        return popup;
    }
    bool IsOpen() const { return ::IsWindow(popupHandle) != FALSE; }

    void Click(int index)
    {
        const CPoint centre = popup->GetCellFromIndex(index)->rect.CenterPoint();
        const LPARAM point = MAKELPARAM(centre.x, centre.y);
        HWND hWnd = popupHandle;
        ::SendMessageA(hWnd, WM_MOUSEMOVE, 0, point);
        ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, point);
        ::SendMessageA(hWnd, WM_LBUTTONUP, 0, point);
        PumpMessages();
    }
    void Key(UINT key)
    {
        ::SendMessageA(popupHandle, WM_KEYDOWN, key, 0);
        PumpMessages();
    }

    ControlHost host;
    Listener listener;
    CKitColorPopup* popup = nullptr;
    HWND popupHandle = nullptr;
};

TEST_F(KitColorPopup, SizeFollowsTheThemeAndTheAutomaticButtonShowsTheDefault)
{
    const struct {
        int theme;
        int size;
    } cases[] = {{CKitControlTheme::kThemeDefault, 158}, {CKitControlTheme::kThemeOfficeXP, 154}};
    for (const auto& c : cases) {
        ASSERT_NE(nullptr, Open(0x06, RGB(0, 0, 0), RGB(0, 0, 0), c.theme));
        CRect window;
        popup->GetWindowRect(&window);
        EXPECT_EQ(CSize(c.size, c.size), window.Size()) << c.theme;
        // The top button, 40 colours and "More Colors...".
        ASSERT_EQ(42, popup->GetCellCount());
        const COLOR_CELL* top = popup->GetCellFromIndex(0);
        EXPECT_EQ(std::string("Automatic Color"), top->szText);
        EXPECT_TRUE(top->bSelected);
        for (int i = 1; i < popup->GetCellCount(); ++i)
            EXPECT_FALSE(popup->GetCellFromIndex(i)->bSelected) << i;
        EXPECT_EQ(std::string("More Colors..."), popup->GetCellFromIndex(41)->szText);
        // Under the button.
        CRect button;
        listener.GetWindowRect(&button);
        EXPECT_EQ(button.bottom, window.top);
        EXPECT_EQ(button.left, window.left);
        Key(VK_ESCAPE);
        EXPECT_FALSE(IsOpen());
    }
}

TEST_F(KitColorPopup, EachChoiceSendsItsNotificationWithTheCallerValue)
{
    const COLORREF red = RGB(255, 0, 0);
    const struct {
        const char* name;
        DWORD style;
        int cell; // -1: Esc
        UINT message;
        COLORREF colour;
    } cases[] = {
        {"the current colour", 0x06, 17, ColorNotifyUnchanged, red},
        {"another colour", 0x06, 1, ColorNotifyChanged, RGB(0, 0, 0)},
        {"the automatic colour", 0x06, 0, ColorNotifyChanged, RGB(1, 2, 3)},
        {"Esc", 0x06, -1, ColorNotifyCancel, red},
        {"No Fill", 0x07, 0, ColorNotifyNoFill, 0xFFFFFFFF},
        {"a standard colour", 0x04, 3, ColorNotifyChanged, RGB(128, 0, 0)},
    };
    for (const auto& c : cases) {
        ASSERT_NE(nullptr, Open(c.style, red, RGB(1, 2, 3))) << c.name;
        if (c.cell >= 0)
            Click(c.cell);
        else
            Key(VK_ESCAPE);
        EXPECT_FALSE(IsOpen()) << c.name;
        const std::vector<Listener::Record> choices = listener.Choices();
        ASSERT_EQ(1u, choices.size()) << c.name;
        EXPECT_EQ(c.message, choices[0].message) << c.name;
        EXPECT_EQ(c.colour, choices[0].wParam) << c.name;
        EXPECT_EQ(0x5A, choices[0].lParam) << c.name;
        // The window going tells the owner last, with the colour the popup opened with.
        ASSERT_FALSE(listener.records.empty());
        EXPECT_EQ(static_cast<UINT>(ColorNotifyCloseUp), listener.records.back().message) << c.name;
        EXPECT_EQ(red, listener.records.back().wParam) << c.name;
    }
}

TEST_F(KitColorPopup, ArrowKeysWrapAroundTheCells)
{
    ASSERT_NE(nullptr, Open(0x06, RGB(255, 0, 0), RGB(0, 0, 0)));
    const int last = popup->GetCellCount() - 1;
    const struct {
        int from;
        UINT key;
        int to;
    } cases[] = {
        {last, VK_RIGHT, 0}, {-1, VK_RIGHT, 0}, {0, VK_LEFT, last}, {3, VK_UP, 0},     {8, VK_UP, 0},
        {9, VK_UP, 1},       {0, VK_UP, last},  {last, VK_UP, last - 1}, {0, VK_DOWN, 1}, {last, VK_DOWN, 0},
        {-1, VK_DOWN, 0},    {36, VK_DOWN, last}, {5, VK_DOWN, 13},
    };
    for (const auto& c : cases) {
        popup->SelectCellByIndex(c.from);
        if (c.from == -1)
            popup->SelectColorCell(nullptr);
        Key(c.key);
        EXPECT_EQ(c.to, popup->GetHotIndex()) << "from " << c.from << " key " << c.key;
    }
    EXPECT_TRUE(IsOpen());
    // Enter chooses the hot cell.
    popup->SelectCellByIndex(2);
    Key(VK_RETURN);
    EXPECT_FALSE(IsOpen());
    ASSERT_EQ(1u, listener.Choices().size());
    EXPECT_EQ(0x003399u, listener.Choices()[0].wParam);
}

TEST_F(KitColorPopup, NearTheBottomOfTheWorkAreaItOpensUpwards)
{
    const CRect work = CKitMonitorHelper::Instance()->GetWorkAreaFromPoint(CPoint(100, 100));
    const CRect button(work.left + 50, work.bottom - 30, work.left + 170, work.bottom - 5);
    ASSERT_NE(nullptr, Open(0x06, RGB(255, 0, 0), RGB(0, 0, 0), CKitControlTheme::kThemeDefault, button));
    CRect window;
    popup->GetWindowRect(&window);
    EXPECT_EQ(button.top, window.bottom);
    EXPECT_EQ(158, window.Height());
    // Aligned right, and pushed back into the work area at its right edge.
    Key(VK_ESCAPE);
    const CRect right(work.right - 60, work.top + 20, work.right - 10, work.top + 40);
    ASSERT_NE(nullptr, Open(0x46, RGB(255, 0, 0), RGB(0, 0, 0), CKitControlTheme::kThemeDefault, right));
    popup->GetWindowRect(&window);
    EXPECT_EQ(right.right, window.right);
    EXPECT_EQ(right.bottom, window.top);
}

TEST_F(KitColorPopup, ColoursFromTheDialogJoinTheUserRowUnlessATableHasThem)
{
    // The dialog comes up over the open popup; the step picks a colour and presses OK.
    const auto pickInDialog = [this](COLORREF pick) {
        RunInModalLoop([this, pick] {
            CKitColorDialog* dialog = popup->GetColorDialog();
            if (dialog == nullptr || dialog->GetSafeHwnd() == nullptr || !dialog->IsWindowVisible())
                return false;
            EXPECT_TRUE(popup->IsColorDlgVisible());
            // The popup ignores the mouse while the dialog runs.
            ::SendMessageA(popupHandle, WM_MOUSEMOVE, 0, MAKELPARAM(10, 40));
            EXPECT_EQ(-1, popup->GetHotIndex());
            EXPECT_EQ(RGB(255, 0, 0), dialog->GetColor());
            dialog->SetNewColor(pick, TRUE);
            dialog->EndDialog(IDOK);
            return true;
        });
    };

    // A colour of the 40-colour table is not kept.
    ASSERT_NE(nullptr, Open(0x06, RGB(255, 0, 0), RGB(0, 0, 0)));
    pickInDialog(RGB(0, 255, 0));
    Click(popup->GetCellCount() - 1);
    EXPECT_FALSE(IsOpen());
    ASSERT_EQ(1u, listener.Choices().size());
    EXPECT_EQ(static_cast<UINT>(ColorNotifyChanged), listener.Choices()[0].message);
    EXPECT_EQ(RGB(0, 255, 0), listener.Choices()[0].wParam);
    EXPECT_TRUE(CKitColorSelectorCtrl::GetUserColors().empty());

    // Another one is, and the next popup shows it in a row of its own, selected when current.
    const COLORREF custom = RGB(18, 52, 86);
    ASSERT_NE(nullptr, Open(0x06, RGB(255, 0, 0), RGB(0, 0, 0)));
    pickInDialog(custom);
    Click(popup->GetCellCount() - 1);
    EXPECT_EQ(std::vector<COLORREF>({custom}), CKitColorSelectorCtrl::GetUserColors());
    ASSERT_NE(nullptr, Open(0x06, custom, RGB(0, 0, 0)));
    ASSERT_EQ(43, popup->GetCellCount());
    const COLOR_CELL* userCell = popup->GetCellFromIndex(41);
    EXPECT_EQ(custom, userCell->clr);
    EXPECT_TRUE(userCell->bSelected);
    EXPECT_FALSE(popup->GetCellFromIndex(42)->bSelected);
    CRect window;
    popup->GetWindowRect(&window);
    EXPECT_EQ(158 + 18 + 4, window.Height());
    Key(VK_ESCAPE);

    // Cancel in the dialog sends Cancel.
    ASSERT_NE(nullptr, Open(0x06, RGB(255, 0, 0), RGB(0, 0, 0)));
    RunInModalLoop([this] {
        CKitColorDialog* dialog = popup->GetColorDialog();
        if (dialog == nullptr || dialog->GetSafeHwnd() == nullptr || !dialog->IsWindowVisible())
            return false;
        dialog->EndDialog(IDCANCEL);
        return true;
    });
    Click(popup->GetCellCount() - 1);
    ASSERT_EQ(1u, listener.Choices().size());
    EXPECT_EQ(static_cast<UINT>(ColorNotifyCancel), listener.Choices()[0].message);

    // The row never holds more colours than there are columns: the oldest goes.
    CKitColorSelectorCtrl selector;
    for (COLORREF clr = 1; clr <= 10; ++clr)
        selector.AddUserColor(RGB(clr, 3, 5));
    selector.AddUserColor(RGB(10, 3, 5));
    selector.AddUserColor(RGB(255, 255, 255));
    const std::vector<COLORREF>& colours = CKitColorSelectorCtrl::GetUserColors();
    ASSERT_EQ(8u, colours.size());
    EXPECT_EQ(RGB(3, 3, 5), colours.front());
    EXPECT_EQ(RGB(10, 3, 5), colours.back());
}

// The system's own mouse: a click on a cell chooses it, a click outside cancels.
TEST_F(KitColorPopup, RealClicksChooseACellOrCancelOutside)
{
    ::SetWindowPos(host.GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    POINT before = {};
    ::GetCursorPos(&before);
    const auto click = [](CPoint point) {
        ::SetCursorPos(point.x, point.y);
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(2, inputs, sizeof(INPUT));
    };
    const auto waitFor = [](const std::function<bool()>& done) {
        for (int attempt = 0; attempt < 200 && !done(); ++attempt) {
            PumpMessages();
            ::Sleep(10);
        }
        return done();
    };

    ASSERT_NE(nullptr, Open(0x06, RGB(255, 0, 0), RGB(0, 0, 0), CKitControlTheme::kThemeOfficeXP));
    CPoint cell = popup->GetCellFromIndex(5)->rect.CenterPoint();
    popup->ClientToScreen(&cell);
    click(cell);
    EXPECT_TRUE(waitFor([this] { return !IsOpen(); }));
    ASSERT_EQ(1u, listener.Choices().size());
    EXPECT_EQ(static_cast<UINT>(ColorNotifyChanged), listener.Choices()[0].message);
    EXPECT_EQ(0x663300u, listener.Choices()[0].wParam);

    ASSERT_NE(nullptr, Open(0x06, RGB(255, 0, 0), RGB(0, 0, 0), CKitControlTheme::kThemeOfficeXP));
    CRect rc;
    popup->GetWindowRect(&rc);
    CRect hostRect;
    host.GetWindowRect(&hostRect);
    ASSERT_TRUE(hostRect.PtInRect(CPoint(rc.right + 40, rc.top + 20)));
    click(CPoint(rc.right + 40, rc.top + 20));
    EXPECT_TRUE(waitFor([this] { return !IsOpen(); }));
    ::SetCursorPos(before.x, before.y);
    ASSERT_EQ(1u, listener.Choices().size());
    EXPECT_EQ(static_cast<UINT>(ColorNotifyCancel), listener.Choices()[0].message);
}

// The grid as a plain child control: it keeps its rectangle, stays open after a
// choice and tells every listener, with 0 for the caller value.
TEST_F(KitColorPopup, APlainSelectorTellsItsListenersAndStaysOpen)
{
    CKitColorSelectorCtrl lone;
    EXPECT_FALSE(lone.Create(0, 0, 100, 100, nullptr, 0x04, RGB(0, 0, 0), RGB(0, 0, 0)));

    Listener second(&host);
    CKitColorSelectorCtrl selector;
    selector.SetTheme(CKitControlTheme::kThemeOfficeXP);
    ASSERT_TRUE(selector.Create(150, 10, 150 + 144, 10 + 120, &listener, CKitColorSelectorCtrl::kStyleShowOnCreate | 0x10,
                                RGB(255, 0, 0), RGB(0, 0, 0)));
    selector.AddListener(second.GetSafeHwnd());
    EXPECT_TRUE(HasVisibleStyle(&selector));
    CRect rc;
    selector.GetWindowRect(&rc);
    EXPECT_EQ(CSize(144, 120), rc.Size());
    // No top button: the 16 standard colours under their caption; red is selected.
    ASSERT_EQ(16, selector.GetCellCount());
    EXPECT_EQ(CRect(0, 22, 18, 40), selector.GetCellFromIndex(0)->rect);
    EXPECT_TRUE(selector.GetCellFromIndex(10)->bSelected);

    const CPoint centre = selector.GetCellFromIndex(14)->rect.CenterPoint();
    selector.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    selector.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    selector.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    EXPECT_TRUE(::IsWindow(selector.GetSafeHwnd()));
    for (const Listener* target : {&listener, &second}) {
        ASSERT_EQ(1u, target->records.size());
        EXPECT_EQ(static_cast<UINT>(ColorNotifyChanged), target->records[0].message);
        EXPECT_EQ(RGB(0, 0, 255), target->records[0].wParam);
        EXPECT_EQ(0, target->records[0].lParam);
    }
    // Up from the first cell, with no top button, goes to the last.
    selector.SelectCellByIndex(0);
    selector.SendMessage(WM_KEYDOWN, VK_UP);
    EXPECT_EQ(15, selector.GetHotIndex());
    selector.DestroyWindow();
}

// Until Create succeeds the caller owns the popup: a window that goes while it
// is being made (refused, destroyed as it takes the focus, or by the owner on
// the drop-down notification) leaves the object to be deleted once, by the caller.
TEST_F(KitColorPopup, AWindowThatGoesDuringCreationLeavesThePopupToItsCaller)
{
    const struct {
        const char* name;
        DoomedPopup::Step step;
        bool owner;
        bool ownerDestroysOnDropDown;
    } cases[] = {
        {"no owner", DoomedPopup::kNever, false, false},
        {"creation refused", DoomedPopup::kRefusedCreate, true, false},
        {"destroyed taking the focus", DoomedPopup::kTakingFocus, true, false},
        {"destroyed by the owner on drop-down", DoomedPopup::kNever, true, true},
    };
    CRect button;
    listener.GetWindowRect(&button);
    for (const auto& c : cases) {
        DoomedPopup::deletions = 0;
        auto* doomed = new DoomedPopup(c.step);
        listener.onNotify = [&](UINT message) {
            if (c.ownerDestroysOnDropDown && message == ColorNotifyDropDown)
                doomed->DestroyWindow();
        };
        const BOOL created = doomed->Create(button, c.owner ? &listener : nullptr, 0x06, RGB(0, 0, 0), RGB(0, 0, 0));
        PumpMessages();
        listener.onNotify = nullptr;
        EXPECT_FALSE(created) << c.name;
        EXPECT_EQ(0, DoomedPopup::deletions) << c.name;
        if (DoomedPopup::deletions != 0)
            continue;
        EXPECT_EQ(nullptr, doomed->GetSafeHwnd()) << c.name;
        delete doomed;
        EXPECT_EQ(1, DoomedPopup::deletions) << c.name;
    }

    // A popup that was made deletes itself, once, when it closes.
    DoomedPopup::deletions = 0;
    auto* made = new DoomedPopup(DoomedPopup::kNever);
    ASSERT_TRUE(made->Create(button, &listener, 0x06, RGB(0, 0, 0), RGB(0, 0, 0)));
    HWND hMade = made->GetSafeHwnd();
    ::SendMessageA(hMade, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpMessages();
    EXPECT_FALSE(::IsWindow(hMade));
    EXPECT_EQ(1, DoomedPopup::deletions);
}

// The picker deletes a popup whose creation failed exactly once and is ready to open another.
TEST_F(KitColorPopup, ThePickerDeletesAPopupThatFailedOnce)
{
    DoomedPopupPicker picker(DoomedPopup::kTakingFocus);
    ASSERT_TRUE(picker.Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 50, 130, 80), &host, 1203));
    DoomedPopup::deletions = 0;
    picker.OpenPopup();
    PumpMessages();
    EXPECT_EQ(1, DoomedPopup::deletions);
    EXPECT_FALSE(picker.IsPopupShown());
    EXPECT_EQ(nullptr, ::FindWindowA("KitColorPopup", nullptr));
    picker.DestroyWindow();
}

TEST_F(KitColorPopup, ScreenshotUnderThePickerWithItsShadow)
{
    // A small dialog-like window with a label and the picker.
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0,
                                AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                                    reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1))),
                                "Mapping colour", WS_POPUP | WS_CAPTION | WS_SYSMENU, 30, 30, 300, 250, nullptr,
                                nullptr));
    CWnd label;
    label.CreateEx(0, "STATIC", "Tag colour:", WS_CHILD | WS_VISIBLE, CRect(12, 18, 90, 34), &window, 0xFFFF);
    label.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)));
    ::SetWindowPos(window.GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    CKitColorPicker picker;
    ASSERT_TRUE(picker.Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(92, 12, 212, 38), &window, 1202));
    picker.SetSelectedColor(RGB(0, 102, 204));
    // A flat button theme gives the flat popup, which casts its shadow.
    picker.SetTheme(CKitControlTheme::kThemeOfficeXP);
    PumpMessages();
    window.SetActiveWindow();
    picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    picker.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
    PumpMessages();
    HWND hPopup = ::FindWindowA("KitColorPopup", nullptr);
    ASSERT_NE(nullptr, hPopup);
    auto* shown = static_cast<CKitColorSelectorCtrl*>(CWnd::FromHandlePermanent(hPopup));
    ASSERT_NE(nullptr, shown);
    shown->SelectCellByIndex(12);
    CRect popupRect;
    shown->GetWindowRect(&popupRect);
    CRect window_rect;
    window.GetWindowRect(&window_rect);
    const CRect area = window_rect;
    ASSERT_TRUE(area.PtInRect(CPoint(popupRect.right + 20, popupRect.bottom + 10)));
    // The shadow darkens the pixels right of the popup once the display shows it.
    WindowImage image;
    const CPoint shadowProbe(popupRect.right + 1 - area.left, popupRect.top + 40 - area.top);
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (::IsWindow(hPopup))
            ::RedrawWindow(hPopup, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
        window.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
        PumpMessages();
        ::Sleep(40);
        image = CaptureScreenRect(area);
        if (::IsWindow(hPopup) && image.At(shadowProbe.x, shadowProbe.y) != image.At(shadowProbe.x + 12, shadowProbe.y))
            break;
    }
    ASSERT_TRUE(::IsWindow(hPopup));
    EXPECT_EQ("", SaveScreenshot("colour-popup", image.width, image.height, image.pixels));
    const std::set<DWORD> colours(image.pixels.begin(), image.pixels.end());
    EXPECT_GT(colours.size(), 30u);
    EXPECT_NE(image.At(shadowProbe.x, shadowProbe.y), image.At(shadowProbe.x + 12, shadowProbe.y));
    ::SendMessageA(hPopup, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpMessages();
    EXPECT_FALSE(::IsWindow(hPopup));
    picker.DestroyWindow();
    window.DestroyWindow();
}

} // namespace
