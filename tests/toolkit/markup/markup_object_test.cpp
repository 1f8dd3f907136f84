// The markup object model: values and their texts, the type registry, property stores, collections.
#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_collection.h"
#include "toolkit/markup/markup_framework_element.h"
#include "toolkit/markup/markup_style.h"
#include "toolkit/markup/markup_thickness.h"
#include "toolkit/markup/markup_values.h"

#include "framework/exceptions.h"
#include "support/expect_exception.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class MarkupObjectTest : public ::testing::Test {
protected:
    void SetUp() override { MarkupInitializeTypes(); }
};

// The object a converter made from a text (held).
CKitMarkupRef<CKitMarkupObject> Convert(CKitMarkupObject& prototype, const wchar_t* text)
{
    CKitMarkupRef<CKitMarkupString> source(CKitMarkupString::CreateValue(text));
    return CKitMarkupRef<CKitMarkupObject>(prototype.ConvertFrom(nullptr, source.Get()));
}

// Counts property-changed calls and reads the old value while it is reported.
class CChangeProbe : public CKitMarkupFrameworkElement {
public:
    void OnPropertyChanged(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pOldValue,
                           CKitMarkupObject* pNewValue) override
    {
        CKitMarkupFrameworkElement::OnPropertyChanged(pProperty, pOldValue, pNewValue);
        ++changes;
        if (const CKitMarkupString* pOld = MarkupDynamicCast<CKitMarkupString>(pOldValue))
            oldTexts.push_back(pOld->GetText());
    }

    int changes = 0;
    std::vector<std::wstring> oldTexts;
};

TEST_F(MarkupObjectTest, ColorTexts)
{
    struct Case {
        const wchar_t* text;
        BOOL parsed;
        DWORD value;
    };
    const Case cases[] = {
        {L"#FF0000", TRUE, 0xFF0000FF},     {L"#80FF0000", TRUE, 0x800000FF}, {L"#F00", FALSE, 0},
        {L"#00FF0080", TRUE, 0x008000FF},   {L"Red", TRUE, 0xFF0000FF},       {L"rED", TRUE, 0xFF0000FF},
        {L"Gray", TRUE, 0xFF808080},        {L"DarkGray", TRUE, 0xFFA9A9A9},  {L"Green", TRUE, 0xFF008000},
        {L"Lime", TRUE, 0xFF00FF00},        {L"Aqua", TRUE, 0xFFFFFF00},      {L"Cyan", TRUE, 0xFFFFFF00},
        {L"Transparent", TRUE, 0x00FFFFFF}, {L"LightGoldenrodYellow", TRUE, 0xFFD2FAFA},
        {L"Grey", FALSE, 0},                {L"Re", FALSE, 0},                {L"", FALSE, 0},
        {L"#GG0000", FALSE, 0},             {L"#FF00000", FALSE, 0},
    };
    for (const Case& c : cases) {
        DWORD value = 0;
        EXPECT_EQ(c.parsed, ParseColor(c.text, value)) << "text " << CString(c.text).GetString();
        if (c.parsed) {
            EXPECT_EQ(c.value, value) << "text " << CString(c.text).GetString();
        }
    }
}

TEST_F(MarkupObjectTest, ValueConversionsFromText)
{
    CKitMarkupBool boolean;
    CKitMarkupRef<CKitMarkupBool> sharedTrue(CKitMarkupBool::CreateTrueValue());
    for (const wchar_t* text : {L"True", L"TRUE", L"true"})
        EXPECT_EQ(sharedTrue.Get(), Convert(boolean, text).Get()) << CString(text).GetString();
    CKitMarkupRef<CKitMarkupBool> sharedFalse(CKitMarkupBool::CreateFalseValue());
    EXPECT_EQ(sharedFalse.Get(), Convert(boolean, L"false").Get());
    EXPECT_FALSE(Convert(boolean, L"1"));
    EXPECT_FALSE(Convert(boolean, L"Truex"));

    CKitMarkupInt integer;
    struct IntCase {
        const wchar_t* text;
        int value;
    };
    for (const IntCase& c : {IntCase{L"12px", 12}, IntCase{L"  -7 apples", -7}, IntCase{L"+5", 5},
                             IntCase{L"px12", 0}, IntCase{L"99999999999", 2147483647}}) {
        CKitMarkupRef<CKitMarkupObject> value = Convert(integer, c.text);
        ASSERT_TRUE(value) << CString(c.text).GetString();
        EXPECT_EQ(c.value, static_cast<CKitMarkupInt*>(value.Get())->GetValue()) << CString(c.text).GetString();
    }

    CKitMarkupDouble number;
    CKitMarkupRef<CKitMarkupObject> half = Convert(number, L" -1.5 ");
    ASSERT_TRUE(half);
    EXPECT_EQ(-1.5, static_cast<CKitMarkupDouble*>(half.Get())->GetValue());
    for (const wchar_t* text : {L"1.5x", L"1.2.3", L"", L".", L"1 2"})
        EXPECT_FALSE(Convert(number, text)) << CString(text).GetString();

    CKitMarkupColor color;
    CKitMarkupRef<CKitMarkupObject> red = Convert(color, L"#80FF0000");
    ASSERT_TRUE(red);
    EXPECT_EQ(0x800000FFu, static_cast<CKitMarkupColor*>(red.Get())->GetValue());
}

