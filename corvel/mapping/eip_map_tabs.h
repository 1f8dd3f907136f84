// CEIPMapListPage, CEIPMapListCtrlTab1..3, CEIPMapTabCtrl: the EtherNet/IP connection pages (inputs, outputs,
// messages with the module's status tags) of the PLC mapping dialog.
#pragma once

#include "corvel/controls/grid_list.h"
#include "corvel/model/eip_assignment.h"
#include "toolkit/common/tab_ctrl.h"

#include <functional>
#include <memory>

class CMainDoc;
class CCustomSlider;

namespace Corvel::Mapping {

// Row colour of a tag class (Corvel::Records::kTagTypeGoose ... kTagTypeDiagnostic).
COLORREF EipTagClassColour(int tagType);

// One connection page: rows keep their tag record as item data (status rows have none).
class CEIPMapListPage : public CGridList {
    DECLARE_DYNAMIC(CEIPMapListPage)
public:
    // Called by Delete (the row menu's or the key) with rows selected; the dialog takes them out of their
    // connection.
    void SetDeleteHandler(std::function<void()> handler) { m_delete = std::move(handler); }
    Corvel::Records::_TAGS* GetRowTag(int row) const;

protected:
    bool GetRowColor(int row, COLORREF& textColor, COLORREF& backColor) override;
    afx_msg void OnDeleteSelected() override;

private:
    std::function<void()> m_delete;
};

class CEIPMapListCtrlTab1 : public CEIPMapListPage {};
class CEIPMapListCtrlTab2 : public CEIPMapListPage {};
class CEIPMapListCtrlTab3 : public CEIPMapListPage {};

// The tab control over the three pages. It shows the tags of the slider's connection, numbers the message
// tags, appends the module's status rows to the message page and holds the assignment stamp.
class CEIPMapTabCtrl : public CKitTabCtrl {
    DECLARE_DYNAMIC(CEIPMapTabCtrl)
public:
    static constexpr UINT kFirstPageId = 1145;
    static constexpr UINT kRemoveTabCommand = 106;

    CEIPMapTabCtrl();
    ~CEIPMapTabCtrl() override;

    // Creates the pages over the document's lists; the slider gives the shown connection.
    void Build(CMainDoc* doc, CCustomSlider* slider);
    // Fills the current page again.
    void Refresh();
    CEIPMapListPage& GetPage(int tab);
    CEIPMapListPage& GetCurrentPage() { return GetPage(GetCurSel()); }
    Corvel::Records::CEipAssignment& GetAssignment() { return *m_assignment; }
    // The RPI limit painted beside the tabs, in milliseconds.
    void SetRpiLimit(int milliseconds) { m_rpiLimit = milliseconds; }

    // A tab click: the page changes, its list is filled and the slider repainted.
    void OnSelChangeImpl() override;

protected:
    afx_msg void OnPaint();
    afx_msg void OnRemoveTab();
    DECLARE_MESSAGE_MAP()

private:
    void AddMessageRow(CEIPMapListPage& page, Corvel::Records::_TAGS& tag);

    CMainDoc* m_doc = nullptr;
    CCustomSlider* m_slider = nullptr;
    CEIPMapListCtrlTab1 m_inputs;
    CEIPMapListCtrlTab2 m_outputs;
    CEIPMapListCtrlTab3 m_messages;
    std::unique_ptr<Corvel::Records::CEipAssignment> m_assignment;
    int m_rpiLimit = 0;
};

} // namespace Corvel::Mapping
