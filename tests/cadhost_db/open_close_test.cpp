// The open and close protocol, on the bundled samples.
#include "tests/cadhost_db/db_fixture.h"

using namespace cadhost_test;

class OpenClose : public SampleTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(SampleTest::SetUp());
        text = firstOf(db, "TEXT");
        ASSERT_FALSE(text.isNull());
    }
    AcDbObjectId text;
};

TEST_P(OpenClose, ReadersShareAndWritersExclude) {
    AcDbText *a = nullptr, *b = nullptr;
    ASSERT_EQ(acdbOpenObject(a, text, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(acdbOpenObject(b, text, AcDb::kForRead), Acad::eOk);
    AcDbText* w = nullptr;
    EXPECT_EQ(acdbOpenObject(w, text, AcDb::kForWrite), Acad::eWasOpenedForRead);
    EXPECT_EQ(w, nullptr);
    EXPECT_EQ(a->setTextString(L"x"), Acad::eNotOpenForWrite);
    EXPECT_EQ(a->erase(), Acad::eNotOpenForWrite);
    EXPECT_EQ(saved(db), original);
    EXPECT_EQ(a->upgradeOpen(), Acad::eHadMultipleReaders);
    b->close();
    ASSERT_EQ(a->upgradeOpen(), Acad::eOk);
    EXPECT_EQ(acdbOpenObject(w, text, AcDb::kForRead), Acad::eWasOpenedForWrite);
    EXPECT_EQ(acdbOpenObject(w, text, AcDb::kForWrite), Acad::eWasOpenedForWrite);
    EXPECT_EQ(a->setHeight(7.0), Acad::eOk);
    a->close();
    ASSERT_EQ(acdbOpenObject(w, text, AcDb::kForWrite), Acad::eOk);
    EXPECT_DOUBLE_EQ(w->height(), 7.0);
    w->close();
}

TEST_P(OpenClose, ALockedLayerKeepsItsEntitiesFromChange) {
    AcDbText* t = nullptr;
    ASSERT_EQ(acdbOpenObject(t, text, AcDb::kForRead), Acad::eOk);
    AcDbObjectId layerId = t->layerId();
    t->close();
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(acdbOpenObject(layer, layerId, AcDb::kForWrite), Acad::eOk)
        << "the layer itself is no entity";
    layer->setIsLocked(true);
    layer->close();

    EXPECT_EQ(acdbOpenObject(t, text, AcDb::kForWrite), Acad::eOnLockedLayer);
    EXPECT_EQ(t, nullptr);
    ASSERT_EQ(acdbOpenObject(t, text, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(t->upgradeOpen(), Acad::eOnLockedLayer);
    EXPECT_FALSE(t->isWriteEnabled());
    t->close();
    AcDbEntity* e = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(e, text, AcDb::kForWrite, false, true), Acad::eOk)
        << "asked for explicitly";
    e->close();
    ASSERT_EQ(acdbOpenObject(layer, layerId, AcDb::kForWrite), Acad::eOk);
    layer->setIsLocked(false);
    layer->close();
    ASSERT_EQ(acdbOpenObject(t, text, AcDb::kForWrite), Acad::eOk) << "unlocked again";
    t->close();
}

TEST_P(OpenClose, WrongClassNullIdAndErased) {
    AcDbMText* m = nullptr;
    EXPECT_EQ(acdbOpenObject(m, text, AcDb::kForRead), Acad::eNotThatKindOfClass);
    EXPECT_EQ(m, nullptr);
    AcDbText* t = nullptr;
    EXPECT_EQ(acdbOpenObject(t, text, AcDb::kForRead), Acad::eOk) << "the failed open left it open";
    t->close();
    EXPECT_EQ(acdbOpenObject(t, AcDbObjectId(), AcDb::kForRead), Acad::eNullObjectId);

    ASSERT_EQ(acdbOpenObject(t, text, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(t->erase(), Acad::eOk);
    t->close();
    EXPECT_TRUE(text.isErased());
    EXPECT_EQ(acdbOpenObject(t, text, AcDb::kForRead), Acad::eWasErased);
    ASSERT_EQ(acdbOpenObject(t, text, AcDb::kForRead, true), Acad::eOk);
    t->close();
    for (AcDbObjectId id : db.allEntities()) EXPECT_NE(id, text);
    char h[20];
    text.handle().getIntoAsciiBuffer(h);
    EXPECT_EQ(saved(db).find(std::string("\n  5\n") + h + "\n"), std::string::npos);
}

TEST_P(OpenClose, ErasingABlockReferenceTakesItsAttributes) {
    AcDbObjectId ref = firstOf(db, "INSERT");
    AcDbBlockReference* b = nullptr;
    ASSERT_EQ(acdbOpenObject(b, ref, AcDb::kForWrite), Acad::eOk);
    b->erase();
    b->close();
    std::string out = saved(db);
    EXPECT_EQ(out.find("\nATTRIB\n"), std::string::npos);
    EXPECT_EQ(out.find("\nSEQEND\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(All, OpenClose, ::testing::ValuesIn(kSamples));

TEST(Tables, StylesAreFoundInAnyCaseAndTheTextHeightKeptUnlessBad) {
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfFile(std::filesystem::path(samplePath("hebrew_r2000.dxf"))), Acad::eOk);
    AcDbTextStyleTable* styles = nullptr;
    ASSERT_EQ(db.getTextStyleTable(styles), Acad::eOk);
    AcDbSymbolTableRecord* plain = nullptr;
    ASSERT_EQ(styles->getAt(L"hebd2w", plain, AcDb::kForRead), Acad::eOk);  // any case
    plain->close();
    AcDbSymbolTableRecord* missing = nullptr;
    EXPECT_EQ(styles->getAt(L"NOSUCH", missing, AcDb::kForRead), Acad::eKeyNotFound);
    styles->close();
    ASSERT_EQ(db.setTextsize(4.0), Acad::eOk);
    EXPECT_EQ(db.setTextsize(-1.0), Acad::eInvalidInput);
    EXPECT_DOUBLE_EQ(db.textsize(), 4.0);
}
