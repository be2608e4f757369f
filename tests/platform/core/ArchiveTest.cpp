#include "ArchiveFixture.h"

#include "platform/core/ObArray.h"

#include <memory>
#include <vector>

namespace {

std::string B(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return s;
}

class CTestItem : public CObject {
    DECLARE_SERIAL(CTestItem)
public:
    int m_n = 0;
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring())
            ar << m_n;
        else
            ar >> m_n;
    }
};
IMPLEMENT_SERIAL(CTestItem, CObject, 1)

class CEmptyItem : public CObject {
    DECLARE_SERIAL(CEmptyItem)
};
IMPLEMENT_SERIAL(CEmptyItem, CObject, 2)

} // namespace

TEST(CArchive, ScalarsAreLittleEndianIeee) {
    const std::string want = B({'A',  0xFE, 0xFE, 0xFF, 0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 0x04, 0x03,
                                0x02, 0x01, 0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01, 0x00, 0x00,
                                0x80, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0xBF});
    EXPECT_EQ(StoreToBytes([](CArchive& ar) {
                  ar << 'A' << BYTE{0xFE} << SHORT{-2} << WORD{0x1234} << -1 << UINT{0x01020304}
                     << LONGLONG{0x0102030405060708} << 1.0f << -1.5;
              }),
              want);
    LoadFromBytes(want, [](CArchive& ar) {
        char c;
        BYTE b;
        SHORT s;
        WORD w;
        int i;
        UINT u;
        LONGLONG ll;
        float f;
        double d;
        ar >> c >> b >> s >> w >> i >> u >> ll >> f >> d;
        EXPECT_EQ(c, 'A');
        EXPECT_EQ(b, 0xFE);
        EXPECT_EQ(s, -2);
        EXPECT_EQ(w, 0x1234);
        EXPECT_EQ(i, -1);
        EXPECT_EQ(u, 0x01020304u);
        EXPECT_EQ(ll, 0x0102030405060708);
        EXPECT_EQ(f, 1.0f);
        EXPECT_EQ(d, -1.5);
        BYTE past;
        EXPECT_EQ(ar.Read(&past, 1), 0u);
    });
}

TEST(CArchive, StringLengthPrefixesAndGbkBytes) {
    struct Case {
        std::string text;   // UTF-8
        std::string prefix; // expected length prefix
        std::string body;   // expected bytes after it
    } cases[] = {
        {"", B({0x00}), ""},
        {"ZN-R9_Map", B({0x09}), "ZN-R9_Map"},
        {"中文", B({0x04}), "\xD6\xD0\xCE\xC4"},
        {std::string(254, 'a'), B({0xFE}), std::string(254, 'a')},
        {std::string(255, 'a'), B({0xFF, 0xFF, 0x00}), std::string(255, 'a')},
        {std::string(0xFFFD, 'a'), B({0xFF, 0xFD, 0xFF}), std::string(0xFFFD, 'a')},
        // 0xFFFE as a WORD would read as the UTF-16 marker, so it takes the DWORD form.
        {std::string(0xFFFE, 'a'), B({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}), std::string(0xFFFE, 'a')},
        {std::string(0x10000, 'b'), B({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}), std::string(0x10000, 'b')},
    };
    for (const auto& c : cases) {
        const std::string bytes = StoreToBytes([&](CArchive& ar) { ar << CString(c.text); });
        EXPECT_EQ(bytes, c.prefix + c.body) << c.text.size();
        LoadFromBytes(bytes + "!", [&](CArchive& ar) {
            CString s;
            char after;
            ar >> s >> after;
            EXPECT_EQ(s.str(), c.text);
            EXPECT_EQ(after, '!');
        });
    }
}

TEST(CArchive, ReadsUtf16MarkedStrings) {
    struct Case {
        std::string bytes;
        std::string text;
    } cases[] = {
        {B({0xFF, 0xFE, 0xFF, 0x02, 'A', 0x00, 0x2D, 0x4E}), "A中"},
        {B({0xFF, 0xFE, 0xFF, 0x01, 0x00, 0xD8}), "\xEF\xBF\xBD"}, // unpaired surrogate
        {B({0xFF, 0xFE, 0xFF, 0xFF, 0x00, 0x01}) +
             [] {
                 std::string s;
                 for (int i = 0; i < 256; ++i)
                     s += B({'x', 0});
                 return s;
             }(),
         std::string(256, 'x')},
    };
    for (const auto& c : cases)
        LoadFromBytes(c.bytes, [&](CArchive& ar) {
            CString s;
            ar >> s;
            EXPECT_EQ(s.str(), c.text);
        });
}

TEST(CArchive, ObjectsCarryClassRecordsAndBackReferences) {
    CTestItem a, b;
    a.m_n = 0x11;
    b.m_n = 0x22;
    CObArray list;
    list.Add(&a);
    list.Add(&b);
    list.Add(&a);
    list.Add(nullptr);

    const std::string want = B({0x04, 0x00,                          // count
                                0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00}) // new class, schema 1
                             + "CTestItem" +
                             B({0x11, 0x00, 0x00, 0x00,             // a (class 1, object 2)
                                0x01, 0x80, 0x22, 0x00, 0x00, 0x00, // b: class index 1
                                0x02, 0x00,                         // a again: object 2
                                0x00, 0x00});                       // null
    EXPECT_EQ(StoreToBytes([&](CArchive& ar) { list.Serialize(ar); }), want);

    LoadFromBytes(want, [](CArchive& ar) {
        CObArray loaded;
        loaded.Serialize(ar);
        ASSERT_EQ(loaded.GetSize(), 4);
        std::unique_ptr<CObject> first(loaded[0]), second(loaded[1]);
        ASSERT_TRUE(first->IsKindOf(RUNTIME_CLASS(CTestItem)));
        EXPECT_EQ(static_cast<CTestItem*>(loaded[0])->m_n, 0x11);
        EXPECT_EQ(static_cast<CTestItem*>(loaded[1])->m_n, 0x22);
        EXPECT_EQ(loaded[2], loaded[0]);
        EXPECT_EQ(loaded[3], nullptr);
    });
}

