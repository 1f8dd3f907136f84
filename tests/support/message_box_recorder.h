// MessageBoxRecorder: answers message boxes in tests and records what they would have shown.
#pragma once

#include "framework/msgbox.h"

#include <deque>
#include <optional>
#include <utility>
#include <vector>

// While it lives, every message box goes to it instead of the screen. It
// answers from the queued answers first, then with the default answer if
// one is set, else with the usual button for the box's type (IDOK, IDYES,
// IDRETRY, ...). The hook it replaced is restored when it goes.
class MessageBoxRecorder {
public:
    struct Call {
        HWND owner;
        CString text;
        CString caption;
        UINT type;
    };

    MessageBoxRecorder()
    {
        m_previous = SetMessageBoxHook([this](HWND owner, const CString& text, const CString& caption, UINT type) {
            return Answer(owner, text, caption, type);
        });
    }
    ~MessageBoxRecorder() { SetMessageBoxHook(std::move(m_previous)); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void QueueAnswer(int answer) { m_answers.push_back(answer); }
    void SetDefaultAnswer(int answer) { m_defaultAnswer = answer; }

    const std::vector<Call>& Calls() const { return m_calls; }
    size_t Count() const { return m_calls.size(); }
    const Call& Last() const { return m_calls.back(); }
    void Clear() { m_calls.clear(); }

    // The button a user would most likely press on a box of this type.
    static int UsualAnswer(UINT type)
    {
        switch (type & MB_TYPEMASK) {
        case MB_YESNO:
        case MB_YESNOCANCEL:
            return IDYES;
        case MB_RETRYCANCEL:
        case MB_ABORTRETRYIGNORE:
            return IDRETRY;
        case MB_CANCELTRYCONTINUE:
            return IDCONTINUE;
        default:
            return IDOK;
        }
    }

private:
    int Answer(HWND owner, const CString& text, const CString& caption, UINT type)
    {
        m_calls.push_back({owner, text, caption, type});
        if (!m_answers.empty()) {
            const int answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        }
        return m_defaultAnswer ? *m_defaultAnswer : UsualAnswer(type);
    }

    MessageBoxHook m_previous;
    std::vector<Call> m_calls;
    std::deque<int> m_answers;
    std::optional<int> m_defaultAnswer;
};
