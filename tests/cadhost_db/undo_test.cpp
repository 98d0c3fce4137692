// Undo restores the drawing exactly.
#include "tests/cadhost_db/db_fixture.h"

using namespace cadhost_test;

class Undo : public SampleTest {
  protected:
    // Gives the n-th text of model space a new string.
    void setText(int n, const ACHAR* text) {
        AcDbText* t = nullptr;
        ASSERT_EQ(acdbOpenObject(t, firstOf(db, "TEXT", n), AcDb::kForWrite), Acad::eOk);
        t->setTextString(text);
        t->close();
    }
};

TEST_P(Undo, ChangeEraseAndAppendInOneGroupAreTakenBack) {
    db.beginUndoGroup();
    AcDbText* t = nullptr;
    ASSERT_EQ(acdbOpenObject(t, firstOf(db, "TEXT"), AcDb::kForWrite), Acad::eOk);
    t->setTextString(L"\x00F9\x00EC");
    t->setHorizontalMode(AcDb::kTextRight);
    t->setAlignmentPoint(AcGePoint3d(5, 5, 0));
    t->adjustAlignment();
    t->close();
    ASSERT_EQ(acdbOpenObject(t, firstOf(db, "TEXT", 2), AcDb::kForWrite), Acad::eOk);
    t->erase();
    t->close();
    const AcDbObjectId added = append(db, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(3, 4, 0)));
    db.endUndoGroup();
    ASSERT_NE(saved(db), original);

    ASSERT_EQ(db.undoLastGroup(), Acad::eOk);
    EXPECT_EQ(saved(db), original);
    EXPECT_FALSE(added.isValid());
    AcDbLine* gone = nullptr;
    EXPECT_NE(acdbOpenObject(gone, added, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(db.undoLastGroup(), Acad::eNothingToUndo);
}

// Undo takes back the last group only, and a change outside any group is
// a step of its own.
TEST_P(Undo, GroupsAndUngroupedChangesAreUndoneOneStepAtATime) {
    db.beginUndoGroup();
    setText(0, L"first");
    db.endUndoGroup();
    const std::string afterFirst = saved(db);
    db.beginUndoGroup();
    db.beginUndoGroup();  // nested groups count as one
    setText(0, L"second");
    db.endUndoGroup();
    EXPECT_TRUE(db.isUndoGroupOpen());
    setText(1, L"third");
    db.endUndoGroup();
    const std::string afterSecond = saved(db);
    setText(1, L"x");
    const std::string afterX = saved(db);
    setText(0, L"y");
    EXPECT_EQ(db.undoGroupCount(), 4u);
    for (const std::string& back : {afterX, afterSecond, afterFirst, original}) {
        ASSERT_EQ(db.undoLastGroup(), Acad::eOk);
        EXPECT_EQ(saved(db), back);
    }
}

TEST_P(Undo, RefusesWhileAnObjectOfTheGroupIsOpen) {
    AcDbObjectId id = firstOf(db, "TEXT");
    db.beginUndoGroup();
    AcDbText* t = nullptr;
    ASSERT_EQ(acdbOpenObject(t, id, AcDb::kForWrite), Acad::eOk);
    t->setTextString(L"x");
    db.endUndoGroup();
    EXPECT_EQ(db.undoLastGroup(), Acad::eWasOpenedForWrite);
    t->close();
    EXPECT_EQ(db.undoLastGroup(), Acad::eOk);
    EXPECT_EQ(saved(db), original);
}

TEST_P(Undo, AnUndoneAppendGivesItsHandleBack) {
    auto appendLine = [&] {
        return append(db, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
    };
    AcDbObjectId first = appendLine();
    std::string once = saved(db);
    ASSERT_EQ(db.undoLastGroup(), Acad::eOk);
    AcDbObjectId second = appendLine();
    EXPECT_NE(first, second);
    EXPECT_EQ(first.handle(), second.handle());
    EXPECT_EQ(saved(db), once);
}

// A style renamed and given another font and a layer locked, in one group:
// undo brings back the bytes and the lookups by name.
TEST_P(Undo, SymbolTableChangesAreTakenBack) {
    const auto styleId = [&](const ACHAR* name) {
        return recordId(db, &AcDbDatabase::getTextStyleTable, name);
    };
    const AcDbObjectId standard = styleId(L"STANDARD");
    ASSERT_TRUE(standard.isValid());
    db.beginUndoGroup();
    AcDbTextStyleTableRecord* style = nullptr;
    ASSERT_EQ(acdbOpenObject(style, standard, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(style->setName(L"RENAMED"), Acad::eOk);
    ASSERT_EQ(style->setFileName(L"hebrew2.shx"), Acad::eOk);
    style->close();
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(
        acdbOpenObject(layer, recordId(db, &AcDbDatabase::getLayerTable, L"0"), AcDb::kForWrite),
        Acad::eOk);
    ASSERT_EQ(layer->setIsLocked(true), Acad::eOk);
    layer->close();
    db.endUndoGroup();
    ASSERT_EQ(styleId(L"RENAMED"), standard);
    ASSERT_FALSE(styleId(L"STANDARD").isValid());
    ASSERT_NE(saved(db), original);

    ASSERT_EQ(db.undoLastGroup(), Acad::eOk);
    EXPECT_EQ(saved(db), original);
    EXPECT_EQ(styleId(L"STANDARD"), standard);
    EXPECT_FALSE(styleId(L"RENAMED").isValid());
    ASSERT_EQ(acdbOpenObject(style, standard, AcDb::kForRead), Acad::eOk);
    const ACHAR* font = nullptr;
    style->fileName(font);
    EXPECT_STRNE(font, L"hebrew2.shx");
    style->close();
}

INSTANTIATE_TEST_SUITE_P(All, Undo, ::testing::ValuesIn(kSamples));
