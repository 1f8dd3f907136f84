// EnableRecorder: a command-UI record that remembers whether an update handler enabled its command.
#pragma once

#include "framework/ui.h"

class EnableRecorder : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        enabled = bOn;
        m_bEnableChanged = TRUE;
    }
    BOOL enabled = -1;
};
