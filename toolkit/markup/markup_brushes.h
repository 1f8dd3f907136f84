// CKitMarkupBrush, CKitMarkupSolidColorBrush, CKitMarkupLinearGradientBrush, CKitMarkupGradientStop, CKitMarkupGradientStops, CKitMarkupPoint: brush and point values.
#pragma once

#include "toolkit/markup/markup_collection.h"
#include "toolkit/markup/markup_object.h"

// The base of brushes; a colour text converts to a solid colour brush.
class CKitMarkupBrush : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupBrush)
public:
    CKitMarkupBrush() = default;

    CKitMarkupObject* ConvertFrom(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pObject) override;
    // An RGB colour that approximates the brush.
    virtual COLORREF GetSolidColor() const;
};

class CKitMarkupSolidColorBrush : public CKitMarkupBrush {
    DECLARE_MARKUPCLASS(CKitMarkupSolidColorBrush)
public:
    CKitMarkupSolidColorBrush() = default;
    // Alpha 255.
    explicit CKitMarkupSolidColorBrush(COLORREF clr);
    CKitMarkupSolidColorBrush(BYTE alpha, COLORREF clr);

    // Another solid colour brush with the same RGB colour (alpha is ignored).
    BOOL IsEqual(const CKitMarkupObject* pOther) const override;
    COLORREF GetSolidColor() const override;
    // The colour with its alpha; 0 when none is set.
    DWORD GetColor() const;

    static CKitMarkupDependencyProperty* m_pColorProperty;
    static void RegisterProperties();
};

class CKitMarkupGradientStop : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupGradientStop)
public:
    CKitMarkupGradientStop() = default;

    // The colour with its alpha; 0 when none is set.
    DWORD GetColor() const;
    double GetOffset() const;

    static CKitMarkupDependencyProperty* m_pColorProperty;
    static CKitMarkupDependencyProperty* m_pOffsetProperty;
    static void RegisterProperties();
};

class CKitMarkupGradientStops : public CKitMarkupCollection {
    DECLARE_MARKUPCLASS(CKitMarkupGradientStops)
public:
    CKitMarkupGradientStops();
    CKitMarkupGradientStop* GetStop(int nIndex) const { return static_cast<CKitMarkupGradientStop*>(GetAt(nIndex)); }
};

// Two numbers separated by a comma, by spaces or by both.
class CKitMarkupPoint : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupPoint)
public:
    CKitMarkupPoint(double x = 0.0, double y = 0.0) : m_x(x), m_y(y) {}

    CKitMarkupObject* ConvertFrom(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pObject) override;

    double m_x;
    double m_y;
};

class CKitMarkupLinearGradientBrush : public CKitMarkupBrush {
    DECLARE_MARKUPCLASS(CKitMarkupLinearGradientBrush)
public:
    CKitMarkupLinearGradientBrush();

    // Content goes to the gradient stops.
    void SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent) override;
    // The first stop's colour.
    COLORREF GetSolidColor() const override;

    CKitMarkupGradientStops* GetGradientStops() const;
    CKitMarkupPoint* GetStartPoint() const;
    CKitMarkupPoint* GetEndPoint() const;

    static CKitMarkupDependencyProperty* m_pStartPointProperty;
    static CKitMarkupDependencyProperty* m_pEndPointProperty;
    static CKitMarkupDependencyProperty* m_pGradientStopsProperty;
    static void RegisterProperties();
};
