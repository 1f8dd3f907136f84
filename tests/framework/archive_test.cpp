#include "framework/core.h"
#include "object_classes.h"
#include "support/expect_exception.h"
#include "support/largest_allocation.h"
#include "support/paths.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace {

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char b : bytes) {
        if (!hex.empty())
            hex += ' ';
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

std::string Bytes(const char* hex)
{
    std::string bytes;
    for (const char* p = hex; *p != '\0';) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        bytes += static_cast<char>(std::strtoul(std::string(p, 2).c_str(), nullptr, 16));
        p += 2;
    }
    return bytes;
}

std::string FileBytes(CFile& file)
{
    file.SeekToBegin();
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    if (!bytes.empty())
        file.Read(&bytes[0], static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    return bytes;
}

enum class Medium { Memory, Disk };

// Stores through one archive, then loads the same file through another;
// returns the bytes stored.
std::string StoreAndLoad(Medium medium, const std::function<void(CArchive&)>& store,
    const std::function<void(CArchive&)>& load, int bufferSize = CArchive::kDefaultBufferSize)
{
    TempFolder folder;
    CMemFile memory;
    CFile disk;
    CFile* file = &memory;
    if (medium == Medium::Disk) {
        EXPECT_TRUE(disk.Open(folder.File("archive.bin"), CFile::modeCreate | CFile::modeReadWrite));
        file = &disk;
    }
    {
        CArchive ar(file, CArchive::store, bufferSize);
        store(ar);
        ar.Close();
    }
    const std::string bytes = FileBytes(*file);
    {
        CArchive ar(file, CArchive::load, bufferSize);
        load(ar);
        EXPECT_EQ(0u, ar.GetBytesRemaining());
    }
    return bytes;
}

// Loads from the given bytes.
void LoadFrom(const std::string& bytes, const std::function<void(CArchive&)>& load)
{
    CMemFile file;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    load(ar);
}

CString ReadCString(const std::string& bytes)
{
    CString text;
    LoadFrom(bytes, [&](CArchive& ar) { ar >> text; });
    return text;
}

class ArchiveStrings : public ::testing::TestWithParam<Medium> {};

TEST_P(ArchiveStrings, LengthPrefixesAndRoundTrip)
{
    struct Case {
        int length;
        const char* prefix;
    };
    const Case cases[] = {
        {0, "00"},
        {1, "01"},
        {254, "FE"},
        {255, "FF FF 00"},
        {300, "FF 2C 01"},
        {65533, "FF FD FF"},
        {65534, "FF FF FF FE FF 00 00"},
        {65535, "FF FF FF FF FF 00 00"},
        {70000, "FF FF FF 70 11 01 00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("length " + std::to_string(c.length));
        CString text;
        for (int i = 0; i < c.length; ++i)
            text += static_cast<char>('a' + i % 26);
        CString loaded("stale");
        const std::string bytes =
            StoreAndLoad(GetParam(), [&](CArchive& ar) { ar << text; }, [&](CArchive& ar) { ar >> loaded; });
        const std::string prefix = Bytes(c.prefix);
        EXPECT_EQ(c.prefix, Hex(bytes.substr(0, prefix.size())));
        EXPECT_EQ(prefix.size() + static_cast<size_t>(c.length), bytes.size());
        EXPECT_EQ(text.GetString(), bytes.substr(prefix.size()));
        EXPECT_TRUE(loaded == text);
    }
}

TEST_P(ArchiveStrings, ValuesAreLittleEndian)
{
    const char* expected =
        "AB 01 00 02 01 FE FF 04 03 02 01 FF FF FF FF D4 C3 B2 A1 07 00 00 00 "
        "08 07 06 05 04 03 02 01 FF FF FF FF FF FF FF FF 00 00 80 3F 00 00 00 00 00 00 F8 3F 41 "
        "02 49 64";
    BYTE by = 0;
    bool yes = false, no = true;
    WORD w = 0;
    short sh = 0;
    int i = 0;
    LONG l = 0;
    DWORD dw = 0;
    UINT u = 0;
    LONGLONG ll = 0;
    ULONGLONG ull = 0;
    float f = 0;
    double d = 0;
    char ch = 0;
    CString s;
    const std::string bytes = StoreAndLoad(
        GetParam(),
        [](CArchive& ar) {
            ar << static_cast<BYTE>(0xAB) << true << false << static_cast<WORD>(0x0102) << static_cast<short>(-2)
               << 0x01020304 << static_cast<LONG>(-1) << static_cast<DWORD>(0xA1B2C3D4) << 7u
               << static_cast<LONGLONG>(0x0102030405060708LL) << ~0ULL << 1.0f << 1.5 << 'A' << CString("Id");
        },
        [&](CArchive& ar) { ar >> by >> yes >> no >> w >> sh >> i >> l >> dw >> u >> ll >> ull >> f >> d >> ch >> s; });
    EXPECT_EQ(expected, Hex(bytes));
    EXPECT_EQ(0xAB, by);
    EXPECT_TRUE(yes);
    EXPECT_FALSE(no);
    EXPECT_EQ(0x0102, w);
    EXPECT_EQ(-2, sh);
    EXPECT_EQ(0x01020304, i);
    EXPECT_EQ(-1, l);
    EXPECT_EQ(0xA1B2C3D4u, dw);
    EXPECT_EQ(7u, u);
    EXPECT_EQ(0x0102030405060708LL, ll);
    EXPECT_EQ(~0ULL, ull);
    EXPECT_EQ(1.0f, f);
    EXPECT_EQ(1.5, d);
    EXPECT_EQ('A', ch);
    EXPECT_STREQ("Id", s);
}

TEST_P(ArchiveStrings, SmallBufferCarriesValuesAcrossRefills)
{
    std::vector<CString> loaded(40);
    std::vector<double> numbers(40);
    StoreAndLoad(
        GetParam(),
        [](CArchive& ar) {
            for (int i = 0; i < 40; ++i) {
                CString text;
                text.Format("item %d %s", i, std::string(static_cast<size_t>(i * 7), '*').c_str());
                ar << text << i * 0.25;
            }
        },
        [&](CArchive& ar) {
            for (int i = 0; i < 40; ++i)
                ar >> loaded[static_cast<size_t>(i)] >> numbers[static_cast<size_t>(i)];
        },
        CArchive::kMinBufferSize);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(i * 7 + 7 + (i > 9 ? 1 : 0), loaded[static_cast<size_t>(i)].GetLength()) << i;
        EXPECT_EQ(i * 0.25, numbers[static_cast<size_t>(i)]) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Media, ArchiveStrings, ::testing::Values(Medium::Memory, Medium::Disk),
    [](const ::testing::TestParamInfo<Medium>& info) { return info.param == Medium::Memory ? "Memory" : "Disk"; });

TEST(ArchiveLoading, WideTextIsConvertedToTheSystemCodePage)
{
    EXPECT_STREQ("a\xe9" "b", ReadCString(Bytes("FF FE FF 03 61 00 E9 00 62 00")));
    EXPECT_STREQ("", ReadCString(Bytes("FF FE FF 00")));

    std::string units;
    for (int i = 0; i < 256; ++i)
        units += std::string("x\0", 2);
    const CString longWide = ReadCString(Bytes("FF FE FF FF 00 01") + units);
    EXPECT_EQ(256, longWide.GetLength());
    EXPECT_STREQ(std::string(256, 'x').c_str(), longWide);
}

TEST(ArchiveLoading, TruncatedDataThrowsEndOfFile)
{
    const char* cases[] = {
        "",
        "05 61 62",
        "FF",
        "FF 2C",
        "FF 2C 01 61",
        "FF FF FF 00 00 01",
        "FF FE FF 03 61 00",
        "FF FE FF 02 61 00 62",
    };
    for (const char* hex : cases) {
        EXPECT_TRUE(ThrowsFrameworkException<CArchiveException>([&] { ReadCString(Bytes(hex)); },
            [](CArchiveException& e) { EXPECT_EQ(CArchiveException::endOfFile, e.m_cause); }))
            << "bytes " << hex;
    }
    int value = 0;
    EXPECT_TRUE(ThrowsFrameworkException<CArchiveException>(
        [&] { LoadFrom(Bytes("01 02 03"), [&](CArchive& ar) { ar >> value; }); }));
}

TEST(ArchiveLoading, CorruptLengthsAllocateNothingBig)
{
    const char* cases[] = {
        "FF FF FF FF FF FF 7F 61 62 63",
        "FF FF FF FE FF FF FF 61",
        "FF FE FF FF FF FF FF FF FF 7F 61 00",
        "FF FF FF FF FF FF FF FF FF FF FF FF FF FF 7F 61",
        "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF",
    };
    for (const char* hex : cases) {
        const std::string bytes = Bytes(hex);
        LargestAllocation largest;
        EXPECT_TRUE(ThrowsFrameworkException<CArchiveException>([&] { ReadCString(bytes); },
            [](CArchiveException& e) { EXPECT_EQ(CArchiveException::endOfFile, e.m_cause); }))
            << "bytes " << hex;
        EXPECT_LT(largest.Bytes(), 1024u * 1024u) << "bytes " << hex;
    }
}

TEST(ArchiveLoading, FixtureFileAndItsBrokenCopies)
{
    const CString good = SourcePath("tests/framework/fixtures/archive/settings.bin");
    CFile file(good, CFile::modeRead | CFile::shareDenyWrite);
    CArchive ar(&file, CArchive::load);
    CString name, longText, wide;
    int number = 0;
    bool flag = false;
    WORD word = 0;
    double real = 0;
    ar >> name >> number >> flag >> word >> real >> longText >> wide;
    EXPECT_STREQ("Corvel", name);
    EXPECT_EQ(42, number);
    EXPECT_TRUE(flag);
    EXPECT_EQ(0x1234, word);
    EXPECT_EQ(2.5, real);
    EXPECT_STREQ(std::string(300, 'k').c_str(), longText);
    EXPECT_STREQ("a\xe9" "b", wide);
    EXPECT_EQ(0u, ar.GetBytesRemaining());

    for (const char* broken : {"settings-truncated.bin", "settings-huge-length.bin"}) {
        const CString path = SourcePath((std::string("tests/framework/fixtures/archive/") + broken).c_str());
        CFile brokenFile(path, CFile::modeRead | CFile::shareDenyWrite);
        CArchive brokenArchive(&brokenFile, CArchive::load);
        EXPECT_TRUE(ThrowsFrameworkException<CArchiveException>(
            [&] { brokenArchive >> name >> number >> flag >> word >> real >> longText >> wide; },
            [&](CArchiveException& e) {
                EXPECT_EQ(CArchiveException::endOfFile, e.m_cause);
                EXPECT_STREQ(path, e.m_strFileName);
            }))
            << broken;
    }
}

TEST(ArchiveModes, WrongDirectionAndLinesAndFlush)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        BYTE by;
        EXPECT_TRUE(ThrowsFrameworkException<CArchiveException>([&] { ar >> by; },
            [](CArchiveException& e) { EXPECT_EQ(CArchiveException::writeOnly, e.m_cause); }));
        ar.WriteString("first line\r\nsecond\nthird");
        ar << 0x11223344;
    }
    EXPECT_EQ(28u, file.GetLength());
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    EXPECT_TRUE(ThrowsFrameworkException<CArchiveException>([&] { ar << 1; },
        [](CArchiveException& e) { EXPECT_EQ(CArchiveException::readOnly, e.m_cause); }));
    CString line;
    EXPECT_TRUE(ar.ReadString(line));
    EXPECT_STREQ("first line", line);
    char buffer[5];
    EXPECT_STREQ("seco", ar.ReadString(buffer, sizeof(buffer)));
    EXPECT_STREQ("nd", ar.ReadString(buffer, sizeof(buffer)));
    char third[6];
    ar.Read(third, 5);
    third[5] = '\0';
    EXPECT_STREQ("third", third);
    ar.Flush();
    EXPECT_EQ(24u, file.GetPosition());
    int value = 0;
    ar >> value;
    EXPECT_EQ(0x11223344, value);
    EXPECT_FALSE(ar.ReadString(line));
    EXPECT_EQ(nullptr, ar.ReadString(buffer, sizeof(buffer)));
    ar.Close();
    EXPECT_EQ(nullptr, ar.GetFile());
}

} // namespace

