// ScriptedBrowseDialog: answers folder dialogs from a script in tests and records what they asked.
#pragma once

#include "toolkit/common/browse_dialog.h"

#include <utility>
#include <vector>

// While it lives, every folder dialog is answered with the next folder of the
// script; a dialog after the last answer is cancelled. The hook it replaced is
// restored when it goes.
class ScriptedBrowseDialog {
public:
    explicit ScriptedBrowseDialog(std::vector<CString> answers) : m_answers(std::move(answers))
    {
        m_previous = SetBrowseDialogHook([this](const BrowseDialogRequest& request, CString& chosen) {
            m_requests.push_back(request);
            if (m_answers.empty())
                return static_cast<INT_PTR>(IDCANCEL);
            chosen = m_answers.front();
            m_answers.erase(m_answers.begin());
            return static_cast<INT_PTR>(IDOK);
        });
    }
    ~ScriptedBrowseDialog() { SetBrowseDialogHook(std::move(m_previous)); }
    ScriptedBrowseDialog(const ScriptedBrowseDialog&) = delete;
    ScriptedBrowseDialog& operator=(const ScriptedBrowseDialog&) = delete;

    const std::vector<BrowseDialogRequest>& Requests() const { return m_requests; }

private:
    BrowseDialogHook m_previous;
    std::vector<CString> m_answers;
    std::vector<BrowseDialogRequest> m_requests;
};