TEST_F(MarkupObjectTest, NumberListsAndPoints)
{
    CKitMarkupDoubleCollection list;
    CKitMarkupRef<CKitMarkupObject> numbers = Convert(list, L"1.5 2,3");
    ASSERT_TRUE(numbers);
    const auto* pNumbers = static_cast<CKitMarkupDoubleCollection*>(numbers.Get());
    ASSERT_EQ(3, pNumbers->GetCount());
    EXPECT_EQ(1.5f, pNumbers->GetAt(0));
    EXPECT_EQ(2.0f, pNumbers->GetAt(1));
    EXPECT_EQ(3.0f, pNumbers->GetAt(2));
    CKitMarkupRef<CKitMarkupObject> empty = Convert(list, L"");
    ASSERT_TRUE(empty);
    EXPECT_EQ(0, static_cast<CKitMarkupDoubleCollection*>(empty.Get())->GetCount());
    for (const wchar_t* text : {L"1.5.2 3", L"1,,2", L"1 x", L"+1"})
        EXPECT_FALSE(Convert(list, text)) << CString(text).GetString();

    CKitMarkupPoint point;
    for (const wchar_t* text : {L"0.5,1", L"0.5 1", L" 0.5 , 1 "}) {
        CKitMarkupRef<CKitMarkupObject> value = Convert(point, text);
        ASSERT_TRUE(value) << CString(text).GetString();
        EXPECT_EQ(0.5, static_cast<CKitMarkupPoint*>(value.Get())->m_x);
        EXPECT_EQ(1.0, static_cast<CKitMarkupPoint*>(value.Get())->m_y);
    }
    EXPECT_FALSE(Convert(point, L"1"));
    EXPECT_FALSE(Convert(point, L"1,2,3"));
}

TEST_F(MarkupObjectTest, ThicknessTexts)
{
    struct Case {
        const wchar_t* text;
        bool converts;
        int left, top, right, bottom;
    };
    const Case cases[] = {
        {L"1,2,3,4", true, 1, 2, 3, 4},   {L"10pt", true, 13, 13, 13, 13}, {L"1in", true, 96, 96, 96, 96},
        {L"1cm", true, 37, 37, 37, 37},   {L"5mm", true, 18, 18, 18, 18},  {L"7", true, 7, 7, 7, 7},
        {L"1pt, 2pt, 3pt, 4pt", true, 1, 3, 4, 5},                            {L"0x10,010,3,4", true, 16, 8, 3, 4},
        {L"1pt, 2pt, 3pt", false, 0, 0, 0, 0},                                {L"1,2,3", false, 0, 0, 0, 0},
    };
    CKitMarkupThickness prototype;
    for (const Case& c : cases) {
        CKitMarkupRef<CKitMarkupObject> value = Convert(prototype, c.text);
        ASSERT_EQ(c.converts, static_cast<bool>(value)) << CString(c.text).GetString();
        if (!c.converts)
            continue;
        CKitMarkupThickness expected(c.left, c.top, c.right, c.bottom);
        EXPECT_TRUE(expected.IsEqual(value.Get())) << CString(c.text).GetString();
    }
    CKitMarkupThickness eight(8);
    const RECT deflated = CKitMarkupThickness::DeflateRect({0, 0, 10, 10}, &eight);
    EXPECT_EQ(8, deflated.left);
    EXPECT_EQ(8, deflated.right);
    EXPECT_EQ(8, deflated.bottom);
    CKitMarkupInt notThickness(8);
    EXPECT_FALSE(eight.IsEqual(&notThickness));
}