// An object written through two pointers is written once: the second pointer is a
// reference to it, and loading links both pointers to one new object. A second
// object of the same class refers to the class record written before.
TEST(ArchiveObjects, AnObjectThroughTwoPointersIsWrittenOnceAndLoadsAsOneObject)
{
    CSquare shared;
    shared.m_side = 5;
    CSquare other;
    other.m_side = 9;
    CShapePair pair;
    pair.m_pFirst = &shared;
    pair.m_pSecond = &shared;
    CShapePair* loaded = nullptr;
    CObject* loadedOther = nullptr;
    CObject* loadedNull = reinterpret_cast<CObject*>(1);
    CObject* loadedAgain = nullptr;
    const std::string bytes = StoreAndLoad(Medium::Memory,
        [&](CArchive& ar) {
            ar.WriteObject(&pair);
            ar.WriteObject(&other);
            ar.WriteObject(nullptr);
            ar.WriteObject(&pair);
        },
        [&](CArchive& ar) {
            loaded = static_cast<CShapePair*>(ar.ReadObject(RUNTIME_CLASS(CShapePair)));
            loadedOther = ar.ReadObject(RUNTIME_CLASS(CShape));
            loadedNull = ar.ReadObject(nullptr);
            loadedAgain = ar.ReadObject(RUNTIME_CLASS(CObject));
        });
    // Pair: new class (schema 3) at index 1, the pair at 2; the square: new class (schema 2) at 3,
    // the square at 4, its side; then a reference to object 4. The other square: class 3, its side.
    EXPECT_EQ("FF FF 03 00 0A 00 " + Hex("CShapePair") + " FF FF 02 00 07 00 " + Hex("CSquare") +
                  " 05 00 00 00 04 00 03 80 09 00 00 00 00 00 02 00",
        Hex(bytes));
    ASSERT_NE(nullptr, loaded);
    ASSERT_NE(nullptr, loaded->m_pFirst);
    EXPECT_EQ(loaded->m_pFirst, loaded->m_pSecond);
    EXPECT_EQ(5, static_cast<CSquare*>(loaded->m_pFirst)->m_side);
    ASSERT_NE(nullptr, loadedOther);
    EXPECT_NE(loadedOther, static_cast<CObject*>(loaded->m_pFirst));
    EXPECT_EQ(9, static_cast<CSquare*>(loadedOther)->m_side);
    EXPECT_EQ(nullptr, loadedNull);
    EXPECT_EQ(static_cast<CObject*>(loaded), loadedAgain);
    delete loaded;
    delete loadedOther;
}

