// The services a markup context takes at its making: every context holds the picture loader, releases it when it goes, and its image elements load through it.
#include "markup_test_support.h"

#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_image.h"
#include "toolkit/markup/markup_services.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A picture of a fixed size that draws nothing.
class CBlankPicture : public CKitMarkupPicture {
public:
    SIZE GetSize() const override { return {24, 12}; }
    void Draw(HDC, POINT, SIZE) override {}
};

// Counts its holders and the sources it is asked for.
class CCountingLoader : public CKitMarkupPictureLoader {
public:
    LONG AddRef() override { return ++holders; }
    LONG Release() override { return --holders; }
    CKitMarkupPicture* LoadPicture(CKitMarkupContext* pContext, const CKitMarkupImageSource& source, int) override
    {
        contexts.push_back(pContext);
        names.push_back(source.name);
        return new CBlankPicture;
    }

    LONG holders = 0;
    std::vector<CKitMarkupContext*> contexts;
    std::vector<std::wstring> names;
};

class CLoaderOnlyServices : public CKitMarkupServices {
public:
    CKitMarkupPictureLoader* GetPictureLoader() override
    {
        loader.AddRef();
        return &loader;
    }
    CKitMarkupToolTipFilter* CreateToolTipFilter(CKitMarkupContext*) override { return nullptr; }

    CCountingLoader loader;
};

class MarkupServicesTest : public ::testing::Test {
protected:
    MarkupServicesTest() : m_pPrevious(CKitMarkupServices::Register(&m_services)) {}
    ~MarkupServicesTest() override { CKitMarkupServices::Register(m_pPrevious); }

    CLoaderOnlyServices m_services;
    CKitMarkupServices* m_pPrevious;
};

TEST_F(MarkupServicesTest, EveryContextHoldsThePictureLoaderUntilItGoes)
{
    {
        CTestMarkupContext first;
        EXPECT_EQ(1, m_services.loader.holders);
        EXPECT_EQ(&m_services.loader, first.Get()->GetPictureLoader());
        {
            CTestMarkupContext second;
            EXPECT_EQ(2, m_services.loader.holders);
        }
        EXPECT_EQ(1, m_services.loader.holders);
    }
    EXPECT_EQ(0, m_services.loader.holders);
}

TEST_F(MarkupServicesTest, AnImageOfAContextMadeDirectlyLoadsThroughItsLoader)
{
    CTestMarkupContext context;
    BuildResult result = BuildMarkup(context.Get(), "<Image Source=\"file://logo.png\"/>");
    ASSERT_TRUE(result.root) << result.error;
    CKitMarkupDrawingContext dc(context.Get());
    result.root->Measure(&dc, 200, 200);
    EXPECT_EQ(24, result.root->GetDesiredSize().cx);
    EXPECT_EQ(12, result.root->GetDesiredSize().cy);
    ASSERT_EQ(1u, m_services.loader.names.size());
    EXPECT_EQ(L"logo.png", m_services.loader.names[0]);
    EXPECT_EQ(context.Get(), m_services.loader.contexts[0]);
}

// Without registered services a context has no loader: images show nothing.
TEST(MarkupServicesAbsentTest, WithoutALoaderImagesMeasureNothing)
{
    CKitMarkupServices* pPrevious = CKitMarkupServices::Register(nullptr);
    {
        CTestMarkupContext context;
        EXPECT_EQ(nullptr, context.Get()->GetPictureLoader());
        BuildResult result = BuildMarkup(context.Get(), "<Image Source=\"file://logo.png\"/>");
        ASSERT_TRUE(result.root) << result.error;
        CKitMarkupDrawingContext dc(context.Get());
        result.root->Measure(&dc, 200, 200);
        EXPECT_EQ(0, result.root->GetDesiredSize().cx);
    }
    CKitMarkupServices::Register(pPrevious);
}

} // namespace
