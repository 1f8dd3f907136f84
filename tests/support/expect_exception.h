// ThrowsFrameworkException: checks that code throws a framework exception of a given class, and deletes it.
#pragma once

#include "framework/exceptions.h"

#include <gtest/gtest.h>

#include <functional>

// The thrown exception when it is a T (deleted after check runs), else a test failure.
template <class T>
::testing::AssertionResult ThrowsFrameworkException(const std::function<void()>& code,
    const std::function<void(T&)>& check = nullptr)
{
    try {
        code();
    } catch (CException* e) {
        AfxExceptionReleaser release(e);
        if (!e->IsKindOf(RUNTIME_CLASS(T)))
            return ::testing::AssertionFailure() << "threw " << e->GetRuntimeClass()->m_lpszClassName
                                                 << " instead of " << RUNTIME_CLASS(T)->m_lpszClassName;
        if (check)
            check(*static_cast<T*>(e));
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "threw nothing";
}
