// OLE data transfer: our data on the clipboard and its flush, reading other data, the drop target's calls and the drop source's rules.
#include "framework/ui.h"
#include "support/clipboard_lock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

int g_sourcesDeleted = 0;

class CountedSource : public COleDataSource {
public:
    ~CountedSource() override { ++g_sourcesDeleted; }
};

HGLOBAL GlobalText(const char* text)
{
    const size_t size = strlen(text) + 1;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(::GlobalLock(memory), text, size);
    ::GlobalUnlock(memory);
    return memory;
}

std::string TextOf(HGLOBAL memory)
{
    if (memory == nullptr)
        return "(none)";
    std::string text(static_cast<const char*>(::GlobalLock(memory)));
    ::GlobalUnlock(memory);
    ::GlobalFree(memory);
    return text;
}

class OleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(AfxOleInit()); }
};

TEST_F(OleTest, DataOnTheClipboardIsReadBackAndFlushedWhenAsked)
{
    ClipboardLock clipboard;
    g_sourcesDeleted = 0;
    CountedSource* source = new CountedSource;
    source->CacheGlobalData(CF_TEXT, GlobalText("first"));
    source->CacheGlobalData(CF_TEXT, GlobalText("second"));
    source->SetClipboard();
    EXPECT_EQ(source, COleDataSource::GetClipboardOwner());

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
    EXPECT_FALSE(data.IsDataAvailable(CF_BITMAP));
    EXPECT_EQ("second", TextOf(data.GetGlobalData(CF_TEXT))) << "caching a format again replaces it";
    EXPECT_EQ(nullptr, data.GetGlobalData(CF_DIB));
    data.Release();

    COleDataSource::FlushClipboard();
    EXPECT_EQ(nullptr, COleDataSource::GetClipboardOwner());
    EXPECT_EQ(1, g_sourcesDeleted) << "the clipboard let go of its reference";
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE text = ::GetClipboardData(CF_TEXT);
    ASSERT_NE(nullptr, text);
    EXPECT_STREQ("second", static_cast<const char*>(::GlobalLock(text)));
    ::GlobalUnlock(text);
    ::CloseClipboard();
}

TEST_F(OleTest, TheLastReleaseDeletesTheSourceAndItsFormatsAreListed)
{
    g_sourcesDeleted = 0;
    CountedSource* source = new CountedSource;
    source->CacheGlobalData(CF_TEXT, GlobalText("x"));
    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(S_OK, source->GetDataObject()->EnumFormatEtc(DATADIR_GET, &formats));
    FORMATETC format = {};
    ULONG fetched = 0;
    EXPECT_EQ(S_OK, formats->Next(1, &format, &fetched));
    EXPECT_EQ(CF_TEXT, format.cfFormat);
    EXPECT_EQ(S_FALSE, formats->Next(1, &format, &fetched));
    formats->Release();

    source->GetDataObject()->AddRef();
    source->InternalRelease();
    EXPECT_EQ(0, g_sourcesDeleted);
    source->GetDataObject()->Release();
    EXPECT_EQ(1, g_sourcesDeleted);
}

// Records what the system's drag calls turned into.
class RecordingTarget : public COleDropTarget {
public:
    std::vector<std::string> calls;
    DROPEFFECT answer = DROPEFFECT_COPY;
    CPoint lastPoint;

    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* pData, DWORD dwKeyState, CPoint point) override
    {
        lastPoint = point;
        calls.push_back("enter " + std::to_string(dwKeyState) + (pData->IsDataAvailable(CF_TEXT) ? " text" : ""));
        return answer;
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point) override
    {
        lastPoint = point;
        calls.push_back("over");
        return answer;
    }
    void OnDragLeave(CWnd*) override { calls.push_back("leave"); }
    BOOL OnDrop(CWnd*, COleDataObject* pData, DROPEFFECT effect, CPoint) override
    {
        calls.push_back("drop " + std::to_string(effect) + " " + TextOf(pData->GetGlobalData(CF_TEXT)));
        return TRUE;
    }
};

TEST_F(OleTest, ADropTargetGetsClientPointsAndTheAllowedEffect)
{
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, AfxFrameOrViewWndClass(), "drop", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 60, 300,
                                200, nullptr, nullptr));
    RecordingTarget target;
    ASSERT_TRUE(target.Register(&window));
    EXPECT_FALSE(target.Register(&window)) << "one window per target";
    COleDataSource* source = new COleDataSource;
    source->CacheGlobalData(CF_TEXT, GlobalText("dropped"));

    POINT screen = {10, 20};
    window.ClientToScreen(&screen);
    DWORD effect = DROPEFFECT_MOVE | DROPEFFECT_COPY;
    LPDROPTARGET face = target.GetDropTarget();
    ASSERT_EQ(S_OK, face->DragEnter(source->GetDataObject(), MK_LBUTTON, POINTL{screen.x, screen.y}, &effect));
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), effect);
    EXPECT_EQ(CPoint(10, 20), target.lastPoint);

    effect = DROPEFFECT_MOVE;
    face->DragOver(MK_LBUTTON, POINTL{screen.x, screen.y}, &effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect) << "copy is not allowed by the source";

    effect = DROPEFFECT_COPY;
    face->Drop(source->GetDataObject(), 0, POINTL{screen.x, screen.y}, &effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_COPY), effect);

    target.answer = DROPEFFECT_NONE;
    effect = DROPEFFECT_COPY;
    face->Drop(source->GetDataObject(), 0, POINTL{screen.x, screen.y}, &effect);
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect) << "a refused drop is a leave";

    const std::vector<std::string> expected = {"enter 1 text", "over", "over", "drop 1 dropped", "over", "leave"};
    EXPECT_EQ(expected, target.calls);
    target.Revoke();
    source->InternalRelease();
    window.DestroyWindow();
}

TEST(OleDropSource, DropsOnReleaseAndCancelsOnEscapeOrBothButtons)
{
    COleDropSource source;
    EXPECT_EQ(S_OK, source.QueryContinueDrag(FALSE, MK_LBUTTON));
    EXPECT_EQ(DRAGDROP_S_DROP, source.QueryContinueDrag(FALSE, 0));
    EXPECT_EQ(DRAGDROP_S_CANCEL, source.QueryContinueDrag(TRUE, MK_LBUTTON));
    EXPECT_EQ(DRAGDROP_S_CANCEL, source.QueryContinueDrag(FALSE, MK_LBUTTON | MK_RBUTTON));
    EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, source.GiveFeedback(DROPEFFECT_MOVE));
}

} // namespace
