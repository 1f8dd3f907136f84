// The network view of the running Corvel as the display shows it: its device buttons and its drawing keep one
// origin whatever moves the scroll position (a larger or smaller window, removed devices); its printing.
#include "corvel/document/main_doc.h"
#include "corvel/workspace/buttons.h"
#include "corvel/workspace/main_view.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "corvel_app_environment.h"
#include "library_tree_input.h"
#include "support/message_box_recorder.h"
#include "support/paths.h"
#include "support/window_capture.h"

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

} // namespace