TEST_F(MarkupObjectTest, SharedValues)
{
    CKitMarkupRef<CKitMarkupEnum> first(CKitMarkupEnum::CreateValue(3));
    CKitMarkupRef<CKitMarkupEnum> second(CKitMarkupEnum::CreateValue(3));
    EXPECT_EQ(first.Get(), second.Get());
    CKitMarkupRef<CKitMarkupEnum> eight(CKitMarkupEnum::CreateValue(8));
    CKitMarkupRef<CKitMarkupEnum> otherEight(CKitMarkupEnum::CreateValue(8));
    EXPECT_NE(eight.Get(), otherEight.Get());
    EXPECT_TRUE(eight->IsEqual(otherEight.Get()));
    CKitMarkupRef<CKitMarkupEnum> negative(CKitMarkupEnum::CreateValue(-1));
    EXPECT_EQ(1, negative->GetRefCount());

    CKitMarkupRef<CKitMarkupString> space(CKitMarkupString::CreateValue(L" "));
    CKitMarkupRef<CKitMarkupString> otherSpace(CKitMarkupString::CreateValue(L"  ", 1));
    EXPECT_EQ(space.Get(), otherSpace.Get());
    CKitMarkupRef<CKitMarkupString> empty(CKitMarkupString::CreateValue(nullptr));
    CKitMarkupRef<CKitMarkupString> alsoEmpty(CKitMarkupString::CreateValue(L"abc", 0));
    EXPECT_EQ(empty.Get(), alsoEmpty.Get());
    CKitMarkupRef<CKitMarkupString> text(CKitMarkupString::CreateValue(L"abcdef", 3));
    EXPECT_STREQ(L"abc", text->GetText());
    CKitMarkupRef<CKitMarkupString> sameText(CKitMarkupString::CreateValue(L"abc"));
    EXPECT_TRUE(text->IsEqual(sameText.Get()));
    EXPECT_EQ(text->GetHashKey(), sameText->GetHashKey());
}

TEST_F(MarkupObjectTest, RegistryFindsTypesAndProperties)
{
    CKitMarkupType* pBorder = CKitMarkupType::LookupTag(L"Border");
    ASSERT_EQ(MARKUP_TYPE(CKitMarkupBorder), pBorder);
    EXPECT_EQ(nullptr, CKitMarkupType::LookupTag(L"border"));
    EXPECT_EQ(nullptr, CKitMarkupType::LookupTag(L"ResourceDictionary"));
    EXPECT_EQ(nullptr, CKitMarkupType::LookupTag(L""));
    EXPECT_TRUE(pBorder->IsDerivedFrom(MARKUP_TYPE(CKitMarkupUIElement)));
    EXPECT_TRUE(pBorder->IsDerivedFrom(MARKUP_TYPE(CKitMarkupObject)));
    EXPECT_FALSE(pBorder->IsDerivedFrom(MARKUP_TYPE(CKitMarkupBrush)));
    EXPECT_EQ(MARKUP_TYPE(CKitMarkupFrameworkElement), pBorder->GetBaseType());

    EXPECT_EQ(CKitMarkupObject::m_pNameProperty, CKitMarkupDependencyProperty::FindProperty(pBorder, L"x:Name"));
    EXPECT_EQ(CKitMarkupObject::m_pNameProperty, CKitMarkupDependencyProperty::FindProperty(pBorder, L"Name"));
    EXPECT_EQ(CKitMarkupFrameworkElement::m_pWidthProperty,
              CKitMarkupDependencyProperty::FindProperty(pBorder, L"Width"));
    EXPECT_EQ(nullptr, CKitMarkupDependencyProperty::FindProperty(pBorder, L"width"));
    EXPECT_EQ(nullptr, CKitMarkupDependencyProperty::FindProperty(pBorder, static_cast<LPCWSTR>(nullptr)));
    // Taken over from the style; and the same name on two owners stays two properties.
    EXPECT_EQ(CKitMarkupStyle::m_pResourcesProperty,
              CKitMarkupDependencyProperty::FindProperty(pBorder, L"Resources"));
    EXPECT_NE(CKitMarkupSolidColorBrush::m_pColorProperty, CKitMarkupGradientStop::m_pColorProperty);

    // Base types register first, so their properties take the lower indexes.
    EXPECT_LT(CKitMarkupObject::m_pNameProperty->GetIndex(), CKitMarkupFrameworkElement::m_pWidthProperty->GetIndex());
    EXPECT_LT(CKitMarkupFrameworkElement::m_pWidthProperty->GetIndex(),
              CKitMarkupBorder::m_pBackgroundProperty->GetIndex());
    EXPECT_EQ(-1, CKitMarkupInputElement::m_pMouseEnterEvent->GetIndex());

    CKitMarkupRef<CKitMarkupObject> typeOfBorder = Convert(*MARKUP_TYPE(CKitMarkupType), L"Border");
    EXPECT_EQ(pBorder, typeOfBorder.Get());
    EXPECT_FALSE(Convert(*MARKUP_TYPE(CKitMarkupType), L"Nothing"));
}

