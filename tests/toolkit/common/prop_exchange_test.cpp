// The property exchange over an archive: values in call order, numbered sections, blobs as text, the schema marker.
#include "toolkit/common/prop_exchange.h"

#include "framework/archive.h"
#include "framework/file.h"
#include "framework/oletypes.h"
#include "support/expect_exception.h"
#include "support/largest_allocation.h"

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

namespace {

// A creatable class that counts its objects, and another one beside it.
class CountedObject : public CObject {
    DECLARE_DYNCREATE(CountedObject)
public:
    CountedObject() { ++created; }
    static int created;
};
int CountedObject::created = 0;
IMPLEMENT_DYNCREATE(CountedObject, CObject)

class OtherObject : public CObject {
    DECLARE_DYNCREATE(OtherObject)
};
IMPLEMENT_DYNCREATE(OtherObject, CObject)

std::vector<BYTE> BytesOf(CMemFile& file)
{
    const auto size = static_cast<size_t>(file.GetLength());
    BYTE* data = file.Detach();
    std::vector<BYTE> bytes(data, data + size);
    std::free(data);
    return bytes;
}

TEST(KitPropExchange, SchemaRectanglesAndSizesHaveTheirArchiveForms)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CKitPropExchangeArchive px(ar);
        px.ExchangeSchema();
        CRect rc(1, -2, 0x300, 4);
        CSize size(5, 6);
        CKitPropExchange::PropExchangeRect(&px, "Rect", rc, CRect(0, 0, 0, 0));
        CKitPropExchange::PropExchangeSize(&px, "Size", size, CSize(0, 0));
        EXPECT_FALSE(px.IsAllowDefaultValues());
        EXPECT_TRUE(px.IsAllowBlobValues());
        ar.Close();
    }
    const std::vector<BYTE> bytes = BytesOf(file);
    const std::vector<BYTE> expected = {0xBF, 0xAD, 0xF0, 0x0F, 38, 0, 0, 0,                        // marker, schema 38
                                        1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0, 3, 0, 0, 4, 0, 0, 0,  // rectangle
                                        5, 0, 0, 0, 6, 0, 0, 0};                                     // size
    EXPECT_EQ(expected, bytes);

    CMemFile in(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&in, CArchive::load);
    CKitPropExchangeArchive px(ar);
    ASSERT_TRUE(px.ExchangeSchema());
    EXPECT_EQ(38, px.GetSchema());
    CRect rc;
    CSize size;
    CKitPropExchange::PropExchangeRect(&px, "Rect", rc, CRect(0, 0, 0, 0));
    CKitPropExchange::PropExchangeSize(&px, "Size", size, CSize(0, 0));
    EXPECT_EQ(CRect(1, -2, 0x300, 4), rc);
    EXPECT_EQ(CSize(5, 6), size);
}

// Dates and variants travel through the archive in the framework classes' own forms and come back equal.
TEST(KitPropExchange, DatesAndVariantsHaveTheirArchiveForms)
{
    COleDateTime invalid;
    invalid.SetStatus(COleDateTime::invalid);
    const COleDateTime dates[] = {COleDateTime(2026, 12, 10, 9, 30, 15), COleDateTime(1899, 12, 30, 0, 0, 0), invalid};
    const COleVariant variants[] = {
        COleVariant(), COleVariant(-5L), COleVariant(2.5), COleVariant("Toolbar"), COleVariant(1L, VT_BOOL),
        COleVariant(7L, VT_I2), COleVariant(""),
    };
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CKitPropExchangeArchive px(ar);
        for (COleDateTime date : dates)
            ASSERT_TRUE(px.ExchangeProp("Date", CKitPropExchange::kTypeDate, &date, nullptr));
        for (COleVariant variant : variants)
            ASSERT_TRUE(px.ExchangeProp("Value", CKitPropExchange::kTypeVariant, &variant, nullptr));
        ar.Close();
    }
    const std::vector<BYTE> bytes = BytesOf(file);
    // The first date: status 0 and the day number as a double; the day 1899-12-30 is 0.0.
    SYSTEMTIME st = {};
    ASSERT_TRUE(dates[0].GetAsSystemTime(st));
    EXPECT_EQ(2026, st.wYear);
    EXPECT_EQ(15, st.wSecond);
    const std::vector<BYTE> secondDate(bytes.begin() + 12, bytes.begin() + 24);
    EXPECT_EQ((std::vector<BYTE>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), secondDate);
    // After the three dates: the empty variant is its type alone, then VT_I4 and its value.
    const std::vector<BYTE> firstVariants(bytes.begin() + 36, bytes.begin() + 44);
    EXPECT_EQ((std::vector<BYTE>{VT_EMPTY, 0, VT_I4, 0, 0xFB, 0xFF, 0xFF, 0xFF}), firstVariants);

    CMemFile in(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&in, CArchive::load);
    CKitPropExchangeArchive px(ar);
    for (const COleDateTime& expected : dates) {
        COleDateTime loaded;
        ASSERT_TRUE(px.ExchangeProp("Date", CKitPropExchange::kTypeDate, &loaded, nullptr));
        EXPECT_TRUE(expected == loaded);
    }
    for (const COleVariant& expected : variants) {
        COleVariant loaded(99L);
        ASSERT_TRUE(px.ExchangeProp("Value", CKitPropExchange::kTypeVariant, &loaded, nullptr));
        EXPECT_TRUE(expected == loaded) << expected.vt;
    }
    EXPECT_EQ(0u, ar.GetBytesRemaining());
}