TEST(CArchive, BigIndicesUseTheEscapeTag) {
    // 0x7FFE objects fill indices 2..0x7FFF, so the next class record gets index 0x8000.
    constexpr int kMany = 0x7FFE;
    std::vector<CEmptyItem> many(kMany);
    CTestItem b1, b2;
    const std::string bytes = StoreToBytes([&](CArchive& ar) {
        for (auto& o : many)
            ar << &o;
        ar << &b1 << &b2 << &b1 << &many[0];
    });
    const std::string tail = B({0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00}) + "CTestItem" +
                             B({0,    0,    0,    0, // b1: class 0x8000, object 0x8001
                                0xFF, 0x7F, 0x00, 0x80, 0x00, 0x80, 0, 0, 0, 0, // b2: big class reference
                                0xFF, 0x7F, 0x01, 0x80, 0x00, 0x00, // b1 again: big object reference
                                0x02, 0x00});                       // many[0]: object 2
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);

    LoadFromBytes(bytes, [&](CArchive& ar) {
        std::vector<std::unique_ptr<CObject>> owned;
        for (int i = 0; i < kMany; ++i)
            owned.emplace_back(ar.ReadObject(RUNTIME_CLASS(CEmptyItem)));
        CTestItem *p1, *p2, *p3;
        ar >> p1 >> p2 >> p3;
        owned.emplace_back(p1);
        owned.emplace_back(p2);
        EXPECT_EQ(p3, p1);
        EXPECT_NE(p2, p1);
        EXPECT_EQ(ar.ReadObject(nullptr), owned[0].get());
    });
}

TEST(CArchive, DamagedInputThrowsWithACause) {
    enum Read { Int, String, Objects };
    const std::string item = B({0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00}) + "CTestItem" + B({1, 0, 0, 0});
    struct Case {
        const char* what;
        Read read;
        std::string bytes;
        int cause;
    } cases[] = {
        {"short int", Int, B({1, 2, 3}), CArchiveException::endOfFile},
        {"string past the end", String, B({0x05, 'a', 'b'}), CArchiveException::endOfFile},
        {"huge string length", String, B({0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 'a'}),
         CArchiveException::endOfFile},
        {"unknown class", Objects, B({0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00}) + "CBad",
         CArchiveException::badClass},
        {"class name too long", Objects, B({0xFF, 0xFF, 0x01, 0x00, 0xFF, 0x00}) + std::string(255, 'C'),
         CArchiveException::badClass},
        {"other schema", Objects, B({0xFF, 0xFF, 0x02, 0x00, 0x09, 0x00}) + "CTestItem",
         CArchiveException::badSchema},
        {"class index never loaded", Objects, B({0x05, 0x80}), CArchiveException::badIndex},
        {"object index never loaded", Objects, B({0x09, 0x00}), CArchiveException::badIndex},
        {"class index used as object", Objects, item + B({0x01, 0x00}), CArchiveException::badIndex},
        {"object index used as class", Objects, item + B({0x02, 0x80}), CArchiveException::badIndex},
        {"wrong class for the pointer", Objects, B({0xFF, 0xFF, 0x02, 0x00, 0x0A, 0x00}) + "CEmptyItem",
         CArchiveException::badClass},
        {"object cut short", Objects, item.substr(0, item.size() - 2), CArchiveException::endOfFile},
    };
    for (const auto& c : cases) {
        LoadFromBytes(c.bytes, [&](CArchive& ar) {
            std::vector<std::unique_ptr<CObject>> owned;
            try {
                int v;
                CString s;
                switch (c.read) {
                case Int:
                    ar >> v;
                    break;
                case String:
                    ar >> s;
                    break;
                case Objects:
                    for (;;) {
                        CTestItem* p;
                        ar >> p;
                        owned.emplace_back(p);
                    }
                }
                ADD_FAILURE() << c.what << ": no exception";
            } catch (const CArchiveException& e) {
                EXPECT_EQ(e.m_cause, c.cause) << c.what;
            }
        });
    }
}

TEST(CArchive, WrongDirectionAndCountEscapes) {
    EXPECT_EQ(StoreToBytes([](CArchive& ar) {
                  ar.WriteCount(3);
                  ar.WriteCount(0xFFFF);
                  try {
                      int v;
                      ar >> v;
                      ADD_FAILURE();
                  } catch (const CArchiveException& e) {
                      EXPECT_EQ(e.m_cause, CArchiveException::writeOnly);
                  }
              }),
              B({0x03, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    LoadFromBytes(B({0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}), [](CArchive& ar) {
        EXPECT_EQ(ar.ReadCount(), 0x10000u);
        EXPECT_THROW(ar << 1, CArchiveException);
    });
}
