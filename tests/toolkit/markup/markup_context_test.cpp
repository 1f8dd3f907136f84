// The markup context in a window: mouse routing, capture, cursors, invalidation and the glue functions.
#include "markup_test_support.h"

#include "toolkit/common/resources.h"
#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_framework_element.h"
#include "toolkit/markup/markup_services.h"
#include "toolkit/themes/paint/markup_glue.h"
#include "toolkit/markup/markup_text_elements.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr char kHostClass[] = "KorvaneMarkupContextTestHost";

// The host window: counts the context's invalidation notices.
int g_nInvalidations = 0;

LRESULT CALLBACK HostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KIT_MARKUP_INVALIDATED)
        ++g_nInvalidations;
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

// Records "label:name" of each call, the name being the sender's x:Name.
class CLoggingDelegate : public CKitMarkupDelegate {
public:
    CLoggingDelegate(std::string label, std::vector<std::string>& log, bool handles = false)
        : m_label(std::move(label)), m_log(log), m_handles(handles)
    {
    }

    void Invoke(CKitMarkupObject* pSender, CKitMarkupRoutedEventArgs* pArgs) override
    {
        const CKitMarkupString* pName = pSender->GetValueOf<CKitMarkupString>(CKitMarkupObject::m_pNameProperty);
        m_log.push_back(m_label + ":" + (pName != nullptr ? std::string((LPCSTR)MarkupNarrow(pName->GetText())) : "?"));
        if (m_handles)
            pArgs->m_bHandled = TRUE;
    }

private:
    std::string m_label;
    std::vector<std::string>& m_log;
    bool m_handles;
};

class MarkupContextTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kHostClass;
        ::RegisterClassA(&wc);
    }

    void SetUp() override
    {
        m_hWnd = ::CreateWindowExA(0, kHostClass, "Markup", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 240, 180, nullptr,
                                   nullptr, ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, m_hWnd);
        m_pContext = MarkupCreateContext(m_hWnd);
        for (const char* label : {"Enter", "Leave", "Move", "Down", "Lost"}) {
            CKitMarkupRef<CLoggingDelegate> logger(new CLoggingDelegate(label, m_log));
            m_pContext->RegisterDelegate(CStringW(label), logger.Get());
        }
        CKitMarkupRef<CLoggingDelegate> handler(new CLoggingDelegate("Handled", m_log, true));
        m_pContext->RegisterDelegate(L"Handled", handler.Get());
    }

    void TearDown() override
    {
        MarkupReleaseElement(m_pRoot);
        MarkupReleaseContext(m_pContext);
        ::DestroyWindow(m_hWnd);
    }

    // Parses the text as the window's markup and lays it out over the client area.
    void Show(const char* text)
    {
        MarkupReleaseElement(m_pRoot);
        m_pRoot = MarkupParseText(m_pContext, text);
        ASSERT_NE(nullptr, m_pRoot) << text;
        HDC hdc = ::GetDC(m_hWnd);
        const RECT client = {0, 0, 200, 100};
        MarkupRenderElement(m_pRoot, hdc, &client);
        ::ReleaseDC(m_hWnd, hdc);
        m_log.clear();
    }

    BOOL Send(UINT message, int x, int y, LRESULT* pResult = nullptr)
    {
        return m_pContext->OnWndMsg(m_pRoot, message, 0, MAKELPARAM(x, y), pResult);
    }

    CKitMarkupInputElement* Named(const char* name)
    {
        CKitMarkupInputElement* pFound = nullptr;
        Find(m_pRoot, CStringW(name), pFound);
        return pFound;
    }

    std::vector<std::string> TakeLog() { return std::exchange(m_log, {}); }

    HWND m_hWnd = nullptr;
    CKitMarkupContext* m_pContext = nullptr;
    CKitMarkupUIElement* m_pRoot = nullptr;
    std::vector<std::string> m_log;

private:
    static void Find(CKitMarkupObject* pObject, const CStringW& name, CKitMarkupInputElement*& pFound)
    {
        const CKitMarkupString* pName = pObject->GetValueOf<CKitMarkupString>(CKitMarkupObject::m_pNameProperty);
        if (pName != nullptr && name == CStringW(pName->GetText()))
            pFound = MarkupDynamicCast<CKitMarkupInputElement>(pObject);
        for (int i = 0; i < pObject->GetLogicalChildrenCount(); ++i)
            Find(pObject->GetLogicalChild(i), name, pFound);
    }
};