// A variant of a type without a stored form is refused both ways; a text longer
// than the bytes left fails; the variant read into keeps its value.
TEST(KitPropExchange, VariantsWithoutAStoredFormOrWithTooLongTextsAreArchiveExceptions)
{
    COleVariant object;
    object.vt = VT_DISPATCH;
    object.pdispVal = nullptr;
    CMemFile file;
    CArchive store(&file, CArchive::store);
    EXPECT_TRUE(ThrowsFrameworkException<CArchiveException>([&] { store << object; },
        [](CArchiveException& e) { EXPECT_EQ(CArchiveException::badSchema, e.m_cause); }));
    object.vt = VT_EMPTY;
    store.Abort();

    struct Case {
        std::vector<BYTE> bytes;
        int cause;
    };
    const Case cases[] = {
        {{VT_DISPATCH, 0}, CArchiveException::badSchema},
        {{VT_BSTR, 0, 0xF0, 0xFF, 0xFF, 0x0F, 'a', 0}, CArchiveException::endOfFile},
        {{VT_BSTR, 0, 4, 0, 0, 0, 'a', 0}, CArchiveException::endOfFile},
        {{VT_R8, 0, 1, 2, 3}, CArchiveException::endOfFile},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> bytes = c.bytes;
        CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
        CArchive ar(&in, CArchive::load);
        COleVariant loaded(3L);
        EXPECT_TRUE(ThrowsFrameworkException<CArchiveException>([&] { ar >> loaded; },
            [&](CArchiveException& e) { EXPECT_EQ(c.cause, e.m_cause); }));
        EXPECT_TRUE(COleVariant(3L) == loaded);
    }
}

// A caller's buffer too small for the blob fails and keeps what it held.
TEST(KitPropExchange, BlobsLoadOnlyIntoBuffersLargeEnough)
{
    std::map<std::string, CString> values;
    values["Blob"] = "AAPPOB";
    RecordingExchange loading(&values, true);
    BYTE small[2] = {7, 7};
    BYTE* data = small;
    DWORD size = sizeof(small);
    EXPECT_FALSE(loading.ExchangeBlob("Blob", &data, &size));
    EXPECT_EQ(7, small[0]);
    EXPECT_EQ(7, small[1]);
    EXPECT_EQ(0u, loading.Read("Blob", small, sizeof(small)));

    BYTE exact[3] = {};
    EXPECT_EQ(3u, loading.Read("Blob", exact, sizeof(exact)));
    EXPECT_EQ(0xFF, exact[1]);
    EXPECT_TRUE(loading.IsAllowDefaultValues());
    EXPECT_FALSE(loading.IsAllowBlobValues());
}

// Classes travel by name: a missing one gives the default, an unknown one or
// one of another kind fails without creating anything.
TEST(KitPropExchange, ObjectClassesAreCreatedOnlyWhenKnownAndOfTheExpectedKind)
{
    std::map<std::string, CString> values;
    RecordingExchange storing(&values, false);
    CountedObject stored;
    CObject* object = &stored;
    ASSERT_TRUE(storing.ExchangeObjectClass(object, RUNTIME_CLASS(CObject)));
    EXPECT_STREQ("CountedObject", values["Class"]);

    RecordingExchange loading(&values, true);
    struct Case {
        const char* name;  // null: no value stored
        bool loads;
        bool creates;
    };
    const Case cases[] = {
        {"CountedObject", true, true},
        {nullptr, true, true},  // the expected class
        {"NoSuchClass", false, false},
        {"countedobject", false, false},  // names compare exactly
        {"OtherObject", false, false},
    };
    for (const Case& c : cases) {
        if (c.name != nullptr)
            values["Class"] = c.name;
        else
            values.erase("Class");
        const int before = CountedObject::created;
        CObject* loaded = reinterpret_cast<CObject*>(1);
        EXPECT_EQ(c.loads, loading.ExchangeObjectClass(loaded, RUNTIME_CLASS(CountedObject)) != FALSE)
            << (c.name ? c.name : "(none)");
        EXPECT_EQ(c.creates ? before + 1 : before, CountedObject::created) << (c.name ? c.name : "(none)");
        EXPECT_EQ(c.creates, loaded != nullptr);
        delete loaded;
    }
}

