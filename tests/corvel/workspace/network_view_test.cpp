// The network view of the running Corvel as the display shows it: its device buttons and its drawing keep one
// origin whatever moves the scroll position (a larger or smaller window, removed devices); its printing and its
// print preview.
#include "corvel/document/main_doc.h"
#include "corvel/workspace/buttons.h"
#include "corvel/workspace/main_view.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "corvel_app_environment.h"
#include "library_tree_input.h"
#include "support/message_box_recorder.h"
#include "support/paths.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"

// Rectangles in failure messages.
void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << ", " << rect.top << ")-(" << rect.right << ", " << rect.bottom << ")";
}

namespace {

using Corvel::Records::kSlotInUse;

constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 90;
const COLORREF kLineBlue = RGB(0, 0, 255);

CConnectedAP EntryOf(const CString& name)
{
    CIED ied;
    ied.name = name;
    return CConnectedAP(ied, "10.0.0.1", "255.255.255.0", "10.0.0.254", "", "", "", "", "");
}

// Where a node's button of the drawing's point at stands in the view scrolled to scroll.
CRect NodeRect(CPoint at, CPoint scroll)
{
    return CRect(CPoint(at.x - scroll.x, at.y - scroll.y), CSize(kButtonWidth, kButtonHeight));
}

class NetworkView : public CorvelOnTopTest {
protected:
    void Resize(int width, int height)
    {
        ::SetWindowPos(frame->m_hWnd, HWND_TOPMOST, 0, 0, width, height, SWP_SHOWWINDOW);
        Repaint();
    }
    void Repaint()
    {
        PumpMessages();
        frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpMessages();
    }
    void ScrollToTheEnd()
    {
        view->SendMessage(WM_HSCROLL, SB_BOTTOM, 0);
        Repaint();
    }
    void PlaceIeds(int count)
    {
        for (int i = 0; i < count; ++i) {
            CString name;
            name.Format("Bay%02d", i + 1);
            const CConnectedAP entry = EntryOf(name);
            ASSERT_NE(-1, view->AddDevice(CMainDoc::kKindIed, "C:\\scl\\" + name + ".icd", &entry)) << name;
        }
        Repaint();
    }
    // Deletes the last placed IED, as its button's Delete command does.
    void RemoveLastIed()
    {
        int last = 0;
        for (POSITION pos = doc->project.iedDevices.GetHeadPosition(); pos != nullptr;) {
            const CMainDoc::_IED_DEVICE* device = doc->project.iedDevices.GetNext(pos);
            if (device->state == kSlotInUse)
                last = device->devNum;
        }
        ASSERT_NE(0, last);
        frame->currentDeviceId = last;
        MessageBoxRecorder boxes;
        doc->DeleteDevice(CMainDoc::kKindIed);
        Repaint();
    }

    CRect PlaceInView(CWnd& button)
    {
        CRect rect;
        button.GetWindowRect(&rect);
        view->ScreenToClient(&rect);
        return rect;
    }