using Log = std::vector<std::string>;

const char kNested[] = "<Border x:Name=\"outer\" Background=\"White\" MouseEnter=\"Enter\" MouseLeave=\"Leave\">"
                       "<Border x:Name=\"inner\" Margin=\"20\" Background=\"Red\" MouseEnter=\"Enter\""
                       " MouseLeave=\"Leave\"/></Border>";

TEST_F(MarkupContextTest, EnterAndLeaveConcernOnlyWhatChanged)
{
    Show(kNested);
    Send(WM_MOUSEMOVE, 50, 50);
    EXPECT_EQ((Log{"Enter:inner", "Enter:outer"}), TakeLog());
    EXPECT_EQ(Named("inner"), m_pContext->GetMouseOver());
    const CKitMarkupBool* pOver =
        Named("outer")->GetValueOf<CKitMarkupBool>(CKitMarkupInputElement::m_pIsMouseOverProperty);
    EXPECT_TRUE(pOver != nullptr && pOver->GetValue());

    // From the child to its parent: the child leaves, the parent hears nothing.
    Send(WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ((Log{"Leave:inner"}), TakeLog());
    pOver = Named("inner")->GetValueOf<CKitMarkupBool>(CKitMarkupInputElement::m_pIsMouseOverProperty);
    EXPECT_FALSE(pOver != nullptr && pOver->GetValue());

    // Leaving the window leaves everything.
    Send(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ((Log{"Leave:outer"}), TakeLog());
    EXPECT_EQ(nullptr, m_pContext->GetMouseOver());

    // Messages without a tree only end what the mouse was over.
    Send(WM_MOUSEMOVE, 50, 50);
    TakeLog();
    EXPECT_FALSE(m_pContext->OnWndMsg(nullptr, WM_MOUSEMOVE, 0, 0, nullptr));
    EXPECT_EQ((Log{"Leave:inner", "Leave:outer"}), TakeLog());
}

TEST_F(MarkupContextTest, CaptureKeepsTheMouseInsideTheCapturedSubtree)
{
    Show("<Canvas x:Name=\"canvas\" Background=\"White\" MouseEnter=\"Enter\" LostMouseCapture=\"Lost\">"
         "<Border x:Name=\"a\" Canvas.Left=\"0\" Width=\"40\" Height=\"40\" Background=\"Red\" MouseEnter=\"Enter\""
         " MouseLeave=\"Leave\" LostMouseCapture=\"Lost\"/>"
         "<Border x:Name=\"b\" Canvas.Left=\"100\" Width=\"40\" Height=\"40\" Background=\"Blue\""
         " MouseEnter=\"Enter\"/>"
         "</Canvas>");
    Send(WM_MOUSEMOVE, 10, 10);
    TakeLog();
    m_pContext->CaptureMouse(Named("a"));
    EXPECT_EQ(m_hWnd, ::GetCapture());

    Send(WM_MOUSEMOVE, 110, 10);
    EXPECT_EQ(nullptr, m_pContext->GetMouseOver()) << "nothing outside the captured element comes under the mouse";
    EXPECT_EQ((Log{"Leave:a"}), TakeLog());
    Send(WM_MOUSEMOVE, 20, 20);
    EXPECT_EQ((Log{"Enter:a", "Enter:canvas"}), TakeLog());

    // Buttons go to the captured element wherever the mouse is.
    Send(WM_MOUSEMOVE, 110, 10);
    TakeLog();
    EXPECT_FALSE(Send(WM_LBUTTONDOWN, 110, 10));

    // Losing the capture tells the element that held it, and only it.
    ::ReleaseCapture();
    Send(WM_CAPTURECHANGED, 0, 0);
    EXPECT_EQ((Log{"Lost:a"}), TakeLog());
    EXPECT_EQ(nullptr, m_pContext->GetCaptured());
    Send(WM_CAPTURECHANGED, 0, 0);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(MarkupContextTest, HandledEventsStopBubbling)
{
    Show("<Border x:Name=\"outer\" Background=\"White\" MouseMove=\"Move\" MouseLeftButtonDown=\"Down\">"
         "<Border x:Name=\"middle\" Margin=\"10\" Background=\"Gray\" MouseMove=\"Handled\">"
         "<Border x:Name=\"inner\" Margin=\"10\" Background=\"Red\" MouseMove=\"Move\" MouseLeftButtonDown=\"Down\"/>"
         "</Border></Border>");
    Send(WM_MOUSEMOVE, 50, 50);
    EXPECT_EQ((Log{"Move:inner", "Handled:middle"}), TakeLog());
    Send(WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ((Log{"Move:outer"}), TakeLog());

    // A button press no handler marks passes every element and is not handled.
    Send(WM_MOUSEMOVE, 50, 50);
    TakeLog();
    EXPECT_FALSE(Send(WM_LBUTTONDOWN, 50, 50));
    EXPECT_EQ((Log{"Down:inner", "Down:outer"}), TakeLog());
}

TEST_F(MarkupContextTest, DirectEventsNeverReachTheContext)
{
    CKitMarkupRef<CLoggingDelegate> contextLogger(new CLoggingDelegate("Context", m_log));
    for (CKitMarkupRoutedEvent* pEvent : {CKitMarkupInputElement::m_pMouseEnterEvent,
                                          CKitMarkupInputElement::m_pMouseLeaveEvent,
                                          CKitMarkupInputElement::m_pMouseMoveEvent,
                                          CKitMarkupInputElement::m_pMouseLeftButtonDownEvent})
        m_pContext->AddHandler(pEvent, contextLogger.Get());
    Show(kNested);
    Send(WM_MOUSEMOVE, 50, 50);
    Send(WM_LBUTTONDOWN, 50, 50);
    Send(WM_MOUSEMOVE, 5, 5);
    CKitMarkupMouseEventArgs args(CKitMarkupInputElement::m_pMouseEnterEvent, m_pRoot, m_hWnd, 0, 0);
    m_pRoot->RaiseEvent(&args);
    for (const std::string& entry : TakeLog())
        EXPECT_EQ(std::string::npos, entry.find("Context")) << entry;
}

TEST_F(MarkupContextTest, CursorFollowsTheElementUnderTheMouse)
{
    Show(kNested);
    Send(WM_MOUSEMOVE, 50, 50);
    EXPECT_EQ(::LoadCursor(nullptr, IDC_ARROW), ::GetCursor()) << "no element asks: the arrow";
    LRESULT result = 0;
    EXPECT_FALSE(Send(WM_SETCURSOR, 0, 0, &result));

    // Setting Cursor on the element under the mouse changes the cursor at once.
    Named("outer")->SetValue(CKitMarkupInputElement::m_pCursorProperty, new CKitMarkupInt(32649));
    EXPECT_EQ(::LoadCursor(nullptr, IDC_HAND), ::GetCursor());
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    EXPECT_TRUE(Send(WM_SETCURSOR, 0, 0, &result));
    EXPECT_EQ(1, result);
    EXPECT_EQ(::LoadCursor(nullptr, IDC_HAND), ::GetCursor());

    // The innermost element that asks wins.
    Named("inner")->SetValue(CKitMarkupInputElement::m_pCursorProperty, new CKitMarkupInt(32513));
    EXPECT_EQ(::LoadCursor(nullptr, IDC_IBEAM), ::GetCursor());
}

TEST_F(MarkupContextTest, ChangesRepaintTheContainer)
{
    Show(kNested);
    ::ValidateRect(m_hWnd, nullptr);
    g_nInvalidations = 0;
    Named("inner")->SetValue(CKitMarkupBorder::m_pBackgroundProperty, new CKitMarkupSolidColorBrush(RGB(0, 0, 255)));
    EXPECT_EQ(1, g_nInvalidations);
    RECT update = {};
    ASSERT_TRUE(::GetUpdateRect(m_hWnd, &update, FALSE));
    EXPECT_EQ(20, update.left);
    EXPECT_EQ(180, update.right) << "only the element's rectangle";

    // A change of size lays the whole container out again.
    ::ValidateRect(m_hWnd, nullptr);
    m_pRoot->SetValue(CKitMarkupFrameworkElement::m_pWidthProperty, new CKitMarkupInt(50));
    EXPECT_EQ(2, g_nInvalidations);
    ASSERT_TRUE(::GetUpdateRect(m_hWnd, &update, FALSE));
    EXPECT_EQ(0, update.left);
}

TEST_F(MarkupContextTest, ElementsGoingAwayLeaveNoTrace)
{
    Show("<Border x:Name=\"outer\" Background=\"White\" ToolTip=\"Outer text\">"
         "<Border x:Name=\"inner\" Margin=\"20\" Background=\"Red\"/></Border>");
    Send(WM_MOUSEMOVE, 50, 50);
    RECT rect = {};
    EXPECT_EQ(Named("outer"), m_pContext->HitTestToolTip(&rect)) << "the nearest element with a tooltip text";
    EXPECT_EQ(200, rect.right);
    m_pContext->CaptureMouse(Named("inner"));

    // The tree goes while it is under the mouse and holds the capture.
    MarkupReleaseElement(m_pRoot);
    EXPECT_EQ(nullptr, m_pContext->GetMouseOver());
    EXPECT_EQ(nullptr, m_pContext->GetCaptured());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_FALSE(m_pContext->OnWndMsg(nullptr, WM_MOUSEMOVE, 0, 0, nullptr));
    EXPECT_EQ(nullptr, m_pContext->HitTestToolTip(&rect));
}

// Records the messages that reach it and its release.
class CRecordingToolTipFilter final : public CKitMarkupToolTipFilter {
public:
    CRecordingToolTipFilter(std::vector<UINT>& messages, int& releases) : m_messages(messages), m_releases(releases) {}
    void FilterToolTipMessage(HWND, UINT message, WPARAM, LPARAM) override { m_messages.push_back(message); }
    void ReleaseFilter() override
    {
        ++m_releases;
        delete this;
    }

private:
    std::vector<UINT>& m_messages;
    int& m_releases;
};

class CRecordingFilterServices : public CKitMarkupServices {
public:
    CKitMarkupPictureLoader* GetPictureLoader() override { return nullptr; }
    CKitMarkupToolTipFilter* CreateToolTipFilter(CKitMarkupContext*) override
    {
        ++made;
        return new CRecordingToolTipFilter(messages, releases);
    }

    std::vector<UINT> messages;
    int made = 0;
    int releases = 0;
};

// The mouse messages (200 to 20D hexadecimal) and mouse leave reach the context's
// tooltip context, nothing else does, and the tooltip context goes with the context.
TEST_F(MarkupContextTest, MouseMessagesReachTheToolTipContextWhichGoesWithTheContext)
{
    CRecordingFilterServices services;
    CKitMarkupServices* pPrevious = CKitMarkupServices::Register(&services);
    CKitMarkupContext* pContext = MarkupCreateContext(m_hWnd);
    CKitMarkupContext* pWindowless = MarkupCreateContext(nullptr);
    EXPECT_EQ(1, services.made) << "only a context with a container window has one";
    CKitMarkupUIElement* pRoot = MarkupParseText(pContext, "<Border Background=\"White\" ToolTip=\"Tip\"/>");
    ASSERT_NE(nullptr, pRoot);
    const RECT client = {0, 0, 200, 100};
    HDC hdc = ::GetDC(m_hWnd);
    MarkupRenderElement(pRoot, hdc, &client);
    ::ReleaseDC(m_hWnd, hdc);
    const UINT sent[] = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEWHEEL, WM_XBUTTONDBLCLK,
                         WM_MOUSEHWHEEL, WM_MOUSELEAVE, WM_KEYDOWN, WM_SETCURSOR, WM_CAPTURECHANGED};
    for (UINT message : sent)
        pContext->OnWndMsg(pRoot, message, 0, MAKELPARAM(20, 20), nullptr);
    EXPECT_EQ(std::vector<UINT>({WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEWHEEL, WM_XBUTTONDBLCLK,
                                 WM_MOUSELEAVE}),
              services.messages);
    MarkupReleaseElement(pRoot);
    MarkupReleaseContext(pWindowless);
    EXPECT_EQ(0, services.releases);
    MarkupReleaseContext(pContext);
    EXPECT_EQ(1, services.releases);
    CKitMarkupServices::Register(pPrevious);
}

TEST_F(MarkupContextTest, GlueFunctions)
{
    EXPECT_EQ(CKitResourceManager::Instance()->GetFontCharset(), m_pContext->GetDefaultFont().lfCharSet);
    EXPECT_EQ(nullptr, MarkupParseText(nullptr, "<Border/>"));
    EXPECT_EQ(nullptr, MarkupParseText(m_pContext, nullptr));
    EXPECT_EQ(0, MarkupMeasureElement(nullptr, 10, 10).cx);

    HFONT hFont = ::CreateFontA(-21, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    MarkupSetDefaultFont(m_pContext, hFont, RGB(1, 2, 3));
    EXPECT_EQ(-21, m_pContext->GetDefaultFont().lfHeight);
    EXPECT_EQ(FW_BOLD, m_pContext->GetDefaultFont().lfWeight);
    EXPECT_EQ(RGB(1, 2, 3), m_pContext->GetDefaultTextColor());
    MarkupSetDefaultFont(m_pContext, nullptr, 0xFFFFFFFF);
    EXPECT_EQ(-21, m_pContext->GetDefaultFont().lfHeight) << "no font keeps the font";
    EXPECT_EQ(RGB(1, 2, 3), m_pContext->GetDefaultTextColor()) << "all bits set keeps the colour";
    MarkupSetDefaultFont(nullptr, hFont, 0);
    ::DeleteObject(hFont);

    m_pRoot = MarkupParseText(m_pContext, "<Border Width=\"30\" Height=\"20\" Margin=\"1\"/>");
    const SIZE size = MarkupMeasureElement(m_pRoot, 100, 100);
    EXPECT_EQ(32, size.cx);
    EXPECT_EQ(22, size.cy);
}

TEST_F(MarkupContextTest, HyperlinksTurnRedUnderTheMouseAndClick)
{
    CKitMarkupRef<CLoggingDelegate> clicks(new CLoggingDelegate("Click", m_log));
    m_pContext->RegisterDelegate(L"Click", clicks.Get());
    Show("<Border Background=\"White\"><TextBlock x:Name=\"text\">"
         "<Hyperlink x:Name=\"link\" Click=\"Click\">link</Hyperlink> text</TextBlock></Border>");
    CKitMarkupInputElement* pLink = Named("link");
    ASSERT_NE(nullptr, pLink);
    const auto foreground = [pLink]() {
        const CKitMarkupBrush* pBrush = pLink->GetValueOf<CKitMarkupBrush>(CKitMarkupTextElement::m_pForegroundProperty);
        return pBrush != nullptr ? pBrush->GetSolidColor() : 0xFFFFFFFF;
    };
    // The link's text starts at the top left; below the text lies the text block itself.
    constexpr int linkX = 3, linkY = 5, outsideX = 150, outsideY = 60;
    EXPECT_EQ(0xFF0000u, foreground());

    ::ValidateRect(m_hWnd, nullptr);
    g_nInvalidations = 0;
    Send(WM_MOUSEMOVE, linkX, linkY);
    EXPECT_EQ(pLink, m_pContext->GetMouseOver()->GetLogicalParent()->GetLogicalParent());
    EXPECT_EQ(0x0000FFu, foreground()) << "red under the mouse";
    EXPECT_GT(g_nInvalidations, 0) << "the text block is drawn again";
    EXPECT_EQ(::LoadCursor(nullptr, IDC_HAND), ::GetCursor());
    Send(WM_MOUSEMOVE, outsideX, outsideY);
    EXPECT_EQ(Named("text"), m_pContext->GetMouseOver());
    EXPECT_EQ(0xFF0000u, foreground()) << "blue again once the mouse has left";

    // A press that starts outside and ends over the link is no click.
    EXPECT_FALSE(Send(WM_LBUTTONDOWN, outsideX, outsideY));
    Send(WM_MOUSEMOVE, linkX, linkY);
    EXPECT_FALSE(Send(WM_LBUTTONUP, linkX, linkY));
    EXPECT_TRUE(TakeLog().empty());

    // Press and release over it: one click, the link its source.
    EXPECT_TRUE(Send(WM_LBUTTONDOWN, linkX, linkY));
    EXPECT_TRUE(Send(WM_LBUTTONUP, linkX, linkY));
    EXPECT_EQ((Log{"Click:link"}), TakeLog());

    // A press over it that is released elsewhere is forgotten.
    Send(WM_LBUTTONDOWN, linkX, linkY);
    Send(WM_MOUSEMOVE, outsideX, outsideY);
    Send(WM_LBUTTONUP, outsideX, outsideY);
    Send(WM_LBUTTONDOWN, outsideX, outsideY);
    Send(WM_MOUSEMOVE, linkX, linkY);
    Send(WM_LBUTTONUP, linkX, linkY);
    EXPECT_TRUE(TakeLog().empty());
}

} // namespace
