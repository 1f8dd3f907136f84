// CKitControls: the controls of a command bar, each held by one counted reference.
#pragma once

#include "framework/msgmap.h"

#include <windows.h>

#include <vector>

class CKitCommandBar;
class CKitControl;

class CKitControls : public CCmdTarget {
    DECLARE_DYNAMIC(CKitControls)
public:
    CKitControls() = default;
    ~CKitControls() override;
    CKitControls(const CKitControls&) = delete;
    CKitControls& operator=(const CKitControls&) = delete;

    // Takes over one reference to the control and inserts it before the index (-1 appends).
    CKitControl* InsertAt(CKitControl* pControl, int nBefore = -1);
    CKitControl* AddControl(CKitControl* pControl) { return InsertAt(pControl, -1); }
    // Releases the control after unlinking it.
    void Remove(CKitControl* pControl);
    // Removes and releases every control, last first.
    void RemoveAll();

    int GetCount() const { return static_cast<int>(m_controls.size()); }
    // The control at the index, or null out of range.
    CKitControl* GetAt(int nIndex) const;

    CKitCommandBar* GetParent() const { return m_pParent; }
    // The owning bar of the collection and of every control in it.
    void SetParent(CKitCommandBar* pParent);

private:
    std::vector<CKitControl*> m_controls;
    CKitCommandBar* m_pParent = nullptr;
};
