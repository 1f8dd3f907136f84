// CKitMarkupThickness, CKitMarkupKeyboardNavigation: four-sided sizes and the tab-order properties.
#pragma once

#include "toolkit/markup/markup_object.h"

class CKitMarkupContext;

// Left, top, right and bottom in pixels.
class CKitMarkupThickness : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupThickness)
public:
    CKitMarkupThickness() : m_nLeft(0), m_nTop(0), m_nRight(0), m_nBottom(0) {}
    explicit CKitMarkupThickness(int nUniform) : m_nLeft(nUniform), m_nTop(nUniform), m_nRight(nUniform), m_nBottom(nUniform) {}
    CKitMarkupThickness(int nLeft, int nTop, int nRight, int nBottom)
        : m_nLeft(nLeft), m_nTop(nTop), m_nRight(nRight), m_nBottom(nBottom)
    {
    }

    // "l, t, r, b" or one value, with an optional unit ("pt", "in", "cm", "mm").
    CKitMarkupObject* ConvertFrom(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pObject) override;
    // Another thickness with the same four sides.
    BOOL IsEqual(const CKitMarkupObject* pOther) const override;

    // The shared empty thickness with a new reference.
    static CKitMarkupThickness* GetEmpty();
    // The rectangle less the thickness; never of negative width or height.
    static RECT DeflateRect(const RECT& rect, const CKitMarkupThickness* pThickness);

    int m_nLeft;
    int m_nTop;
    int m_nRight;
    int m_nBottom;
};

// The keyboard-focus companion of a markup context; its properties may be attached to any element.
class CKitMarkupKeyboardNavigation : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupKeyboardNavigation)
public:
    explicit CKitMarkupKeyboardNavigation(CKitMarkupContext* pContext = nullptr);
    ~CKitMarkupKeyboardNavigation() override;

    // Key down, set focus and kill focus of the container: none is handled (FALSE).
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam);
    // An element asks for the keyboard focus: accepted; the focus does not move.
    void Focus(CKitMarkupObject* pElement);

    static CKitMarkupDependencyProperty* m_pIsTabStopProperty;
    static CKitMarkupDependencyProperty* m_pTabNavigationProperty;
    static CKitMarkupDependencyProperty* m_pTabIndexProperty;
    static void RegisterProperties();

private:
    CKitMarkupObject* m_pFocused;
    CKitMarkupObject* m_pOther;
    CKitMarkupContext* m_pContext;
};
