#include "corvel/mapping/eip_map_tabs.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/controls/custom_slider.h"
#include "corvel/model/eip_status_rows.h"
#include "framework/msgbox.h"

namespace Corvel::Mapping {

using Corvel::Records::_TAGS;
using Corvel::Records::EipStatusRow;

namespace {

const char* const kTabCaptions[3] = {"Class 1 INPUTs", "Class 1 OUTPUTs", "Class 3 MSGs"};
const char kLastTabMessage[] = "Could not remove last tab.";
const char kRpiLimitText[] = "RPI limit: %d mSec";
const CPoint kRpiLimitPlace(290, 0);
constexpr int kRpiFontPoints = 10;

CString Decimal(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

} // namespace

COLORREF EipTagClassColour(int tagType)
{
    switch (tagType) {
    case Corvel::Records::kTagTypeGoose:
        return RGB(226, 173, 237);
    case Corvel::Records::kTagTypeReport:
        return RGB(210, 180, 140);
    case Corvel::Records::kTagTypeMmsWrite:
        return RGB(140, 210, 250);
    case Corvel::Records::kTagTypeMessage:
        return RGB(245, 200, 150);
    case Corvel::Records::kTagTypeDiagnostic:
        return RGB(150, 150, 150);
    default:
        return RGB(255, 255, 204);
    }
}

IMPLEMENT_DYNAMIC(CEIPMapListPage, CGridList)

_TAGS* CEIPMapListPage::GetRowTag(int row) const
{
    return reinterpret_cast<_TAGS*>(GetItemData(row));
}

bool CEIPMapListPage::GetRowColor(int row, COLORREF& textColor, COLORREF& backColor)
{
    const _TAGS* tag = GetRowTag(row);
    if (tag == nullptr)
        return false;
    textColor = RGB(0, 0, 0);
    backColor = EipTagClassColour(tag->tagType);
    return true;
}

void CEIPMapListPage::OnDeleteSelected()
{
    if (GetSelectedCount() > 0 && m_delete)
        m_delete();
}

IMPLEMENT_DYNAMIC(CEIPMapTabCtrl, CKitTabCtrl)

BEGIN_MESSAGE_MAP(CEIPMapTabCtrl, CKitTabCtrl)
    ON_WM_PAINT()
    ON_COMMAND(CEIPMapTabCtrl::kRemoveTabCommand, &CEIPMapTabCtrl::OnRemoveTab)
END_MESSAGE_MAP()

CEIPMapTabCtrl::CEIPMapTabCtrl() = default;
CEIPMapTabCtrl::~CEIPMapTabCtrl() = default;

CEIPMapListPage& CEIPMapTabCtrl::GetPage(int tab)
{
    if (tab == Corvel::Records::kEipOutputTab)
        return m_outputs;
    if (tab == Corvel::Records::kEipMessageTab)
        return m_messages;
    return m_inputs;
}

void CEIPMapTabCtrl::Build(CMainDoc* doc, CCustomSlider* slider)
{
    m_doc = doc;
    m_slider = slider;
    m_assignment = std::make_unique<Corvel::Records::CEipAssignment>(doc->project, doc->tagsINP, doc->tagsOUT,
                                                                    doc->tagsMSG);
    CRect area;
    GetClientRect(&area);
    for (int tab = 0; tab < 3; ++tab) {
        CEIPMapListPage& page = GetPage(tab);
        page.Create(WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, area, this, kFirstPageId + tab);
        page.SetExtendedStyle(page.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
        // The row menu and the Delete key offer Delete alone: the pages hold no command rows.
        page.SetMenuMode(CGridList::kMenuModeDelete);
        page.InsertHiddenLabelColumn();
        if (tab == Corvel::Records::kEipMessageTab) {
            page.InsertColumnTrait(1, "Tag Name", LVCFMT_LEFT, 225, 1);
            page.InsertColumnTrait(2, "Access", LVCFMT_LEFT, 45, 2);
            page.InsertColumnTrait(3, "Attrib", LVCFMT_LEFT, 45, 3);
            page.InsertColumnTrait(4, "Index", LVCFMT_LEFT, 45, 4);
            page.InsertColumnTrait(5, "Bytes", LVCFMT_LEFT, 45, 5);
        } else {
            page.InsertColumnTrait(1, "Tag Name", LVCFMT_LEFT, 276, 1);
            page.InsertColumnTrait(2, "Start Addr", LVCFMT_CENTER, 68, 2);
            page.InsertColumnTrait(3, "Bytes", LVCFMT_CENTER, 65, 3);
        }
        AddWindow(kTabCaptions[tab], &page);
    }
    SetActiveTab(0);
}

void CEIPMapTabCtrl::AddMessageRow(CEIPMapListPage& page, _TAGS& tag)
{
    const int attrib = page.GetItemCount() + 1;
    tag.StartAddr = attrib;
    const CString text = Corvel::Records::AttribText(attrib);
    const int row = page.InsertRowTexts(-1, 6, "", static_cast<LPCSTR>(tag.tagName), static_cast<LPCSTR>(tag.Access),
                                        static_cast<LPCSTR>(text), "", "");
    page.SetItemData(row, reinterpret_cast<DWORD_PTR>(&tag));
}

void CEIPMapTabCtrl::Refresh()
{
    if (m_doc == nullptr)
        return;
    const int tab = GetCurSel() < 0 ? 0 : GetCurSel();
    CEIPMapListPage& page = GetPage(tab);
    Corvel::Records::CVQNTagsList& list = m_assignment->List(tab);
    page.SetRedraw(FALSE);
    page.DeleteAllItems();
    const bool messages = tab == Corvel::Records::kEipMessageTab;
    const int shown = messages || m_slider == nullptr ? 0 : m_slider->GetSelectedConnection();
    for (INT_PTR i = 0; i < list.GetCount(); ++i) {
        _TAGS& tag = *list.GetAt(i);
        if (messages) {
            AddMessageRow(page, tag);
            continue;
        }
        if (tag.Conn != shown)
            continue;
        const CString start = Decimal(tag.StartAddr);
        const int size = tag.GetTypeSize();
        if (size < 0)
            AfxMessageBox(tag.UnsupportedTypeText(), MB_OK);
        const CString bytes = Decimal(size);
        const int row = page.InsertRowTexts(-1, 4, "", static_cast<LPCSTR>(tag.tagName), static_cast<LPCSTR>(start),
                                            static_cast<LPCSTR>(bytes));
        page.SetItemData(row, reinterpret_cast<DWORD_PTR>(&tag));
    }
    if (messages) {
        const int connections = Corvel::Records::CountLeadingConnections(m_doc->tagsINP, m_doc->tagsOUT);
        const bool eth1 = Corvel::Records::NodeStatusOnEth1(m_doc->project.numPorts, m_doc->project.port61850);
        for (const EipStatusRow& status :
             Corvel::Records::BuildModuleStatusRows(connections, Corvel::Records::CountIedsInUse(m_doc->project), eth1))
            page.InsertRowTexts(-1, 6, "", static_cast<LPCSTR>(status.tagName), static_cast<LPCSTR>(status.access),
                                static_cast<LPCSTR>(status.attrib), static_cast<LPCSTR>(status.index),
                                static_cast<LPCSTR>(status.bytes));
    }
    page.SetRedraw(TRUE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CEIPMapTabCtrl::OnSelChangeImpl()
{
    CKitTabCtrl::OnSelChangeImpl();
    Refresh();
    if (m_slider != nullptr && m_slider->GetSafeHwnd() != nullptr)
        m_slider->Invalidate();
}

void CEIPMapTabCtrl::OnPaint()
{
    CKitTabCtrl::OnPaint();
    CClientDC dc(this);
    CFont font;
    font.CreatePointFont(kRpiFontPoints * 10, "MS Shell Dlg", &dc);
    CFont* old = dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    CString text;
    text.Format(kRpiLimitText, m_rpiLimit);
    dc.TextOut(kRpiLimitPlace.x, kRpiLimitPlace.y, text);
    dc.SelectObject(old);
}

void CEIPMapTabCtrl::OnRemoveTab()
{
    if (GetItemCount() <= 1) {
        AfxMessageBox(kLastTabMessage);
        return;
    }
    DeleteTab(GetCurSel());
}

} // namespace Corvel::Mapping
