#include "platform/core/ObArray.h"
#include "platform/core/Object.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape {
    DECLARE_SERIAL(CCircle)
};
IMPLEMENT_SERIAL(CCircle, CShape, 3)

} // namespace

TEST(CObject, RuntimeClassRecords) {
    CCircle c;
    EXPECT_TRUE(c.IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_TRUE(c.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(c.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(c.IsKindOf(RUNTIME_CLASS(CObArray)));
    EXPECT_STREQ(c.GetRuntimeClass()->m_lpszClassName, "CCircle");
    EXPECT_EQ(c.GetRuntimeClass()->m_wSchema, 3u);
    EXPECT_TRUE(c.IsSerializable());

    EXPECT_EQ(CRuntimeClass::FromName("CCircle"), RUNTIME_CLASS(CCircle));
    EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
    std::unique_ptr<CObject> made(CRuntimeClass::FromName("CCircle")->CreateObject());
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CCircle)));
    // Neither an abstract base nor CObject itself can be created by name.
    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);
    EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsSerializable());
}

TEST(CObArray, EditingKeepsOrderAndChecksIndices) {
    CCircle a, b, c;
    CObArray arr;
    arr.Add(&a);
    arr.Add(&c);
    arr.InsertAt(1, &b);
    arr.SetAtGrow(4, &a);
    ASSERT_EQ(arr.GetSize(), 5);
    EXPECT_EQ(arr[1], &b);
    EXPECT_EQ(arr[3], nullptr);
    arr.RemoveAt(2, 2);
    ASSERT_EQ(arr.GetSize(), 3);
    EXPECT_EQ(arr[2], &a);
    EXPECT_EQ(arr.GetAt(3), nullptr);
    EXPECT_EQ(arr.GetAt(-1), nullptr);
    arr.SetAt(7, &c); // outside: ignored
    EXPECT_EQ(arr.GetSize(), 3);
    arr.Append(arr);
    EXPECT_EQ(arr.GetSize(), 6);
    EXPECT_EQ(arr[5], &a);
    arr.RemoveAll();
    EXPECT_TRUE(arr.IsEmpty());
}
