#include "corvel/mapping/multi_tree.h"

IMPLEMENT_DYNAMIC(CMultiTree, CTreeCtrl)

BEGIN_MESSAGE_MAP(CMultiTree, CTreeCtrl)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMultiTree::CMultiTree() = default;

CMultiTree::~CMultiTree()
{
    // Destroyed while the object is still a CMultiTree, so that OnDestroy runs.
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CMultiTree::AddXmlNode(IXMLDOMNode* node)
{
    if (node != nullptr)
        m_xmlNode = DomNodePtr(node);
}

CTreeModelRecord* CMultiTree::GetItemRecord(HTREEITEM item) const
{
    return reinterpret_cast<CTreeModelRecord*>(GetItemData(item));
}

void CMultiTree::OnDestroy()
{
    CTreeCtrl::OnDestroy();
    m_records.clear();
}