TEST(KitPropExchange, ArchivesCarryClassRecordsWithTheirSchema)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CKitPropExchangeArchive px(ar);
        px.SetSchema(40);
        CRuntimeClass* pClass = RUNTIME_CLASS(CountedObject);
        ASSERT_TRUE(CKitPropExchange::PropExchangeRuntimeClass(&px, "Class", pClass, nullptr));
        CRuntimeClass* pUnknown = nullptr;
        CRuntimeClass fake = {"NotRegistered", 0, 0, nullptr, nullptr, nullptr};
        pUnknown = &fake;
        px.ExchangeRuntimeClass("Class", pUnknown, nullptr);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CKitPropExchangeArchive px(ar);
    CRuntimeClass* pClass = nullptr;
    ASSERT_TRUE(px.ExchangeRuntimeClass("Class", pClass, nullptr));
    EXPECT_EQ(RUNTIME_CLASS(CountedObject), pClass);
    EXPECT_EQ(40, px.GetSchema());
    EXPECT_FALSE(px.ExchangeRuntimeClass("Class", pClass, nullptr));
}

// An object whose class the archive exchange wrote enters the archive's object map: a
// later pointer to it is written as a reference and loads as the object the exchange made.
// A class written again is a reference to its first record, which keeps its schema.
TEST(KitPropExchange, ExchangedObjectsAndClassesEnterTheArchivesObjectMap)
{
    CMemFile file;
    CountedObject stored;
    {
        CArchive ar(&file, CArchive::store);
        CKitPropExchangeArchive px(ar);
        px.SetSchema(40);
        CObject* object = &stored;
        ASSERT_TRUE(px.ExchangeObjectClass(object, RUNTIME_CLASS(CObject)));
        ar.WriteObject(&stored);
        CRuntimeClass* pClass = RUNTIME_CLASS(CountedObject);
        ASSERT_TRUE(px.ExchangeRuntimeClass("Class", pClass, nullptr));
        ar.Close();
    }
    const std::vector<BYTE> bytes = BytesOf(file);
    const std::string name = "CountedObject";
    std::vector<BYTE> expected = {0xFF, 0xFF, 40, 0, static_cast<BYTE>(name.size()), 0};
    expected.insert(expected.end(), name.begin(), name.end());
    expected.insert(expected.end(), {0x02, 0x00, 0x01, 0x80});
    EXPECT_EQ(expected, bytes);

    std::vector<BYTE> copy = bytes;
    CMemFile in(copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&in, CArchive::load);
    CKitPropExchangeArchive px(ar);
    CObject* loaded = nullptr;
    ASSERT_TRUE(px.ExchangeObjectClass(loaded, RUNTIME_CLASS(CountedObject)));
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(loaded, ar.ReadObject(RUNTIME_CLASS(CountedObject)));
    px.SetSchema(0);
    CRuntimeClass* pClass = nullptr;
    ASSERT_TRUE(px.ExchangeRuntimeClass("Class", pClass, nullptr));
    EXPECT_EQ(RUNTIME_CLASS(CountedObject), pClass);
    EXPECT_EQ(40, px.GetSchema());
    delete loaded;
}

// Every truncation and byte change of a stored archive loads without a crash
// and without allocating beyond the input: archive errors are exceptions.
TEST(KitPropExchange, DamagedArchivesFailCleanly)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CKitPropExchangeArchive px(ar);
        px.ExchangeSchema();
        int number = 7;
        CString text = "Toolbar";
        CKitPropExchange::PropExchangeInt(&px, "Number", number);
        CKitPropExchange::PropExchangeString(&px, "Text", text, "");
        BYTE blob[5] = {1, 2, 3, 4, 5};
        BYTE* data = blob;
        DWORD size = sizeof(blob);
        px.ExchangeBlob("Blob", &data, &size);
        CRuntimeClass* pClass = RUNTIME_CLASS(CountedObject);
        px.ExchangeRuntimeClass("Class", pClass, nullptr);
        DWORD count = 3;
        px.ExchangeCount(count);
        ar.Close();
    }
    const std::vector<BYTE> good = BytesOf(file);
    auto load = [](std::vector<BYTE> bytes) {
        CMemFile in(bytes.data(), static_cast<UINT>(bytes.size()));
        CArchive ar(&in, CArchive::load);
        CKitPropExchangeArchive px(ar);
        try {
            px.ExchangeSchema();
            int number = 0;
            CString text;
            CKitPropExchange::PropExchangeInt(&px, "Number", number);
            CKitPropExchange::PropExchangeString(&px, "Text", text, "");
            BYTE* data = nullptr;
            DWORD size = 0;
            if (px.ExchangeBlob("Blob", &data, &size))
                std::free(data);
            CRuntimeClass* pClass = nullptr;
            px.ExchangeRuntimeClass("Class", pClass, nullptr);
            DWORD count = 0;
            px.ExchangeCount(count);
        } catch (CException* e) {
            e->Delete();
        }
    };
    const BYTE replacements[] = {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF};
    LargestAllocation largest;
    for (size_t length = 0; length < good.size(); ++length)
        load(std::vector<BYTE>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length)));
    for (size_t at = 0; at < good.size(); ++at) {
        for (BYTE replacement : replacements) {
            std::vector<BYTE> bytes = good;
            bytes[at] = replacement;
            load(bytes);
        }
    }
    EXPECT_LT(largest.Bytes(), 64u * 1024u);
}

} // namespace
