#include <gtest/gtest.h>

#include <memory>

#include "mfc/CObject.h"

namespace {

class CShape : public CObject {
  DECLARE_DYNAMIC(CShape)
};

class CCircle : public CShape {
  DECLARE_DYNCREATE(CCircle)

 public:
  int radius = 7;
};

class CStoredCircle : public CCircle {
  DECLARE_SERIAL(CStoredCircle)
};

}  // namespace

IMPLEMENT_DYNAMIC(CShape, CObject)
IMPLEMENT_DYNCREATE(CCircle, CShape)
IMPLEMENT_SERIAL(CStoredCircle, CCircle, 2)

TEST(CObject, RuntimeClassRecordsNameSizeBaseAndSchema) {
  CRuntimeClass* circle = RUNTIME_CLASS(CCircle);
  EXPECT_STREQ(circle->m_lpszClassName, "CCircle");
  EXPECT_EQ(circle->m_nObjectSize, static_cast<int>(sizeof(CCircle)));
  EXPECT_EQ(circle->m_pBaseClass, RUNTIME_CLASS(CShape));
  EXPECT_EQ(circle->m_wSchema, 0xFFFFu);
  EXPECT_EQ(RUNTIME_CLASS(CStoredCircle)->m_wSchema, 2u);
  CStoredCircle stored;
  CCircle plain;
  EXPECT_TRUE(stored.IsSerializable());
  EXPECT_FALSE(plain.IsSerializable());
}

TEST(CObject, KindFollowsTheBaseChain) {
  CStoredCircle stored;
  CObject& object = stored;
  EXPECT_EQ(object.GetRuntimeClass(), RUNTIME_CLASS(CStoredCircle));
  EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CShape)));
  EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CCircle)));
  CCircle plain;
  EXPECT_FALSE(plain.IsKindOf(RUNTIME_CLASS(CStoredCircle)));
}

TEST(CObject, CreatesObjectsByClassRecordAndByName) {
  std::unique_ptr<CObject> made(RUNTIME_CLASS(CCircle)->CreateObject());
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CCircle)));
  EXPECT_EQ(static_cast<CCircle*>(made.get())->radius, 7);

  std::unique_ptr<CObject> byName(CRuntimeClass::CreateObject("CStoredCircle"));
  ASSERT_NE(byName, nullptr);
  EXPECT_EQ(byName->GetRuntimeClass(), RUNTIME_CLASS(CStoredCircle));

  // A class without dynamic creation, and an unknown name, give nothing.
  EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);
  EXPECT_EQ(CRuntimeClass::CreateObject("CNoSuchClass"), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName("CShape"), RUNTIME_CLASS(CShape));
}
