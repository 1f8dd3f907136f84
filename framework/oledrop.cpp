// OLE data objects of our own (IDataObject, IDropSource, IDropTarget) and the readers of other programs' data.
#include "framework/oledrop.h"

#include "framework/wnd.h"

#include <shlobj.h>

#include <cstring>
#include <utility>

IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

namespace {

// The data source of ours last put on the clipboard (it may have been replaced since).
COleDataSource* g_pClipboardSource = nullptr;

FORMATETC GlobalFormat(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (lpFormatEtc != nullptr)
        return *lpFormatEtc;
    FORMATETC format = {};
    format.cfFormat = cfFormat;
    format.dwAspect = DVASPECT_CONTENT;
    format.lindex = -1;
    format.tymed = TYMED_HGLOBAL;
    return format;
}

// A copy of a global memory block, or null.
HGLOBAL CopyGlobal(HGLOBAL hSource)
{
    const SIZE_T size = ::GlobalSize(hSource);
    const void* source = ::GlobalLock(hSource);
    if (source == nullptr)
        return nullptr;
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (void* target = hCopy != nullptr ? ::GlobalLock(hCopy) : nullptr) {
        memcpy(target, source, size);
        ::GlobalUnlock(hCopy);
    }
    ::GlobalUnlock(hSource);
    return hCopy;
}

// Drops on the button's release, cancels on Escape or when both buttons are down.
class DefaultDropSource final : public IDropSource {
public:
    explicit DefaultDropSource(COleDropSource* pSource) : m_pSource(pSource) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDropSource) {
            *ppv = static_cast<IDropSource*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_nRefs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_nRefs; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override
    {
        return m_pSource->QueryContinueDrag(fEscapePressed, grfKeyState);
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD dwEffect) override { return m_pSource->GiveFeedback(dwEffect); }

private:
    COleDropSource* m_pSource;
    ULONG m_nRefs = 1;
};

} // namespace

// COleDataObject

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    LPDATAOBJECT lpDataObject = m_lpDataObject;
    m_lpDataObject = nullptr;
    return lpDataObject;
}

void COleDataObject::Release()
{
    if (m_lpDataObject != nullptr && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = nullptr;
}

BOOL COleDataObject::AttachClipboard()
{
    LPDATAOBJECT lpDataObject = nullptr;
    if (FAILED(::OleGetClipboard(&lpDataObject)) || lpDataObject == nullptr)
        return FALSE;
    Attach(lpDataObject, TRUE);
    return TRUE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == nullptr)
        return FALSE;
    FORMATETC format = GlobalFormat(cfFormat, lpFormatEtc);
    return m_lpDataObject->QueryGetData(&format) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == nullptr)
        return nullptr;
    FORMATETC format = GlobalFormat(cfFormat, lpFormatEtc);
    STGMEDIUM medium = {};
    if (FAILED(m_lpDataObject->GetData(&format, &medium)))
        return nullptr;
    HGLOBAL hResult = nullptr;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != nullptr) {
        // Memory someone else still owns is copied; memory handed over is kept.
        if (medium.pUnkForRelease != nullptr)
            hResult = CopyGlobal(medium.hGlobal);
        else
            hResult = std::exchange(medium.hGlobal, nullptr);
    }
    if (medium.hGlobal != nullptr || medium.pUnkForRelease != nullptr)
        ::ReleaseStgMedium(&medium);
    return hResult;
}

// COleDropSource

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (bEscapePressed || (dwKeyState & (MK_LBUTTON | MK_RBUTTON)) == (MK_LBUTTON | MK_RBUTTON))
        return DRAGDROP_S_CANCEL;
    if ((dwKeyState & (MK_LBUTTON | MK_RBUTTON)) == 0)
        return DRAGDROP_S_DROP;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

// COleDataSource

// The IDataObject face of a data source; its references are the source's.
class COleDataSource::DataObject final : public IDataObject {
public:
    explicit DataObject(COleDataSource* pOwner) : m_pOwner(pOwner) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDataObject) {
            *ppv = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(m_pOwner->InternalAddRef()); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(m_pOwner->InternalRelease()); }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override
    {
        if (pFormat == nullptr || pMedium == nullptr)
            return E_INVALIDARG;
        const Entry* entry = m_pOwner->FindEntry(*pFormat);
        if (entry == nullptr)
            return DV_E_FORMATETC;
        HGLOBAL hCopy = CopyGlobal(entry->hGlobal);
        if (hCopy == nullptr)
            return E_OUTOFMEMORY;
        pMedium->tymed = TYMED_HGLOBAL;
        pMedium->hGlobal = hCopy;
        pMedium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* pFormat) override
    {
        return pFormat != nullptr && m_pOwner->FindEntry(*pFormat) != nullptr ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pFormatOut) override
    {
        if (pFormatOut != nullptr)
            pFormatOut->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override
    {
        if (ppEnum == nullptr)
            return E_INVALIDARG;
        *ppEnum = nullptr;
        if (dwDirection != DATADIR_GET)
            return E_NOTIMPL;
        std::vector<FORMATETC> formats;
        for (const Entry& entry : m_pOwner->m_entries)
            formats.push_back(entry.format);
        return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), ppEnum);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    COleDataSource* m_pOwner;
};

