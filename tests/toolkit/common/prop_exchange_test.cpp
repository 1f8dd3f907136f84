// The property exchange over an archive: values in call order, numbered sections, blobs as text, the schema marker.
#include "toolkit/common/prop_exchange.h"

#include "framework/archive.h"
#include "framework/file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

// A keyed exchange that keeps its values by name, to see the names the enumerator and the helpers use.
class RecordingExchange : public CKitPropExchange {
public:
    explicit RecordingExchange(std::map<std::string, CString>* values, bool loading, std::string prefix = "")
        : m_values(values), m_prefix(std::move(prefix))
    {
        m_bLoading = loading;
    }
    BOOL ExchangeProp(LPCSTR lpszPropName, int nType, void* pValue, const void* pDefault) override
    {
        const std::string key = m_prefix + lpszPropName;
        if (nType == kTypeInt) {
            int& value = *static_cast<int*>(pValue);
            if (IsStoring()) {
                (*m_values)[key].Format("%d", value);
            } else if (m_values->count(key) != 0) {
                value = std::atoi((*m_values)[key]);
            } else if (pDefault != nullptr) {
                value = *static_cast<const int*>(pDefault);
            }
        } else if (nType == kTypeString) {
            CString& value = *static_cast<CString*>(pValue);
            if (IsStoring())
                (*m_values)[key] = value;
            else if (m_values->count(key) != 0)
                value = (*m_values)[key];
            else if (pDefault != nullptr)
                value = static_cast<LPCSTR>(pDefault);
        }
        return TRUE;
    }
    CKitPropExchange* GetSection(LPCSTR lpszSection) override
    {
        auto* section = new RecordingExchange(m_values, IsLoading() != FALSE, m_prefix + lpszSection + "\\");
        InitSection(section);
        return section;
    }

private:
    std::map<std::string, CString>* m_values;
    std::string m_prefix;
};

TEST(KitPropExchange, EnumeratorsNameTheirSectionsByNumberAfterACount)
{
    std::map<std::string, CString> values;
    RecordingExchange storing(&values, false);
    std::unique_ptr<CKitPropExchangeEnumerator> enumerator(storing.GetEnumerator("Icon"));
    POSITION pos = enumerator->GetPosition(3, FALSE);
    int n = 0;
    while (pos != nullptr) {
        CKitPropExchangeSection section(enumerator->GetNext(pos));
        int value = 10 + n++;
        CKitPropExchange::PropExchangeInt(section, "Width", value);
    }
    EXPECT_EQ(3, n);
    EXPECT_STREQ("3", values["Count"]);
    EXPECT_STREQ("10", values["Icon0\\Width"]);
    EXPECT_STREQ("12", values["Icon2\\Width"]);
    EXPECT_FALSE(CKitPropExchange::PropExchangeInt(nullptr, "x", n));
}

TEST(KitPropExchange, BlobsAsTextAreTwoLettersPerByteLowHalfFirst)
{
    std::map<std::string, CString> values;
    RecordingExchange storing(&values, false);
    BYTE bytes[] = {0x00, 0xFF, 0x1E};
    BYTE* data = bytes;
    DWORD size = sizeof(bytes);
    ASSERT_TRUE(storing.ExchangeBlob("Blob", &data, &size));
    EXPECT_STREQ("AAPPOB", values["Blob"]);

    RecordingExchange loading(&values, true);
    BYTE* loaded = nullptr;
    DWORD loadedSize = 0;
    ASSERT_TRUE(loading.ExchangeBlob("Blob", &loaded, &loadedSize));
    ASSERT_EQ(3u, loadedSize);
    EXPECT_EQ(0x00, loaded[0]);
    EXPECT_EQ(0xFF, loaded[1]);
    EXPECT_EQ(0x1E, loaded[2]);
    std::free(loaded);

    values["Odd"] = "AAA";
    BYTE* odd = nullptr;
    DWORD oddSize = 0;
    EXPECT_FALSE(loading.ExchangeBlob("Odd", &odd, &oddSize));
}

// Objects exchanged by name go through a memory archive that travels as a blob.
TEST(KitPropExchange, ObjectsTravelAsBlobsThroughKeyedExchanges)
{
    class Pair : public CObject {
    public:
        void Serialize(CArchive& ar) override
        {
            if (ar.IsStoring())
                ar << first << second;
            else
                ar >> first >> second;
        }
        LONG first = 0;
        LONG second = 0;
    };
    std::map<std::string, CString> values;
    RecordingExchange storing(&values, false);
    Pair out;
    out.first = 1;
    out.second = 0x01020304;
    ASSERT_TRUE(CKitPropExchange::PropExchangeObject(&storing, "Data", &out));
    EXPECT_STREQ("BAAAAAAAEADACABA", values["Data"]);

    RecordingExchange loading(&values, true);
    Pair in;
    ASSERT_TRUE(CKitPropExchange::PropExchangeObject(&loading, "Data", &in));
    EXPECT_EQ(1, in.first);
    EXPECT_EQ(0x01020304, in.second);
    EXPECT_FALSE(CKitPropExchange::PropExchangeObject(&loading, "Missing", &in));
}

TEST(KitPropExchange, ArchivesAreWrittenInCallOrderWithoutNames)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CKitPropExchangeArchive px(ar);
        int number = 0x11223344;
        CString text = "ab";
        CKitPropExchange::PropExchangeInt(&px, "Number", number);
        CKitPropExchange::PropExchangeString(&px, "Text", text, "");
        DWORD count = 0x12345;
        px.ExchangeCount(count);
        ar.Close();
    }
    const auto size = static_cast<size_t>(file.GetLength());
    BYTE* data = file.Detach();
    const std::vector<BYTE> bytes(data, data + size);
    std::free(data);
    const std::vector<BYTE> expected = {0x44, 0x33, 0x22, 0x11, 2, 'a', 'b', 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00};
    EXPECT_EQ(expected, bytes);
}

TEST(KitPropExchange, ArchivesWithoutTheSchemaMarkerLoadWithSchema17)
{
    std::vector<BYTE> plain = {1, 2, 3, 4, 5, 6, 7, 8};
    CMemFile file(plain.data(), static_cast<UINT>(plain.size()));
    CArchive ar(&file, CArchive::load);
    CKitPropExchangeArchive px(ar);
    ASSERT_TRUE(px.ExchangeSchema());
    EXPECT_EQ(CKitPropExchangeArchive::kUnmarkedSchema, px.GetSchema());
    DWORD first = 0;
    ar >> first;
    EXPECT_EQ(0x04030201u, first);  // nothing was consumed

    CMemFile marked;
    {
        CArchive store(&marked, CArchive::store);
        CKitPropExchangeArchive storing(store);
        storing.SetSchema(42);
        storing.ExchangeSchema();
        store.Close();
    }
    marked.SeekToBegin();
    CArchive load(&marked, CArchive::load);
    CKitPropExchangeArchive loading(load);
    loading.ExchangeSchema();
    EXPECT_EQ(42, loading.GetSchema());
}

} // namespace