    // Every button stands where the drawing puts its node: its rectangle is the slot's, moved by the scroll
    // position, and on the display the drop line of the slot runs down to the button's top while nothing is
    // drawn between two drop lines. The gateway's button sits on the start of the bus; the PLC's in its slot.
    void ExpectOneOrigin(const std::string& step)
    {
        SCOPED_TRACE(step);
        const CPoint scroll = view->GetScrollPosition();
        CRect client;
        view->GetClientRect(&client);
        const WindowImage screen = CaptureScreenArea(view->m_hWnd);
        const POINT offset = ClientOffset(view->m_hWnd);
        auto blueAt = [&](int x, int y) {
            return screen.At(offset.x + x, offset.y + y) == kLineBlue;
        };
        auto shown = [&](int x, int y) { return x >= 2 && x < client.right - 2 && y >= 0 && y < client.bottom; };

        CWnd* gateway = doc->project.bridgeButton;
        ASSERT_NE(nullptr, gateway);
        EXPECT_EQ(NodeRect(CPoint(60, 160), scroll), PlaceInView(*gateway));
        if (shown(162 - scroll.x, 200 - scroll.y))
            EXPECT_TRUE(blueAt(162 - scroll.x, 200 - scroll.y)) << "the bus leaves the gateway";

        int j = 0;
        for (POSITION pos = doc->project.plcDevices.GetHeadPosition(); pos != nullptr; ++j) {
            CMainDoc::CPLC_Device* device = doc->project.plcDevices.GetNext(pos);
            if (device->state == kSlotInUse && device->button != nullptr)
                EXPECT_EQ(NodeRect(CMainView::PlcSlotPosition(j), scroll), PlaceInView(*device->button)) << "PLC " << j;
        }

        int k = 0;
        for (POSITION pos = doc->project.iedDevices.GetHeadPosition(); pos != nullptr;) {
            CMainDoc::_IED_DEVICE* device = doc->project.iedDevices.GetNext(pos);
            if (device->state != kSlotInUse)
                continue;
            ASSERT_NE(nullptr, device->button);
            EXPECT_TRUE(device->button->IsWindowVisible()) << k;
            const CPoint slot = CMainView::IedSlotPosition(k);
            const CRect rect = PlaceInView(*device->button);
            EXPECT_EQ(NodeRect(slot, scroll), rect) << "slot " << k;
            const int x = 210 + 60 * k - scroll.x;
            const int aboveTop = rect.top - 2;
            const int belowBus = 255 - scroll.y;
            if (shown(x, aboveTop))
                EXPECT_TRUE(blueAt(x, aboveTop)) << "drop line of slot " << k << " at the button's top";
            if (shown(x, belowBus))
                EXPECT_TRUE(blueAt(x, belowBus)) << "drop line of slot " << k;
            if (shown(x + 30, belowBus))
                EXPECT_FALSE(blueAt(x + 30, belowBus)) << "between the drop lines of slots " << k << " and " << k + 1;
            ++k;
        }
    }
};

TEST_F(NetworkView, ButtonsAndDrawingKeepOneOriginWhenTheWindowChangesOrDevicesGo)
{
    const int large = ::GetSystemMetrics(SM_CXSCREEN);
    Resize(900, 640);
    PlaceIeds(12);
    ASSERT_GT(view->GetScrollPosition().x, 0) << "a wide drawing shows its end";
    ExpectOneOrigin("scrolled to the end");

    Resize(large, 1000);
    CRect client;
    view->GetClientRect(&client);
    ASSERT_LE(doc->GetViewSize().cx, client.Width()) << "the drawing fits the large window";
    EXPECT_EQ(0, view->GetScrollPosition().x);
    ExpectOneOrigin("enlarged");

    Resize(900, 640);
    ExpectOneOrigin("shrunk");
    ScrollToTheEnd();
    EXPECT_GT(view->GetScrollPosition().x, 0);
    ExpectOneOrigin("shrunk and scrolled to the end");

    Resize(large, 1000);
    EXPECT_EQ(0, view->GetScrollPosition().x);
    ExpectOneOrigin("enlarged again");

    Resize(900, 640);
    ScrollToTheEnd();
    ASSERT_GT(view->GetScrollPosition().x, 0);
    for (int placed = 11; placed >= 6; --placed) {
        RemoveLastIed();
        ASSERT_EQ(placed, view->CountDevices(CMainDoc::kKindIed));
        ExpectOneOrigin("removed down to " + std::to_string(placed));
    }
    view->GetClientRect(&client);
    ASSERT_LE(doc->GetViewSize().cx, client.Width()) << "six IEDs fit";
    EXPECT_EQ(0, view->GetScrollPosition().x);
}

// Answers the print dialog with the default printer (or cancels it) and counts the dialogs asked for.
class PrintDialogAnswer {
public:
    explicit PrintDialogAnswer(INT_PTR answer)
    {
        m_previous = SetPrintDialogHook([this, answer](PRINTDLGA& pd) {
            ++asked;
            if (answer != IDOK)
                return answer;
            CPrintDialog defaults(FALSE);
            if (!defaults.GetDefaults())
                return static_cast<INT_PTR>(IDCANCEL);
            pd.hDC = defaults.CreatePrinterDC();
            return answer;
        });
    }
    ~PrintDialogAnswer() { SetPrintDialogHook(std::move(m_previous)); }
    PrintDialogAnswer(const PrintDialogAnswer&) = delete;
    PrintDialogAnswer& operator=(const PrintDialogAnswer&) = delete;

