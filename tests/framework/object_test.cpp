#include "framework/core.h"
#include "object_classes.h"
#include "support/expect_exception.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(RuntimeClass, IsKindOfFollowsTheHierarchy)
{
    struct Case {
        const CObject* object;
        CRuntimeClass* pClass;
        bool expected;
    };
    const CCircle circle;
    const CSquare square;
    const CMainDoc::_TAGS tags;
    const Case cases[] = {
        {&circle, RUNTIME_CLASS(CCircle), true},
        {&circle, RUNTIME_CLASS(CShape), true},
        {&circle, RUNTIME_CLASS(CObject), true},
        {&circle, RUNTIME_CLASS(CSquare), false},
        {&square, RUNTIME_CLASS(CShape), true},
        {&square, RUNTIME_CLASS(CCircle), false},
        {&tags, RUNTIME_CLASS(CObject), true},
        {&tags, RUNTIME_CLASS(CShape), false},
        {&tags, RUNTIME_CLASS(CMainDoc), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, c.object->IsKindOf(c.pClass) != FALSE)
            << c.object->GetRuntimeClass()->m_lpszClassName << " kind of " << c.pClass->m_lpszClassName;
    }
    EXPECT_STREQ("CCircle", circle.GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(RUNTIME_CLASS(CShape), RUNTIME_CLASS(CCircle)->m_pBaseClass);
    EXPECT_EQ(RUNTIME_CLASS(CObject), RUNTIME_CLASS(CShape)->m_pBaseClass);
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->m_pBaseClass);
    EXPECT_EQ(static_cast<int>(sizeof(CCircle)), RUNTIME_CLASS(CCircle)->m_nObjectSize);
}

TEST(RuntimeClass, CreatesObjectsOfCreatableClassesOnly)
{
    std::unique_ptr<CObject> circle(RUNTIME_CLASS(CCircle)->CreateObject());
    ASSERT_NE(nullptr, circle);
    EXPECT_EQ(RUNTIME_CLASS(CCircle), circle->GetRuntimeClass());
    EXPECT_EQ(7, static_cast<CCircle*>(circle.get())->m_radius);

    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShape)->CreateObject());

    std::unique_ptr<CObject> square(CRuntimeClass::CreateObject("CSquare"));
    ASSERT_NE(nullptr, square);
    EXPECT_TRUE(square->IsKindOf(RUNTIME_CLASS(CSquare)));
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CNoSuchClass"));
}

TEST(RuntimeClass, SchemaAndLookupByName)
{
    EXPECT_EQ(RUNTIME_CLASS(CSquare), CRuntimeClass::FromName("CSquare"));
    EXPECT_EQ(RUNTIME_CLASS(CCircle), CRuntimeClass::FromName("CCircle"));
    EXPECT_EQ(RUNTIME_CLASS(CObject), CRuntimeClass::FromName("CObject"));
    EXPECT_EQ(RUNTIME_CLASS(CFileException), CRuntimeClass::FromName("CFileException"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CNoSuchClass"));

    EXPECT_EQ(2u, RUNTIME_CLASS(CSquare)->m_wSchema);
    EXPECT_TRUE(CSquare().IsSerializable());
    EXPECT_FALSE(CCircle().IsSerializable());
}

TEST(RuntimeClass, NestedClassWithSerialMacros)
{
    CRuntimeClass* pClass = RUNTIME_CLASS(CMainDoc::_TAGS);
    EXPECT_STREQ("CMainDoc::_TAGS", pClass->m_lpszClassName);
    EXPECT_EQ(1u, pClass->m_wSchema);
    EXPECT_EQ(RUNTIME_CLASS(CObject), pClass->m_pBaseClass);
    EXPECT_EQ(pClass, CRuntimeClass::FromName("CMainDoc::_TAGS"));

    std::unique_ptr<CObject> created(pClass->CreateObject());
    ASSERT_NE(nullptr, created);
    EXPECT_EQ(pClass, created->GetRuntimeClass());
    EXPECT_TRUE(created->IsSerializable());
    EXPECT_NE(RUNTIME_CLASS(CMainDoc), pClass);
}

TEST(RuntimeClass, DownCasts)
{
    CCircle circle;
    CObject* object = &circle;
    EXPECT_EQ(&circle, DYNAMIC_DOWNCAST(CCircle, object));
    EXPECT_EQ(&circle, DYNAMIC_DOWNCAST(CShape, object));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CSquare, object));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CSquare, nullptr));
    EXPECT_EQ(&circle, STATIC_DOWNCAST(CShape, object));
    EXPECT_TRUE(ThrowsFrameworkException<CInvalidArgException>([&] { STATIC_DOWNCAST(CSquare, object); }));
}

} // namespace
