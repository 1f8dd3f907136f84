// CKitNotificationSourceMT, CKitNotificationSinkMT: event notifications that any thread may send to the subscribed sinks.
#pragma once

#include "framework/msgmap.h"

#include <windows.h>

#include <vector>

// The receiving side: called for each event it subscribed to.
class CKitNotificationSinkMT {
public:
    virtual ~CKitNotificationSinkMT() = default;
    // Called on the sending thread, without any lock of the source held.
    virtual void OnEvent(UINT nEvent, WPARAM wParam, LPARAM lParam, DWORD dwExtra) = 0;
};

// The publishing side. Sinks may subscribe, unsubscribe or send from inside
// OnEvent; a sink unsubscribed during a send is not called afterwards.
class CKitNotificationSourceMT : public CCmdTarget {
    DECLARE_DYNAMIC(CKitNotificationSourceMT)
public:
    // Theme resources were (re)loaded.
    static constexpr UINT kEventResourcesReloaded = 10575;

    CKitNotificationSourceMT();
    ~CKitNotificationSourceMT() override;

    // A cookie that names the subscription.
    DWORD_PTR Subscribe(UINT nEvent, CKitNotificationSinkMT* pSink);
    // Removes the subscription; FALSE when the cookie is unknown.
    BOOL Unsubscribe(DWORD_PTR dwCookie);
    // Removes every subscription of the sink.
    void UnsubscribeAll(CKitNotificationSinkMT* pSink);

    // Calls every sink subscribed to the event; TRUE when at least one
    // subscription existed when the send began.
    BOOL SendEvent(UINT nEvent, WPARAM wParam = 0, LPARAM lParam = 0, DWORD dwExtra = 0);
    // The index of the subscription in the list, or -1.
    int FindSinkByCookie(DWORD_PTR dwCookie);

protected:
    virtual CRITICAL_SECTION* GetSyncObject() { return &m_cs; }

private:
    struct Subscription {
        UINT nEvent;
        CKitNotificationSinkMT* pSink;
        DWORD_PTR dwCookie;
    };
    CRITICAL_SECTION m_cs;
    std::vector<Subscription*> m_subscriptions;
    DWORD_PTR m_dwNextCookie;
};