    int asked = 0;

private:
    PrintDialogHook m_previous;
};

// The test prefix's default printer writes each document to printed.ps in the current folder (scripts/printer).
// The view's page is kept as network-print.ps for network_print_check.py, which draws
// build/screens/network-print-page1.png from it.
TEST_F(NetworkView, PrintAndDirectPrintGoThroughTheViewsPrinting)
{
    const char kPrinted[] = "printed.ps";
    const char kKept[] = "network-print.ps";
    for (const char* file : {kPrinted, kKept})
        ::DeleteFileA(file);
    Resize(960, 720);
    PlaceIeds(3);
    frame->SetActiveView(view);
    MessageBoxRecorder boxes;
    {
        // Cancelled in the dialog: nothing printed.
        PrintDialogAnswer cancel(IDCANCEL);
        frame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
        EXPECT_EQ(1, cancel.asked);
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(kPrinted));
    }
    CString title = doc->GetTitle().Left(31);
    for (UINT command : {ID_FILE_PRINT_DIRECT, ID_FILE_PRINT}) {
        SCOPED_TRACE(command == ID_FILE_PRINT ? "print" : "direct print");
        ::DeleteFileA(kPrinted);
        PrintDialogAnswer ok(IDOK);
        frame->SendMessage(WM_COMMAND, command);
        EXPECT_EQ(command == ID_FILE_PRINT ? 1 : 0, ok.asked) << "a direct print asks for no printer";
        const std::string document = ReadBinaryFile(kPrinted);
        ASSERT_FALSE(document.empty()) << "the default printer wrote no " << kPrinted;
        EXPECT_EQ(0u, document.rfind("%!PS", 0));
        if (!title.IsEmpty())
            EXPECT_NE(std::string::npos, document.find("%%Title: " + std::string(title) + "\n"));
        EXPECT_NE(std::string::npos, document.find("%%Pages: 1\n")) << "one page: the view gives no page count";
        EXPECT_EQ(std::string::npos, document.find("%%Page: 2 "));
    }
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_TRUE(::MoveFileA(kPrinted, kKept));
}

// Presses and releases the left button over the middle of the window with the system's input, as the user's mouse
// does, and lets the program answer until done says it has (or a generous time has passed).
bool ClickWithTheMouse(CWnd& window, const std::function<bool()>& done)
{
    CRect place;
    window.GetWindowRect(&place);
    ::SetCursorPos(place.CenterPoint().x, place.CenterPoint().y);
    PumpMessages();
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    const DWORD start = ::GetTickCount();
    while (!done() && ::GetTickCount() - start < 10000) {
        PumpMessages();
        ::Sleep(10);
    }
    return done();
}