COleDataSource::COleDataSource() : m_dataObject(new DataObject(this)) {}

COleDataSource::~COleDataSource()
{
    if (g_pClipboardSource == this)
        g_pClipboardSource = nullptr;
    Empty();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    const FORMATETC format = GlobalFormat(cfFormat, lpFormatEtc);
    for (Entry& entry : m_entries) {
        if (entry.format.cfFormat == format.cfFormat) {
            ::GlobalFree(entry.hGlobal);
            entry.hGlobal = hGlobal;
            return;
        }
    }
    m_entries.push_back({format, hGlobal});
}

void COleDataSource::Empty()
{
    for (Entry& entry : m_entries)
        ::GlobalFree(entry.hGlobal);
    m_entries.clear();
}

const COleDataSource::Entry* COleDataSource::FindEntry(const FORMATETC& format) const
{
    for (const Entry& entry : m_entries) {
        if (entry.format.cfFormat == format.cfFormat && (format.tymed & TYMED_HGLOBAL) != 0 &&
            (format.dwAspect == 0 || format.dwAspect == DVASPECT_CONTENT))
            return &entry;
    }
    return nullptr;
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT, COleDropSource* pDropSource)
{
    COleDropSource defaultSource;
    DefaultDropSource source(pDropSource != nullptr ? pDropSource : &defaultSource);
    DWORD effect = DROPEFFECT_NONE;
    InternalAddRef();
    const HRESULT hr = ::DoDragDrop(GetDataObject(), &source, dwEffects, &effect);
    InternalRelease();
    return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

void COleDataSource::SetClipboard()
{
    if (SUCCEEDED(::OleSetClipboard(GetDataObject())))
        g_pClipboardSource = this;
    InternalRelease();
}

void COleDataSource::FlushClipboard()
{
    if (GetClipboardOwner() != nullptr)
        ::OleFlushClipboard();
}

COleDataSource* COleDataSource::GetClipboardOwner()
{
    if (g_pClipboardSource == nullptr || ::OleIsCurrentClipboard(g_pClipboardSource->GetDataObject()) != S_OK)
        return nullptr;
    return g_pClipboardSource;
}

LPDATAOBJECT COleDataSource::GetDataObject()
{
    return m_dataObject.get();
}

// COleDropTarget

// The IDropTarget face of a drop target; its references are the drop
// target's, which its owner holds (one) for as long as it keeps it.
class COleDropTarget::DropTarget final : public IDropTarget {
public:
    explicit DropTarget(COleDropTarget* pOwner) : m_pOwner(pOwner) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDropTarget) {
            *ppv = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(m_pOwner->InternalAddRef()); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(m_pOwner->InternalRelease()); }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        if (pDataObj == nullptr || pdwEffect == nullptr)
            return E_INVALIDARG;
        pDataObj->AddRef();
        m_data.Attach(pDataObj, TRUE);
        CWnd* pWnd = CWnd::FromHandle(m_pOwner->m_hWnd);
        *pdwEffect &= m_pOwner->OnDragEnter(pWnd, &m_data, grfKeyState, ClientPoint(pt));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        if (pdwEffect == nullptr)
            return E_INVALIDARG;
        if (m_data.m_lpDataObject == nullptr) {
            *pdwEffect = DROPEFFECT_NONE;
            return S_OK;
        }
        CWnd* pWnd = CWnd::FromHandle(m_pOwner->m_hWnd);
        *pdwEffect &= m_pOwner->OnDragOver(pWnd, &m_data, grfKeyState, ClientPoint(pt));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        m_pOwner->OnDragLeave(CWnd::FromHandle(m_pOwner->m_hWnd));
        m_data.Release();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        if (pDataObj == nullptr || pdwEffect == nullptr)
            return E_INVALIDARG;
        pDataObj->AddRef();
        m_data.Attach(pDataObj, TRUE);
        CWnd* pWnd = CWnd::FromHandle(m_pOwner->m_hWnd);
        const CPoint point = ClientPoint(pt);
        const DROPEFFECT effect = *pdwEffect & m_pOwner->OnDragOver(pWnd, &m_data, grfKeyState, point);
        if (effect != DROPEFFECT_NONE && m_pOwner->OnDrop(pWnd, &m_data, effect, point)) {
            *pdwEffect = effect;
        } else {
            m_pOwner->OnDragLeave(pWnd);
            *pdwEffect = DROPEFFECT_NONE;
        }
        m_data.Release();
        return S_OK;
    }

private:
    CPoint ClientPoint(POINTL pt) const
    {
        POINT point = {pt.x, pt.y};
        ::ScreenToClient(m_pOwner->m_hWnd, &point);
        return CPoint(point);
    }

    COleDropTarget* m_pOwner;
    COleDataObject m_data;
};

COleDropTarget::COleDropTarget() : m_dropTarget(new DropTarget(this)) {}

COleDropTarget::~COleDropTarget()
{
    Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr || m_hWnd != nullptr)
        return FALSE;
    if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, GetDropTarget())))
        return FALSE;
    m_hWnd = pWnd->m_hWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd == nullptr)
        return;
    ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*) {}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

LPDROPTARGET COleDropTarget::GetDropTarget()
{
    return m_dropTarget.get();
}
