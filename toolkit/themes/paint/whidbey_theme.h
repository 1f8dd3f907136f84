// CKitWhidbeyTheme: the Office 2003 look in the development environment's warm greys, never with the scheme highlights.
#pragma once

#include "toolkit/themes/paint/office2003_theme.h"

class CKitWhidbeyTheme : public CKitOffice2003Theme {
    DECLARE_DYNAMIC(CKitWhidbeyTheme)
public:
    CKitWhidbeyTheme();

    void RefreshMetrics() override;
    int GetCurrentTheme() const override { return 4; }
};