// The print preview, which no menu offers, reached by its command: it takes the main window's client area under its
// bar and shows the view's one page as the printer gets it; it zooms, prints through the test prefix's printer and
// closes, the main window as it was. Its screenshot is build/screens/network-print-preview.png.
TEST_F(NetworkView, PrintPreviewShowsThePageZoomsPrintsAndCloses)
{
    const char kPrinted[] = "printed.ps";
    ::DeleteFileA(kPrinted);
    Resize(960, 720);
    PlaceIeds(3);
    frame->SetActiveView(view);
    MessageBoxRecorder boxes;
    const auto preview = [this] { return DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView()); };
    const auto button = [&](UINT id) {
        frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        return preview() != nullptr ? preview()->GetBar().GetButton(id) : nullptr;
    };
    const auto statusText = [this] { return frame->GetStatusBar().GetPaneText(0); };

    frame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    Repaint();
    ASSERT_NE(nullptr, preview());
    EXPECT_EQ(view, preview()->GetPrintView());
    EXPECT_FALSE(frame->GetSplitter().IsWindowVisible());
    EXPECT_FALSE(frame->GetToolBar().IsWindowVisible());
    EXPECT_FALSE(frame->GetMenuBar().IsWindowVisible());
    EXPECT_FALSE(frame->GetFileView()->IsWindowVisible());
    EXPECT_TRUE(frame->GetStatusBar().IsWindowVisible());
    EXPECT_EQ(CString("Page 1"), statusText());

    // The paper on the grey ground, with the network's blue lines on it.
    const CRect page = preview()->GetPageRect(0);
    ASSERT_FALSE(page.IsRectEmpty());
    const WindowImage screen = CaptureScreenArea(preview()->m_hWnd);
    const POINT offset = ClientOffset(preview()->m_hWnd);
    const auto at = [&](int x, int y) { return screen.At(offset.x + x, offset.y + y); };
    EXPECT_EQ(RGB(255, 255, 255), at(page.left + 3, page.top + 3)) << "the paper";
    EXPECT_EQ(::GetSysColor(COLOR_APPWORKSPACE), at(page.left - 8, page.top + 8)) << "the ground";
    int blue = 0;
    for (int y = page.top; y < page.bottom; ++y) {
        for (int x = page.left; x < page.right; ++x) {
            const COLORREF colour = at(x, y);
            blue += GetBValue(colour) > 160 && GetRValue(colour) < 120 && GetGValue(colour) < 120 ? 1 : 0;
        }
    }
    EXPECT_GT(blue, 20) << "the connection lines";
    EXPECT_EQ("", SaveWindowScreenshot(frame->m_hWnd, "network-print-preview"));

    // The view prints one page: no next page, no two pages side by side.
    ASSERT_NE(nullptr, button(AFX_ID_PREVIEW_NEXT));
    EXPECT_FALSE(button(AFX_ID_PREVIEW_NEXT)->IsWindowEnabled());
    EXPECT_FALSE(button(AFX_ID_PREVIEW_PREV)->IsWindowEnabled());
    EXPECT_FALSE(button(AFX_ID_PREVIEW_NUMPAGE)->IsWindowEnabled());
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(1u, preview()->GetCurrentPage());

    // Zoom In with the mouse: the page grows past the window, which scrolls.
    CButton* zoomIn = button(AFX_ID_PREVIEW_ZOOMIN);
    ASSERT_NE(nullptr, zoomIn);
    ASSERT_TRUE(ClickWithTheMouse(*zoomIn, [&] { return preview() != nullptr && preview()->GetZoomLevel() == 1; }));
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(2, preview()->GetZoomLevel());
    EXPECT_GT(preview()->GetPageRect(0).Height(), page.Height() * 3 / 2);
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMOUT);
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMOUT);
    EXPECT_EQ(page, preview()->GetPageRect(0));

    // Print: the preview closes and the print dialog's printer gets the page.
    {
        PrintDialogAnswer ok(IDOK);
        frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_PRINT);
        EXPECT_EQ(1, ok.asked);
    }
    EXPECT_EQ(nullptr, preview());
    EXPECT_EQ(view, frame->GetActiveView());
    const std::string document = ReadBinaryFile(kPrinted);
    EXPECT_EQ(0u, document.rfind("%!PS", 0)) << "the default printer wrote no " << kPrinted;
    EXPECT_NE(std::string::npos, document.find("%%Pages: 1\n"));
    ::DeleteFileA(kPrinted);

    // Open again and closed with the mouse: the main window is as it was.
    frame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    Repaint();
    CButton* close = button(AFX_ID_PREVIEW_CLOSE);
    ASSERT_NE(nullptr, close);
    ASSERT_TRUE(ClickWithTheMouse(*close, [&] { return preview() == nullptr; }));
    Repaint();
    EXPECT_EQ(view, frame->GetActiveView());
    EXPECT_TRUE(frame->GetSplitter().IsWindowVisible());
    EXPECT_TRUE(frame->GetToolBar().IsWindowVisible());
    EXPECT_TRUE(frame->GetMenuBar().IsWindowVisible());
    EXPECT_TRUE(frame->GetFileView()->IsWindowVisible());
    EXPECT_NE(CString("Page 1"), statusText());
    ExpectOneOrigin("after the preview");
    EXPECT_EQ(0u, boxes.Count());
}

} // namespace
