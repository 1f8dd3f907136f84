// NotedMessages: what window-free code noted for its window, taken from it as that window would take it.
#pragma once

#include "framework/error_report.h"

#include <vector>

// Takes source's messages (source.TakeMessages()) whenever it is asked, and keeps them in order.
template <class Source>
class NotedMessages {
public:
    explicit NotedMessages(Source& source) : m_source(source) {}
    size_t Count() { return Taken().size(); }
    const CErrorReport& Last() { return Taken().back(); }
    void Clear() { Taken().clear(); }

private:
    std::vector<CErrorReport>& Taken()
    {
        for (CErrorReport& report : m_source.TakeMessages())
            m_taken.push_back(report);
        return m_taken;
    }

    Source& m_source;
    std::vector<CErrorReport> m_taken;
};
