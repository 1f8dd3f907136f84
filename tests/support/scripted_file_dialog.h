// ScriptedFileDialog: answers file dialogs from a script in tests and records what they asked.
#pragma once

#include "framework/filedialog.h"

#include <deque>
#include <utility>
#include <vector>

// While it lives, every file dialog is answered by the next step of the
// script; a dialog after the last step is cancelled. The hook it replaced
// is restored when it goes.
class ScriptedFileDialog {
public:
    explicit ScriptedFileDialog(std::vector<CString> answer, INT_PTR result = IDOK)
    {
        Then(std::move(answer), result);
        m_previous = SetFileDialogHook([this](const FileDialogRequest& request, std::vector<CString>& chosen) {
            m_requests.push_back(request);
            if (m_steps.empty())
                return static_cast<INT_PTR>(IDCANCEL);
            Step step = std::move(m_steps.front());
            m_steps.pop_front();
            chosen = std::move(step.answer);
            return step.result;
        });
    }
    ~ScriptedFileDialog() { SetFileDialogHook(std::move(m_previous)); }
    ScriptedFileDialog(const ScriptedFileDialog&) = delete;
    ScriptedFileDialog& operator=(const ScriptedFileDialog&) = delete;

    // Adds a step: the answer of the dialog after the ones scripted before.
    ScriptedFileDialog& Then(std::vector<CString> answer, INT_PTR result = IDOK)
    {
        m_steps.push_back({std::move(answer), result});
        return *this;
    }

    const std::vector<FileDialogRequest>& Requests() const { return m_requests; }
    // The last request; call only after a dialog was asked.
    const FileDialogRequest& Request() const { return m_requests.back(); }

private:
    struct Step {
        std::vector<CString> answer;
        INT_PTR result;
    };

    FileDialogHook m_previous;
    std::deque<Step> m_steps;
    std::vector<FileDialogRequest> m_requests;
};
