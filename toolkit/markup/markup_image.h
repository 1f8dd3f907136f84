// CKitMarkupImage, CKitMarkupImageSource, CKitMarkupPicture: a picture named by its source, loaded through its markup context's picture loader.
#pragma once

#include "toolkit/markup/markup_framework_element.h"

#include <memory>
#include <string>
#include <string_view>

class CKitMarkupContext;

// What an image's "Source" names: "file://" and a path, "res://" and "#id" or a
// name, or the decimal command id of an image in the markup context's image store.
struct CKitMarkupImageSource {
    enum Kind { sourceNone, sourceFile, sourceResource, sourceCommand };

    static CKitMarkupImageSource Parse(std::wstring_view text);

    Kind kind = sourceNone;
    // The file path, or the resource name when nResourceId is 0.
    std::wstring name;
    UINT nResourceId = 0;
    UINT nCommand = 0;
};

// A loaded picture at its natural size.
class CKitMarkupPicture {
public:
    virtual ~CKitMarkupPicture() = default;
    virtual SIZE GetSize() const = 0;
    // Draws the picture scaled into the rectangle at pt of size sz.
    virtual void Draw(HDC hdc, POINT pt, SIZE sz) = 0;
};

class CKitMarkupImage : public CKitMarkupFrameworkElement {
    DECLARE_MARKUPCLASS(CKitMarkupImage)
public:
    // Stretch values.
    enum { stretchNone = 0, stretchFill = 1, stretchUniform = 2, stretchUniformToFill = 3 };

    CKitMarkupImage() = default;
    ~CKitMarkupImage() override;

    // (Re)loads the picture for a wanted width through the context's picture
    // loader; nothing while Source is unset, and no picture without a loader.
    void LoadSource(int nWidth);
    SIZE MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    SIZE ArrangeOverride(SIZE szFinal) override;
    void OnRender(CKitMarkupDrawingContext* pDC) override;

    BOOL HasPicture() const { return m_pPicture != nullptr; }
    // A natural size scaled into an available size by a Stretch value.
    static SIZE FitSize(SIZE szNatural, int nStretch, int nAvailableWidth, int nAvailableHeight);

    static CKitMarkupDependencyProperty* m_pSourceProperty;
    static CKitMarkupDependencyProperty* m_pStretchProperty;
    static void RegisterProperties();

private:
    SIZE FitSize(int nAvailableWidth, int nAvailableHeight) const;

    std::unique_ptr<CKitMarkupPicture> m_pPicture;
};