// Records that name nothing, or a class that cannot stand where it is read, fail as archive exceptions.
TEST(ArchiveObjects, BrokenReferencesAndUnfitClassesAreArchiveExceptions)
{
    const std::string square = "FF FF 02 00 07 00 " + Hex("CSquare") + " 05 00 00 00 ";
    struct Case {
        std::string hex;
        const CRuntimeClass* base;
        int cause;
    };
    const Case cases[] = {
        {"05 00", nullptr, CArchiveException::badIndex},                   // an object never read
        {"01 80", nullptr, CArchiveException::badIndex},                   // a class never read
        {square + "01 00", nullptr, CArchiveException::badIndex},         // index 1 is the class, not an object
        {square + "02 80", nullptr, CArchiveException::badIndex},         // index 2 is the square, not a class
        {"FF 7F 05 00 00 80", nullptr, CArchiveException::badIndex},      // the long form, no better
        {"FF FF 01 00 07 00 " + Hex("CNoSuch"), nullptr, CArchiveException::badClass},
        {"FF FF 01 00 00 00", nullptr, CArchiveException::badClass},      // a class without a name
        {square, RUNTIME_CLASS(CCircle), CArchiveException::badClass},    // not of the class asked for
        {"FF FF 01 00 06 00 " + Hex("CShape"), nullptr, CArchiveException::badClass},  // cannot be created
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(ThrowsFrameworkException<CArchiveException>(
            [&] {
                LoadFrom(Bytes(c.hex.c_str()), [&](CArchive& ar) {
                    for (;;)
                        delete ar.ReadObject(c.base);
                });
            },
            [&](CArchiveException& e) { EXPECT_EQ(c.cause, e.m_cause) << c.hex; }))
            << c.hex;
    }
}
