// The markup vocabulary: one type object per class, made during static
// initialisation, and the one-time registration of their properties.
#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_builder.h"
#include "toolkit/markup/markup_collection.h"
#include "toolkit/markup/markup_controls.h"
#include "toolkit/markup/markup_framework_element.h"
#include "toolkit/markup/markup_geometry.h"
#include "toolkit/markup/markup_grid.h"
#include "toolkit/markup/markup_image.h"
#include "toolkit/markup/markup_input_element.h"
#include "toolkit/markup/markup_page.h"
#include "toolkit/markup/markup_panels.h"
#include "toolkit/markup/markup_scroll_viewer.h"
#include "toolkit/markup/markup_shapes.h"
#include "toolkit/markup/markup_style.h"
#include "toolkit/markup/markup_text_block.h"
#include "toolkit/markup/markup_text_elements.h"
#include "toolkit/markup/markup_thickness.h"
#include "toolkit/markup/markup_values.h"
#include "toolkit/markup/markup_visual.h"

#include <new>

namespace {

template <class T>
CKitMarkupObject* CreateMarkupObject()
{
    return new (std::nothrow) T();
}

bool g_bTypesInitialized = false;

} // namespace

// Defines the class's type slot and GetType; tag nullptr (or empty) for types
// that cannot be written as elements.
#define IMPLEMENT_MARKUPCLASS_FACTORY(class_name, base_name, tag, factory, register_properties)                  \
    CKitMarkupType* class_name::m_pClassType =                                                                  \
        new (std::nothrow) CKitMarkupType(tag, L## #class_name, factory, &base_name::GetClassType, register_properties); \
    CKitMarkupType* class_name::GetType() const { return m_pClassType; }

#define IMPLEMENT_MARKUPCLASS(class_name, base_name, tag, register_properties) \
    IMPLEMENT_MARKUPCLASS_FACTORY(class_name, base_name, tag, &CreateMarkupObject<class_name>, register_properties)

CKitMarkupType* CKitMarkupObject::m_pClassType = new (std::nothrow)
    CKitMarkupType(nullptr, L"CKitMarkupObject", &CreateMarkupObject<CKitMarkupObject>, nullptr,
                   &CKitMarkupObject::RegisterProperties);

IMPLEMENT_MARKUPCLASS_FACTORY(CKitMarkupDependencyProperty, CKitMarkupObject, nullptr,
                              &CreateMarkupObject<CKitMarkupDependencyProperty>, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS_FACTORY(CKitMarkupType, CKitMarkupObject, nullptr, &CKitMarkupType::CreateBlank,
                              &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupInt, CKitMarkupObject, nullptr, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupDouble, CKitMarkupObject, nullptr, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupEnum, CKitMarkupObject, nullptr, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupBool, CKitMarkupObject, nullptr, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupColor, CKitMarkupObject, L"Color", &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupString, CKitMarkupObject, nullptr, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupCollection, CKitMarkupObject, nullptr, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupDoubleCollection, CKitMarkupObject, L"DoubleCollection", &MarkupRegisterNothing)

IMPLEMENT_MARKUPCLASS(CKitMarkupBrush, CKitMarkupObject, nullptr, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupSolidColorBrush, CKitMarkupBrush, L"SolidColorBrush",
                      &CKitMarkupSolidColorBrush::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupGradientStop, CKitMarkupObject, L"GradientStop",
                      &CKitMarkupGradientStop::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupLinearGradientBrush, CKitMarkupBrush, L"LinearGradientBrush",
                      &CKitMarkupLinearGradientBrush::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupGradientStops, CKitMarkupCollection, L"", &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupPoint, CKitMarkupObject, nullptr, &MarkupRegisterNothing)

IMPLEMENT_MARKUPCLASS(CKitMarkupInputElement, CKitMarkupObject, nullptr, &CKitMarkupInputElement::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupVisual, CKitMarkupInputElement, nullptr, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupUIElement, CKitMarkupVisual, nullptr, &CKitMarkupUIElement::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupFrameworkElement, CKitMarkupUIElement, L"FrameworkElement",
                      &CKitMarkupFrameworkElement::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupFrameworkContentElement, CKitMarkupInputElement, L"FrameworkContentElement",
                      &CKitMarkupFrameworkContentElement::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupBorder, CKitMarkupFrameworkElement, L"Border", &CKitMarkupBorder::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupPage, CKitMarkupFrameworkElement, L"Page", &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupWindowContainer, CKitMarkupFrameworkElement, L"WindowContainer",
                      &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupImage, CKitMarkupFrameworkElement, L"Image", &CKitMarkupImage::RegisterProperties)

IMPLEMENT_MARKUPCLASS(CKitMarkupPanel, CKitMarkupFrameworkElement, L"Panel", &CKitMarkupPanel::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupCanvas, CKitMarkupPanel, L"Canvas", &CKitMarkupCanvas::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupStackPanel, CKitMarkupPanel, L"StackPanel", &CKitMarkupStackPanel::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupWrapPanel, CKitMarkupPanel, L"WrapPanel", &CKitMarkupWrapPanel::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupDockPanel, CKitMarkupPanel, L"DockPanel", &CKitMarkupDockPanel::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupUniformGrid, CKitMarkupPanel, L"UniformGrid",
                      &CKitMarkupUniformGrid::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupGrid, CKitMarkupPanel, L"Grid", &CKitMarkupGrid::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupGridLength, CKitMarkupObject, nullptr, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupDefinitionBase, CKitMarkupObject, L"DefinitionBase", &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupColumnDefinition, CKitMarkupDefinitionBase, L"ColumnDefinition",
                      &CKitMarkupColumnDefinition::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupRowDefinition, CKitMarkupDefinitionBase, L"RowDefinition",
                      &CKitMarkupRowDefinition::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupDefinitionCollection, CKitMarkupCollection, nullptr, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupRowDefinitionCollection, CKitMarkupDefinitionCollection, nullptr,
                      &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupColumnDefinitionCollection, CKitMarkupDefinitionCollection, nullptr,
                      &MarkupRegisterNothing)

IMPLEMENT_MARKUPCLASS(CKitMarkupTextBlock, CKitMarkupFrameworkElement, L"TextBlock",
                      &CKitMarkupTextBlock::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupTextElement, CKitMarkupFrameworkContentElement, L"TextElement",
                      &CKitMarkupTextElement::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupInline, CKitMarkupTextElement, nullptr, &CKitMarkupInline::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupInlineCollection, CKitMarkupCollection, nullptr, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupRun, CKitMarkupInline, L"Run", &CKitMarkupRun::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupLineBreak, CKitMarkupRun, L"LineBreak", &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupSpan, CKitMarkupInline, L"Span", &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupBold, CKitMarkupSpan, L"Bold", &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupItalic, CKitMarkupSpan, L"Italic", &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupUnderline, CKitMarkupSpan, L"Underline", &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupHyperlink, CKitMarkupSpan, L"Hyperlink", &CKitMarkupHyperlink::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupInlineUIContainer, CKitMarkupInline, L"InlineUIContainer", &MarkupRegisterNothing)

IMPLEMENT_MARKUPCLASS(CKitMarkupControl, CKitMarkupFrameworkElement, L"Control", &CKitMarkupControl::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupContentControl, CKitMarkupControl, nullptr,
                      &CKitMarkupContentControl::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupButtonBase, CKitMarkupContentControl, nullptr,
                      &CKitMarkupButtonBase::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupButton, CKitMarkupButtonBase, L"Button", &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupToggleButton, CKitMarkupButtonBase, nullptr,
                      &CKitMarkupToggleButton::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupCheckBox, CKitMarkupToggleButton, L"CheckBox", &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupRadioButton, CKitMarkupToggleButton, L"RadioButton", &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupScrollViewer, CKitMarkupContentControl, L"ScrollViewer",
                      &CKitMarkupScrollViewer::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupScrollBar, CKitMarkupControl, nullptr, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupScrollBarGripper, CKitMarkupUIElement, nullptr, &MarkupRegisterNothing)

IMPLEMENT_MARKUPCLASS(CKitMarkupShape, CKitMarkupFrameworkElement, L"Shape", &CKitMarkupShape::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupPolygon, CKitMarkupShape, L"Polygon", &CKitMarkupPolygon::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupPolyline, CKitMarkupShape, L"Polyline", &CKitMarkupPolyline::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupRectangle, CKitMarkupShape, L"Rectangle", &CKitMarkupRectangle::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupEllipse, CKitMarkupShape, L"Ellipse", &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupLine, CKitMarkupShape, L"Line", &CKitMarkupLine::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupPath, CKitMarkupShape, L"Path", &CKitMarkupPath::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupPointCollection, CKitMarkupObject, nullptr, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupPathGeometry, CKitMarkupObject, nullptr, &MarkupRegisterNothing)

IMPLEMENT_MARKUPCLASS(CKitMarkupResourceDictionary, CKitMarkupObject, nullptr, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupSetter, CKitMarkupObject, L"Setter", &CKitMarkupSetter::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupStyle, CKitMarkupObject, L"Style", &CKitMarkupStyle::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupTrigger, CKitMarkupObject, L"Trigger", &CKitMarkupTrigger::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupSetterColection, CKitMarkupCollection, nullptr, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupTriggerCollection, CKitMarkupCollection, nullptr, &MarkupRegisterNothing)

IMPLEMENT_MARKUPCLASS(CKitMarkupObjectProperty, CKitMarkupObject, nullptr, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupColorKey, CKitMarkupObject, nullptr, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupBrushKey, CKitMarkupObject, nullptr, &MarkupRegisterNothing)
IMPLEMENT_MARKUPCLASS(CKitMarkupKeyboardNavigation, CKitMarkupObject, L"KeyboardNavigation",
                      &CKitMarkupKeyboardNavigation::RegisterProperties)
IMPLEMENT_MARKUPCLASS(CKitMarkupThickness, CKitMarkupObject, nullptr, &MarkupRegisterNothing)

void MarkupInitializeTypes()
{
    if (g_bTypesInitialized)
        return;
    g_bTypesInitialized = true;
    for (CKitMarkupType* pType = CKitMarkupType::GetFirstType(); pType != nullptr; pType = pType->GetNextType())
        pType->RegisterProperties();
}
