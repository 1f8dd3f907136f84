// Stored bar states as bytes for the tests: saving a bar with the bars it reaches, loading the first one back,
// and patching a text in the bytes.
#pragma once

#include "framework/archive.h"
#include "framework/file.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/persistence.h"
#include "toolkit/common/prop_exchange.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

using StoredBytes = std::vector<BYTE>;

// The bar and the bars it reaches, saved at the schema; with bWithPlace followed by where the bar stood (docked
// at the top, anywhere, shown), as the command bars store a bar.
inline StoredBytes SaveBarBytes(CKitCommandBar* pBar, int nSchema = CKitPropExchange::kDefaultSchema,
                                bool bWithPlace = false)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CKitPropExchangeArchive px(ar);
        px.SetSchema(nSchema);
        px.ExchangeSchema();
        KitSaveBarList(&px, pBar);
        if (bWithPlace) {
            int nPosition = kitBarTop;
            CRect rc(0, 0, 0, 0);
            BOOL bVisible = TRUE;
            CKitPropExchange::PropExchangeIntWithDefault(&px, "DockPosition", nPosition, kitBarTop);
            CKitPropExchange::PropExchangeRect(&px, "DockRect", rc, rc);
            CKitPropExchange::PropExchangeBool(&px, "Visible", bVisible, TRUE);
        }
        ar.Close();
    }
    const auto nLength = static_cast<size_t>(file.GetLength());
    BYTE* pBytes = file.Detach();
    StoredBytes bytes(pBytes, pBytes + nLength);
    free(pBytes);
    return bytes;
}

// The first bar of the saved bytes (one reference); throws what the archive throws.
inline CKitCommandBar* LoadBarBytes(StoredBytes bytes, CKitCommandBarManager* pCommandBars = nullptr)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CKitPropExchangeArchive px(ar);
    px.ExchangeSchema();
    return KitLoadBarList(&px, pCommandBars);
}

// Replaces the first occurrence of the text (same length) in the bytes.
inline void PatchBytes(StoredBytes& bytes, const char* pszFrom, const char* pszTo)
{
    const size_t n = std::strlen(pszFrom);
    for (size_t i = 0; i + n <= bytes.size(); i++) {
        if (std::memcmp(bytes.data() + i, pszFrom, n) == 0) {
            std::memcpy(bytes.data() + i, pszTo, n);
            return;
        }
    }
    FAIL() << pszFrom << " not found";
}
