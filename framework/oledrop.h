// COleDataObject, COleDataSource, COleDropSource, COleDropTarget: OLE data transfer through the clipboard and drag and drop.
#pragma once

#include "framework/geometry.h"
#include "framework/msgmap.h"

#include <ole2.h>

#include <memory>
#include <vector>

class CWnd;

using DROPEFFECT = DWORD;

// Data offered by someone else (the clipboard or a drag source), read through its IDataObject.
class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject() { Release(); }
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // Reads lpDataObject; with bAutoRelease the reference passes to this object.
    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    // Reads what the clipboard holds now; FALSE when it cannot be opened.
    BOOL AttachClipboard();

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    // A copy of the data in global memory, which the caller frees; null when it is not offered.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);

    LPDATAOBJECT m_lpDataObject = nullptr;
    BOOL m_bAutoRelease = TRUE;
};

// Decides when a drag ends; the default drops on the button's release and cancels on Escape.
class COleDropSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropSource)
public:
    COleDropSource() = default;

    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);
};

// Data this program offers. It is reference counted: made with new (one
// reference), handed to the clipboard by SetClipboard, or given back with
// InternalRelease after a drag; the last release deletes it.
class COleDataSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();
    ~COleDataSource() override;

    // Offers hGlobal as cfFormat; the source owns the memory from then on.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    void Empty();

    // Runs a modal drag of this data (blocks until the drop or cancel); the
    // effect the target performed, DROPEFFECT_NONE when nothing was dropped.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = nullptr, COleDropSource* pDropSource = nullptr);

    // Puts this data on the clipboard, which takes over the caller's reference.
    void SetClipboard();
    // Renders the data on the clipboard that this program offers, so it outlives the program.
    static void FlushClipboard();
    // The source of ours that the clipboard holds now, or null.
    static COleDataSource* GetClipboardOwner();

    // The COM face of this object (no reference added); its references are this object's.
    LPDATAOBJECT GetDataObject();

private:
    class DataObject;
    friend class DataObject;
    struct Entry {
        FORMATETC format;
        HGLOBAL hGlobal;
    };

    const Entry* FindEntry(const FORMATETC& format) const;

    std::vector<Entry> m_entries;
    std::unique_ptr<DataObject> m_dataObject;
};

// Makes a window a drop target: the system's drag events reach the virtual
// hooks with the point in the window's client coordinates.
class COleDropTarget : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    ~COleDropTarget() override;

    BOOL Register(CWnd* pWnd);
    virtual void Revoke();

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

    // The interface the system calls (no reference added).
    LPDROPTARGET GetDropTarget();
    HWND GetRegisteredWindow() const { return m_hWnd; }

private:
    class DropTarget;
    friend class DropTarget;

    HWND m_hWnd = nullptr;
    std::unique_ptr<DropTarget> m_dropTarget;
};
