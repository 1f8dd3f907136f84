// MonitorClientTest, ScopedReplyLimit, ScratchTable, FrameBytes: Ostrel's client against the test program's module simulator, and a table of tags without a window.
#pragma once

#include "ostrel/monitor/diagnostic_tcp_client.h"
#include "ostrel/monitor/monitor_limits.h"
#include "ostrel/monitor/tag_database.h"

#include "support/message_box_recorder.h"
#include "support/module_simulator.h"

#include <objbase.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Shortens the silence a request waits for while it lives (the program keeps 10 s).
class ScopedReplyLimit {
public:
    explicit ScopedReplyLimit(DWORD limitMs) : m_previous(CDiagnosticTcpClient::SetReplyWaitLimit(limitMs)) {}
    ~ScopedReplyLimit() { CDiagnosticTcpClient::SetReplyWaitLimit(m_previous); }
    ScopedReplyLimit(const ScopedReplyLimit&) = delete;
    ScopedReplyLimit& operator=(const ScopedReplyLimit&) = delete;

private:
    DWORD m_previous;
};

// Shortens the time a whole request may take while it lives (the program keeps 120 s).
class ScopedRequestDeadline {
public:
    explicit ScopedRequestDeadline(DWORD deadlineMs) : m_previous(CDiagnosticTcpClient::SetRequestDeadline(deadlineMs)) {}
    ~ScopedRequestDeadline() { CDiagnosticTcpClient::SetRequestDeadline(m_previous); }
    ScopedRequestDeadline(const ScopedRequestDeadline&) = delete;
    ScopedRequestDeadline& operator=(const ScopedRequestDeadline&) = delete;

private:
    DWORD m_previous;
};

// A client of its own for each test, connected to nothing yet; COM and Windows Sockets as the program starts them.
class MonitorClientTest : public ModuleSimulatorTest {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_TRUE(AfxSocketInit());
    }
    static void TearDownTestSuite() { ::CoUninitialize(); }

    // The text-service connections the simulator saw, each all its bytes.
    std::vector<std::string> Connections() { return Simulator().Requests("tcp"); }
    std::string AllTextBytes()
    {
        std::string all;
        for (const std::string& connection : Connections())
            all += connection;
        return all;
    }
    static size_t Count(const std::string& text, const std::string& part)
    {
        size_t count = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
            ++count;
        return count;
    }

    CDiagnosticTcpClient client;
    MessageBoxRecorder boxes;
};

// Frames as the module sends them.
inline std::string FrameBytes(WORD type, WORD flag, const std::string& body, int length = -1)
{
    BYTE header[kFrameHeaderBytes];
    EncodeFrameHeader(static_cast<WORD>(length >= 0 ? length : static_cast<int>(body.size() + kFrameHeaderBytes)), type,
                      flag, header);
    return std::string(reinterpret_cast<const char*>(header), kFrameHeaderBytes) + body;
}

// One tag of a ScratchTable: the texts of its row.
class ScratchTag : public TagItem {
public:
    std::map<int, CString> texts;

protected:
    void ShowText(int column, const CString& text) override { texts[column] = text; }
};

// The rows of tags as the grid would hold them, without a window.
class ScratchTable : public TagTable {
public:
    int GetLastRow() const override { return static_cast<int>(m_rows.size()); }
    TagItem* GetTag(int row) const override
    {
        return row >= 1 && row <= GetLastRow() ? m_rows[static_cast<size_t>(row - 1)].get() : nullptr;
    }
    TagItem* AppendTag() override
    {
        m_rows.push_back(std::make_unique<ScratchTag>());
        return m_rows.back().get();
    }
    CString GetText(int row, int column) const override
    {
        const auto* tag = static_cast<const ScratchTag*>(GetTag(row));
        if (tag == nullptr)
            return CString();
        const auto found = tag->texts.find(column);
        return found != tag->texts.end() ? found->second : CString();
    }
    void HideColumn(int column) override { hidden.push_back(column); }
    void SortRowsByNumber(int column) override
    {
        std::stable_sort(m_rows.begin(), m_rows.end(), [column](const auto& a, const auto& b) {
            return atol(a->texts[column]) < atol(b->texts[column]);
        });
    }
    void NumberRows() override
    {
        for (size_t i = 0; i < m_rows.size(); ++i) {
            CString number;
            number.Format("%d", static_cast<int>(i + 1));
            m_rows[i]->texts[kColumnNumber] = number;
        }
    }

    ScratchTag& Row(int row) { return *m_rows.at(static_cast<size_t>(row - 1)); }
    // Column 1 of every row, in order.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (int row = 1; row <= GetLastRow(); ++row)
            names.push_back(std::string(GetText(row, kColumnName)));
        return names;
    }

    std::vector<int> hidden;

private:
    std::vector<std::unique_ptr<ScratchTag>> m_rows;
};
