// Every SCL sample file loads through the project's loaders, or fails with a message that names what is missing.
#include "scl_test_document.h"

#include "tools/scldump/scl_dump.h"

#include "support/paths.h"

#include <vector>

namespace {

// Sample files are named by the end of their names.
const char kFaultySample[] = "_sampleModel_errors.icd";
const char kFaultyMessage[] = "Cannot load the SCL file: the element <AccessPoint> has no \"name\" attribute.";

// IEDs whose full model stops on a required part that their file leaves out.
const struct {
    const char* file;
    const char* ied;
    const char* message;
} kIncompleteIeds[] = {
    {kFaultySample, "SampleIED", kFaultyMessage},
    {"_iedEditorWithIEDs.scd", "IED1",
     "Cannot load the SCL file: the element <LDevice inst=\"EmptyLDevice\"> has no <LN0> element."},
    {"_iedEditorWithIEDs.scd", "IED2",
     "Cannot load the SCL file: the element <LN lnClass=\"tHarde\"> has no \"inst\" attribute."},
};

bool EndsWith(const CString& text, const char* end)
{
    const int length = static_cast<int>(strlen(end));
    return text.GetLength() >= length && text.Right(length) == end;
}

const char* IncompleteIedMessage(const CString& file, const CString& ied)
{
    for (const auto& incomplete : kIncompleteIeds) {
        if (EndsWith(file, incomplete.file) && ied == incomplete.ied)
            return incomplete.message;
    }
    return nullptr;
}

std::vector<CString> SampleFiles()
{
    std::vector<CString> names;
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(SharedTestData("scl\\*.*"), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const CString name = found.cFileName;
        const CString extension = name.Right(4);
        if (extension.CompareNoCase(".icd") == 0 || extension.CompareNoCase(".cid") == 0 ||
            extension.CompareNoCase(".scd") == 0)
            names.push_back(name);
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
    return names;
}

// The sample whose name ends with end.
CString SampleNamed(const char* end)
{
    for (const CString& file : SampleFiles()) {
        if (EndsWith(file, end))
            return SharedTestData("scl\\" + file);
    }
    return CString();
}

// The IED names of a type dump, in order.
std::vector<CString> IedNames(const std::string& dump)
{
    std::vector<CString> names;
    size_t start = 0;
    while ((start = dump.find("IED ", start)) != std::string::npos) {
        const size_t end = dump.find('\n', start);
        names.emplace_back(dump.substr(start + 4, end - start - 4).c_str());
        start = end;
    }
    return names;
}

// The loaders open no message box: their messages come back with the dump.
class SclSamples : public ComApartmentTest {
protected:
    void TearDown() override { EXPECT_EQ(0u, boxes.Count()); }

    MessageBoxRecorder boxes;
};

TEST_F(SclSamples, EveryFileLoadsItsTypesAndDataSets)
{
    SKIP_WITHOUT_SHARED_TESTDATA();
    const std::vector<CString> files = SampleFiles();
    ASSERT_GE(files.size(), 30u);
    for (const CString& file : files) {
        std::string dump;
        CString error;
        const bool loaded = DumpSclTypes(SharedTestData("scl\\" + file), dump, error);
        if (EndsWith(file, kFaultySample)) {
            EXPECT_FALSE(loaded);
            EXPECT_STREQ(kFaultyMessage, error);
            continue;
        }
        EXPECT_TRUE(loaded) << (LPCSTR)file << ": " << (LPCSTR)error;
    }
}

TEST_F(SclSamples, TypeDumpOfAKnownFile)
{
    SKIP_WITHOUT_SHARED_TESTDATA();
    std::string dump;
    CString error;
    ASSERT_TRUE(DumpSclTypes(SampleNamed("_inverter_with_report.icd"), dump, error));
    EXPECT_EQ("IED ied1\nLNodeTypes 4\nDOTypes 14\nDATypes 3\nDataSet Inverter/dataset1 3\n", dump);
}

TEST_F(SclSamples, EveryIedLoadsIntoTheTreeTheSameWayTwice)
{
    SKIP_WITHOUT_SHARED_TESTDATA();
    for (const CString& file : SampleFiles()) {
        const CString path = SharedTestData("scl\\" + file);
        std::string types;
        CString error;
        DumpSclTypes(path, types, error);
        std::vector<CString> names = IedNames(types);
        if (EndsWith(file, kFaultySample))
            names = {"SampleIED"};
        for (const CString& ied : names) {
            std::vector<CString> messages;
            std::string first;
            std::string second;
            const bool loaded = DumpIedModel(path, ied, first, error, messages);
            if (const char* message = IncompleteIedMessage(file, ied)) {
                EXPECT_FALSE(loaded);
                ASSERT_EQ(1u, messages.size()) << (LPCSTR)file << " " << (LPCSTR)ied;
                EXPECT_STREQ(message, messages.back());
                continue;
            }
            ASSERT_TRUE(loaded) << (LPCSTR)file << " " << (LPCSTR)ied << ": " << (LPCSTR)error;
            EXPECT_TRUE(DumpIedModel(path, ied, second, error, messages));
            EXPECT_EQ(first, second) << (LPCSTR)file << " " << (LPCSTR)ied;
            EXPECT_EQ(0u, first.find("0 " + std::string((LPCSTR)ied) + "\n")) << (LPCSTR)file;
        }
    }
}

} // namespace