TEST_F(MarkupObjectTest, SetValueTakesTheReferenceAndIgnoresWrongTypes)
{
    CKitMarkupRef<CChangeProbe> probe(new CChangeProbe());
    CKitMarkupDependencyProperty* pWidth = CKitMarkupFrameworkElement::m_pWidthProperty;

    CKitMarkupString wrongType(L"12", 2);
    probe->SetValue(pWidth, &wrongType);
    EXPECT_EQ(1, wrongType.GetRefCount());
    EXPECT_EQ(nullptr, probe->GetValue(pWidth));
    EXPECT_EQ(0, probe->changes);

    // Clearing a property that never had a value and has no default says nothing.
    probe->SetValue(pWidth, nullptr);
    EXPECT_EQ(0, probe->changes);

    CKitMarkupInt* pTwelve = new CKitMarkupInt(12);
    pTwelve->AddRef();
    CKitMarkupRef<CKitMarkupInt> twelve(pTwelve);
    probe->SetValue(pWidth, pTwelve);
    EXPECT_EQ(2, pTwelve->GetRefCount());
    EXPECT_EQ(probe.Get(), pTwelve->GetLogicalParent());
    EXPECT_EQ(1, probe->changes);

    // The same object again: the store lets the old entry go first.
    pTwelve->AddRef();
    probe->SetValue(pWidth, pTwelve);
    EXPECT_EQ(2, pTwelve->GetRefCount());
    EXPECT_EQ(2, probe->changes);

    probe->SetValue(pWidth, nullptr);
    EXPECT_EQ(1, pTwelve->GetRefCount());
    EXPECT_EQ(nullptr, pTwelve->GetLogicalParent());
    EXPECT_EQ(3, probe->changes);
}

TEST_F(MarkupObjectTest, OldValueLivesUntilTheChangeIsReported)
{
    CKitMarkupRef<CChangeProbe> probe(new CChangeProbe());
    CKitMarkupDependencyProperty* pName = CKitMarkupObject::m_pNameProperty;
    probe->SetValue(pName, CKitMarkupString::CreateValue(L"first"));
    probe->SetValue(pName, CKitMarkupString::CreateValue(L"second"));
    ASSERT_EQ(1u, probe->oldTexts.size());
    EXPECT_EQ(L"first", probe->oldTexts[0]);
}

TEST_F(MarkupObjectTest, PropertyRegisteredAfterTheStoreReadsItsDefault)
{
    CKitMarkupRef<CKitMarkupBorder> early(new CKitMarkupBorder());
    early->SetValue(CKitMarkupFrameworkElement::m_pWidthProperty, new CKitMarkupInt(5));
    CKitMarkupDependencyProperty* pLate = CKitMarkupDependencyProperty::Register(
        L"LateTestProperty", MARKUP_TYPE(CKitMarkupInt), MARKUP_TYPE(CKitMarkupBorder),
        new CKitMarkupPropertyMetadata(new CKitMarkupInt(42), 0));

    ASSERT_NE(nullptr, early->GetValue(pLate));
    EXPECT_EQ(42, static_cast<CKitMarkupInt*>(early->GetValue(pLate))->GetValue());
    CKitMarkupInt* pSeven = new CKitMarkupInt(7);
    pSeven->AddRef();
    CKitMarkupRef<CKitMarkupInt> seven(pSeven);
    early->SetValue(pLate, pSeven);
    EXPECT_EQ(42, static_cast<CKitMarkupInt*>(early->GetValue(pLate))->GetValue());
    EXPECT_EQ(1, pSeven->GetRefCount()) << "a value that cannot be stored is released, not leaked";

    CKitMarkupRef<CKitMarkupBorder> later(new CKitMarkupBorder());
    later->SetValue(pLate, new CKitMarkupInt(7));
    EXPECT_EQ(7, static_cast<CKitMarkupInt*>(later->GetValue(pLate))->GetValue());
}

