#include <gtest/gtest.h>

#include <cstring>

#include "platform/base/Exceptions.h"
#include "platform/base/Object.h"

namespace {

class CAnimal : public CObject {
    DECLARE_DYNAMIC(CAnimal)
};
class CDog : public CAnimal {
    DECLARE_DYNCREATE(CDog)
  public:
    int m_barks = 3;
};
class CPlant : public CObject {
    DECLARE_DYNCREATE(CPlant)
};

IMPLEMENT_DYNAMIC(CAnimal, CObject)
IMPLEMENT_DYNCREATE(CDog, CAnimal)
IMPLEMENT_DYNCREATE(CPlant, CObject)

TEST(RuntimeClass, KindsAndDowncasts) {
    CDog dog;
    CObject* object = &dog;
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CAnimal)));
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(object->IsKindOf(RUNTIME_CLASS(CPlant)));
    EXPECT_EQ(object->GetRuntimeClass(), RUNTIME_CLASS(CDog));
    EXPECT_STREQ(RUNTIME_CLASS(CDog)->m_lpszClassName, "CDog");
    EXPECT_EQ(RUNTIME_CLASS(CDog)->m_nObjectSize, static_cast<int>(sizeof(CDog)));
    EXPECT_EQ(RUNTIME_CLASS(CDog)->m_pBaseClass, RUNTIME_CLASS(CAnimal));
    EXPECT_FALSE(dog.IsSerializable());

    EXPECT_EQ(DYNAMIC_DOWNCAST(CAnimal, object), &dog);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CPlant, object), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CDog, static_cast<CObject*>(nullptr)), nullptr);
    const CObject* constObject = &dog;
    EXPECT_EQ(DYNAMIC_DOWNCAST(CDog, constObject)->m_barks, 3);
    EXPECT_EQ(STATIC_DOWNCAST(CDog, object), &dog);
#ifdef NDEBUG
    EXPECT_EQ(STATIC_DOWNCAST(CPlant, object), nullptr);  // never a pointer of the wrong type
#endif
}

TEST(RuntimeClass, CreatesByClassAndByName) {
    std::unique_ptr<CObject> byClass(RUNTIME_CLASS(CDog)->CreateObject());
    ASSERT_NE(byClass, nullptr);
    EXPECT_TRUE(byClass->IsKindOf(RUNTIME_CLASS(CDog)));
    EXPECT_EQ(static_cast<CDog*>(byClass.get())->m_barks, 3);

    EXPECT_EQ(CRuntimeClass::FromName("CPlant"), RUNTIME_CLASS(CPlant));
    std::unique_ptr<CObject> byName(CRuntimeClass::CreateObject("CPlant"));
    ASSERT_NE(byName, nullptr);
    EXPECT_EQ(byName->GetRuntimeClass(), RUNTIME_CLASS(CPlant));

    EXPECT_EQ(CRuntimeClass::FromName("CUnknown"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("CAnimal"), nullptr);  // dynamic only
    EXPECT_EQ(RUNTIME_CLASS(CAnimal)->CreateObject(), nullptr);
}

TEST(Exceptions, MessagesAreCutToTheBuffer) {
    CFileException e(CFileException::fileNotFound, 2, "/data/run.csv");
    char full[200];
    EXPECT_TRUE(e.GetErrorMessage(full, sizeof full));
    EXPECT_NE(std::strstr(full, "/data/run.csv"), nullptr);
    char small[8];
    std::memset(small, 'x', sizeof small);
    UINT help = 99;
    EXPECT_TRUE(e.GetErrorMessage(small, sizeof small, &help));
    EXPECT_EQ(std::strlen(small), 7u);
    EXPECT_EQ(help, 0u);
    EXPECT_TRUE(e.GetErrorMessage(small, 0));  // no room: nothing written
    EXPECT_FALSE(CFileException().GetErrorMessage(full, sizeof full));
    EXPECT_STREQ(full, "");
}

TEST(Exceptions, ThrownAsPointersAndDeletedByTheCatcher) {
    try {
        AfxThrowFileException(CFileException::diskFull, 28, "x.bin");
    } catch (CException* e) {
        auto* fe = DYNAMIC_DOWNCAST(CFileException, e);
        ASSERT_NE(fe, nullptr);
        EXPECT_EQ(fe->m_cause, CFileException::diskFull);
        EXPECT_EQ(fe->m_lOsError, 28);
        EXPECT_EQ(fe->m_strFileName, "x.bin");
        e->Delete();
    }
    // The out-of-memory exception is preallocated; deleting it releases nothing.
    for (int i = 0; i < 2; ++i) {
        try {
            AfxThrowMemoryException();
        } catch (CMemoryException* e) {
            EXPECT_FALSE(e->m_bAutoDelete);
            e->Delete();
        }
    }
}

TEST(Exceptions, ReportErrorGoesToTheInstalledReporter) {
    CString shown;
    UINT shownType = 0;
    kq::SetErrorReporter([&](const CString& text, UINT type) {
        shown = text;
        shownType = type;
        return 2;
    });
    CArchiveException e(CArchiveException::badSchema, "chart.xgr");
    EXPECT_EQ(e.ReportError(0x10), 2);
    EXPECT_NE(shown.Find("chart.xgr"), -1);
    EXPECT_EQ(shownType, 0x10u);
    CException plain;
    plain.ReportError();
    EXPECT_EQ(shown, "No error message is available.");
    kq::SetErrorReporter(nullptr);
}

}  // namespace
