#include "toolkit/common/notification.h"

#include "framework/exceptions.h"
#include "toolkit/common/system.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CKitNotificationSourceMT, CCmdTarget)

CKitNotificationSourceMT::CKitNotificationSourceMT()
    : m_dwNextCookie(1), m_pSnapshot(nullptr), m_nSnapshotSize(0), m_nSnapshotCapacity(0), m_nSnapshotGrowBy(0),
      m_nSnapshotTop(0)
{
    ::InitializeCriticalSection(&m_cs);
}

CKitNotificationSourceMT::~CKitNotificationSourceMT()
{
    for (Subscription* pSubscription : m_subscriptions)
        delete pSubscription;
    std::free(m_pSnapshot);
    ::DeleteCriticalSection(&m_cs);
}

DWORD_PTR CKitNotificationSourceMT::Subscribe(UINT nEvent, CKitNotificationSinkMT* pSink)
{
    CKitLockGuard lock(GetSyncObject());
    const DWORD_PTR dwCookie = m_dwNextCookie++;
    m_subscriptions.push_back(new Subscription{nEvent, pSink, dwCookie});
    return dwCookie;
}

BOOL CKitNotificationSourceMT::Unsubscribe(DWORD_PTR dwCookie)
{
    CKitLockGuard lock(GetSyncObject());
    const int nIndex = FindSinkByCookie(dwCookie);
    if (nIndex < 0)
        return FALSE;
    delete m_subscriptions[static_cast<size_t>(nIndex)];
    m_subscriptions.erase(m_subscriptions.begin() + nIndex);
    return TRUE;
}

void CKitNotificationSourceMT::UnsubscribeAll(CKitNotificationSinkMT* pSink)
{
    CKitLockGuard lock(GetSyncObject());
    auto kept = std::remove_if(m_subscriptions.begin(), m_subscriptions.end(), [pSink](Subscription* p) {
        if (p->pSink != pSink)
            return false;
        delete p;
        return true;
    });
    m_subscriptions.erase(kept, m_subscriptions.end());
}

int CKitNotificationSourceMT::FindSinkByCookie(DWORD_PTR dwCookie)
{
    CKitLockGuard lock(GetSyncObject());
    for (size_t i = 0; i < m_subscriptions.size(); ++i) {
        if (m_subscriptions[i]->dwCookie == dwCookie)
            return static_cast<int>(i);
    }
    return -1;
}

void CKitNotificationSourceMT::SetSnapshotSize(int n)
{
    if (n < 0)
        AfxThrowInvalidArgException();
    if (n == 0) {
        std::free(m_pSnapshot);
        m_pSnapshot = nullptr;
        m_nSnapshotSize = m_nSnapshotCapacity = 0;
        return;
    }
    if (n > m_nSnapshotCapacity) {
        int nStep = m_nSnapshotGrowBy;
        if (nStep == 0)
            nStep = std::min(1024, std::max(4, m_nSnapshotSize / 8));
        const int nCapacity = m_pSnapshot == nullptr ? std::max(n, nStep) : std::max(n, m_nSnapshotCapacity + nStep);
        auto* pGrown = static_cast<Subscription*>(std::realloc(m_pSnapshot, sizeof(Subscription) * nCapacity));
        if (pGrown == nullptr)
            AfxThrowMemoryException();
        m_pSnapshot = pGrown;
        m_nSnapshotCapacity = nCapacity;
    }
    if (n > m_nSnapshotSize)
        std::memset(m_pSnapshot + m_nSnapshotSize, 0, sizeof(Subscription) * (n - m_nSnapshotSize));
    m_nSnapshotSize = n;
}

// The matching subscriptions are copied above the snapshot top first, so that
// sinks may change the list, and nested sends use the records above them.
BOOL CKitNotificationSourceMT::SendEvent(UINT nEvent, WPARAM wParam, LPARAM lParam, DWORD dwExtra)
{
    CRITICAL_SECTION* pLock = GetSyncObject();
    ::EnterCriticalSection(pLock);
    InternalAddRef();
    const int nFirst = m_nSnapshotTop;
    const int nNeeded = static_cast<int>(m_subscriptions.size()) + m_nSnapshotTop;
    if (nNeeded > m_nSnapshotSize)
        SetSnapshotSize(nNeeded);
    for (Subscription* pSubscription : m_subscriptions) {
        if (pSubscription->nEvent == nEvent)
            m_pSnapshot[m_nSnapshotTop++] = *pSubscription;
    }
    const int nLast = m_nSnapshotTop - 1;
    ::LeaveCriticalSection(pLock);

    for (int i = nFirst;; ++i) {
        ::EnterCriticalSection(pLock);
        if (i > nLast || i >= m_nSnapshotSize) {
            ::LeaveCriticalSection(pLock);
            break;
        }
        const Subscription record = m_pSnapshot[i];
        const bool bLive = FindSinkByCookie(record.dwCookie) >= 0;
        ::LeaveCriticalSection(pLock);
        if (!bLive)
            continue;
        try {
            record.pSink->OnEvent(nEvent, wParam, lParam, dwExtra);
        } catch (...) {
            // A failing sink does not keep the others from their event.
        }
    }

    ::EnterCriticalSection(pLock);
    m_nSnapshotTop = nFirst;
    ::LeaveCriticalSection(pLock);
    const BOOL bAny = nLast >= nFirst;
    InternalRelease();
    return bAny;
}

// The message of the sinks' cross-thread delivery, registered at start-up.
const UINT g_nKitNotificationSinkMTOnEvent = ::RegisterWindowMessageA("KitNotificationSinkMTOnEvent");
