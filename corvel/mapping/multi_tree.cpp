#include "corvel/mapping/multi_tree.h"

IMPLEMENT_DYNAMIC(CMultiTree, CTreeCtrl)

BEGIN_MESSAGE_MAP(CMultiTree, CTreeCtrl)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMultiTree::CMultiTree() = default;

CMultiTree::~CMultiTree()
{
    // Destroyed here so that OnDestroy still frees the records.
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
    for (HTREEITEM item = GetRootItem(); item != nullptr; item = GetNextSiblingItem(item))
        DeleteRecords(item);
    CTreeCtrl::OnDestroy();
}

void CMultiTree::DeleteRecords(HTREEITEM item)
{
    delete GetItemRecord(item);
    for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child))
        DeleteRecords(child);
}