TEST_F(MarkupObjectTest, InheritedValuesFlowToDescendants)
{
    CKitMarkupDependencyProperty* pInherited = CKitMarkupDependencyProperty::Register(
        L"InheritedTestProperty", MARKUP_TYPE(CKitMarkupString), MARKUP_TYPE(CKitMarkupFrameworkElement),
        new CKitMarkupPropertyMetadata(CKitMarkupString::CreateValue(L"default"), MarkupPropertyInherits));
    CKitMarkupRef<CKitMarkupBorder> outer(new CKitMarkupBorder());
    CKitMarkupBorder* pMiddle = new CKitMarkupBorder();
    CChangeProbe* pInner = new CChangeProbe();
    outer->SetChild(pMiddle);
    pMiddle->SetChild(pInner);

    EXPECT_STREQ(L"default", static_cast<CKitMarkupString*>(pInner->GetValue(pInherited))->GetText());
    outer->SetValue(pInherited, CKitMarkupString::CreateValue(L"outer"));
    EXPECT_STREQ(L"outer", static_cast<CKitMarkupString*>(pInner->GetValue(pInherited))->GetText());
    EXPECT_EQ(1, pInner->changes) << "the descendant hears of the change";
    EXPECT_EQ(outer.Get(), GetValueSource(pInner, pInherited));
    pMiddle->SetValue(pInherited, CKitMarkupString::CreateValue(L"middle"));
    EXPECT_STREQ(L"middle", static_cast<CKitMarkupString*>(pInner->GetValue(pInherited))->GetText());
    EXPECT_EQ(pMiddle, GetValueSource(pInner, pInherited));
    EXPECT_EQ(nullptr, GetValueSource(pInner, CKitMarkupFrameworkElement::m_pWidthProperty));
}

TEST_F(MarkupObjectTest, CollectionsParentTheirItems)
{
    CKitMarkupRef<CKitMarkupGradientStops> stops(new CKitMarkupGradientStops());
    CKitMarkupGradientStop* pFirst = new CKitMarkupGradientStop();
    stops->Add(pFirst);
    EXPECT_EQ(stops.Get(), pFirst->GetLogicalParent());
    CKitMarkupInt notAStop(1);
    stops->Add(&notAStop);
    EXPECT_EQ(1, stops->GetCount());
    EXPECT_EQ(1, notAStop.GetRefCount());
    stops->Add(nullptr);
    CKitMarkupGradientStop* pSecond = new CKitMarkupGradientStop();
    stops->Insert(0, pSecond);
    EXPECT_EQ(pSecond, stops->GetAt(0));
    stops->Insert(99, new CKitMarkupGradientStop());
    EXPECT_EQ(3, stops->GetCount());
    EXPECT_TRUE(stops->HasContentObject());

    pFirst->AddRef();
    CKitMarkupRef<CKitMarkupGradientStop> first(pFirst);
    stops->RemoveAt(1);
    EXPECT_EQ(nullptr, pFirst->GetLogicalParent());
    EXPECT_EQ(1, pFirst->GetRefCount());
    stops->RemoveAt(5);
    EXPECT_EQ(2, stops->GetCount());
    EXPECT_EQ(pSecond, stops->GetLogicalChild(0));
    EXPECT_TRUE(ThrowsFrameworkException<CInvalidArgException>([&] { stops->GetLogicalChild(2); }));
    stops->RemoveAll();
    EXPECT_FALSE(stops->HasContentObject());

    // The base collection accepts nothing.
    CKitMarkupRef<CKitMarkupCollection> base(new CKitMarkupCollection());
    base->Add(new CKitMarkupGradientStop());
    EXPECT_EQ(0, base->GetCount());
}

TEST_F(MarkupObjectTest, BrushesCompareByColour)
{
    CKitMarkupRef<CKitMarkupSolidColorBrush> opaque(new CKitMarkupSolidColorBrush(0x0000FF));
    CKitMarkupRef<CKitMarkupSolidColorBrush> halfTransparent(new CKitMarkupSolidColorBrush(0x80, 0x0000FF));
    EXPECT_TRUE(opaque->IsEqual(halfTransparent.Get()));
    EXPECT_EQ(0xFF0000FFu, opaque->GetColor());
    EXPECT_EQ(0x800000FFu, halfTransparent->GetColor());
    CKitMarkupBrush brush;
    CKitMarkupRef<CKitMarkupObject> fromText = Convert(brush, L"Lime");
    ASSERT_TRUE(MarkupDynamicCast<CKitMarkupSolidColorBrush>(fromText.Get()));
    EXPECT_EQ(0x00FF00u, static_cast<CKitMarkupBrush*>(fromText.Get())->GetSolidColor());
    EXPECT_FALSE(Convert(brush, L"NoColour"));
}

} // namespace
