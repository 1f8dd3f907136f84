#include "framework/core.h"
#include "support/expect_exception.h"
#include "support/message_box_recorder.h"

#include <gtest/gtest.h>

namespace {

class CCountedException : public CException {
    DECLARE_DYNAMIC(CCountedException)
public:
    using CException::CException;
    ~CCountedException() override { ++s_destroyed; }
    static int s_destroyed;
};

IMPLEMENT_DYNAMIC(CCountedException, CException)

int CCountedException::s_destroyed = 0;

class ExceptionLifetime : public ::testing::Test {
protected:
    void SetUp() override { CCountedException::s_destroyed = 0; }
};

TEST_F(ExceptionLifetime, DeleteFreesOnlyHeapExceptionsWithAutoDelete)
{
    try {
        throw new CCountedException;
    } catch (CException* e) {
        e->Delete();
    }
    EXPECT_EQ(1, CCountedException::s_destroyed);

    {
        CCountedException onStack;
        onStack.Delete();
        EXPECT_EQ(1, CCountedException::s_destroyed);
    }
    EXPECT_EQ(2, CCountedException::s_destroyed);

    CCountedException* kept = new CCountedException(FALSE);
    kept->Delete();
    EXPECT_EQ(2, CCountedException::s_destroyed);
    delete kept;
    EXPECT_EQ(3, CCountedException::s_destroyed);
}

TEST_F(ExceptionLifetime, CatchMacrosDeleteUnlessThrownOn)
{
    int handledBy = 0;
    TRY {
        throw new CCountedException;
    }
    CATCH(CFileException, e) {
        handledBy = 1;
    }
    AND_CATCH(CCountedException, e) {
        handledBy = 2;
        EXPECT_EQ(0, CCountedException::s_destroyed);
    }
    END_CATCH
    EXPECT_EQ(2, handledBy);
    EXPECT_EQ(1, CCountedException::s_destroyed);

    CException* rethrown = nullptr;
    try {
        TRY {
            throw new CCountedException;
        }
        CATCH_ALL(e) {
            rethrown = e;
            THROW_LAST();
        }
        END_CATCH_ALL
    } catch (CException* e) {
        EXPECT_EQ(rethrown, e);
        EXPECT_EQ(1, CCountedException::s_destroyed);
        e->Delete();
    }
    EXPECT_EQ(2, CCountedException::s_destroyed);
}

TEST(ExceptionMessages, DescribeTheCauseAndFile)
{
    CFileException notFound(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, "C:\\data\\x.dat");
    EXPECT_STREQ("C:\\data\\x.dat was not found.", notFound.GetErrorMessage());

    char small[8];
    UINT help = 99;
    EXPECT_TRUE(notFound.GetErrorMessage(small, sizeof(small), &help));
    EXPECT_STREQ("C:\\data", small);
    EXPECT_EQ(0u, help);

    EXPECT_STREQ("Unexpected end of plant.kpj while reading.",
        CArchiveException(CArchiveException::endOfFile, "plant.kpj").GetErrorMessage());
    EXPECT_STREQ("Access to an unnamed file was denied.",
        CFileException(CFileException::accessDenied).GetErrorMessage());
    EXPECT_STREQ("Out of memory.", CMemoryException().GetErrorMessage());

    char buffer[16] = "stale";
    EXPECT_FALSE(CException().GetErrorMessage(buffer, sizeof(buffer)));
    EXPECT_STREQ("", buffer);
}

TEST(ExceptionMessages, OsErrorsMapToCauses)
{
    const std::pair<LONG, int> cases[] = {
        {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
        {ERROR_PATH_NOT_FOUND, CFileException::badPath},
        {ERROR_ACCESS_DENIED, CFileException::accessDenied},
        {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
        {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
        {ERROR_DISK_FULL, CFileException::diskFull},
        {ERROR_HANDLE_EOF, CFileException::endOfFile},
        {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
        {ERROR_INVALID_NAME, CFileException::badPath},
        {ERROR_NOT_ENOUGH_MEMORY, CFileException::genericException},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, CFileException::OsErrorToException(c.first)) << "os error " << c.first;

    EXPECT_TRUE(ThrowsFrameworkException<CFileException>(
        [] { CFileException::ThrowOsError(ERROR_SHARING_VIOLATION, "log.txt"); },
        [](CFileException& e) {
            EXPECT_EQ(CFileException::sharingViolation, e.m_cause);
            EXPECT_EQ(ERROR_SHARING_VIOLATION, e.m_lOsError);
            EXPECT_STREQ("log.txt", e.m_strFileName);
        }));
}

TEST(ExceptionMessages, ReportErrorShowsTheDescription)
{
    MessageBoxRecorder boxes;
    CFileException(CFileException::diskFull, -1, "out.kpj").ReportError();
    CException().ReportError(MB_OKCANCEL);
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_STREQ("The disk is full while accessing out.kpj.", boxes.Calls()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), boxes.Calls()[0].type);
    EXPECT_STREQ(AfxGetAppName(), boxes.Calls()[0].caption);
    EXPECT_STREQ("An unspecified error has occurred.", boxes.Calls()[1].text);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION), boxes.Calls()[1].type);
}

TEST(ExceptionMessages, MemoryExceptionIsPreallocated)
{
    CException* first = nullptr;
    for (int i = 0; i < 2; ++i) {
        try {
            AfxThrowMemoryException();
        } catch (CException* e) {
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CMemoryException)));
            if (first == nullptr)
                first = e;
            EXPECT_EQ(first, e);
            e->Delete();
        }
    }
}

} // namespace
