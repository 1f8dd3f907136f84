#include "toolkit/common/notification.h"

#include "toolkit/common/system.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKitNotificationSourceMT, CCmdTarget)

CKitNotificationSourceMT::CKitNotificationSourceMT()
    : m_dwNextCookie(1)
{
    ::InitializeCriticalSection(&m_cs);
}

CKitNotificationSourceMT::~CKitNotificationSourceMT()
{
    for (Subscription* pSubscription : m_subscriptions)
        delete pSubscription;
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

// The matching subscriptions are copied under the lock first, each send its
// own copy, so that sinks may change the list and sends of other threads or
// nested sends never touch the records of this one.
BOOL CKitNotificationSourceMT::SendEvent(UINT nEvent, WPARAM wParam, LPARAM lParam, DWORD dwExtra)
{
    CRITICAL_SECTION* pLock = GetSyncObject();
    std::vector<Subscription> snapshot;
    ::EnterCriticalSection(pLock);
    InternalAddRef();
    for (Subscription* pSubscription : m_subscriptions) {
        if (pSubscription->nEvent == nEvent)
            snapshot.push_back(*pSubscription);
    }
    ::LeaveCriticalSection(pLock);

    for (const Subscription& record : snapshot) {
        // A subscription removed meanwhile is skipped.
        if (FindSinkByCookie(record.dwCookie) < 0)
            continue;
        try {
            record.pSink->OnEvent(nEvent, wParam, lParam, dwExtra);
        } catch (...) {
            // A failing sink does not keep the others from their event.
        }
    }
    InternalRelease();
    return snapshot.empty() ? FALSE : TRUE;
}

// The message of the sinks' cross-thread delivery, registered at start-up.
const UINT g_nKitNotificationSinkMTOnEvent = ::RegisterWindowMessageA("KitNotificationSinkMTOnEvent");
