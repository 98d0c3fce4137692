// The multi-line text editor on the rows of a collection made in the test,
// in a host with the sample drawing open, driven with QTest.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "editors/language/input_language.h"
#include "editors/multiline_dlg/whtn_dlg.h"
#include "editors/multiline_dlg/whtn_dlg_ids.h"
#include "editors/visual_edit/ug_multi_edit.h"
#include "host/entity_ops/multi_text.h"
#include "tests/module/qt_application.h"
#include "tests/text_lines/sample_fixture.h"
#include "toolkit/control_id/control_id.h"
#include "toolkit/grid/grid.h"
#include "toolkit/image_button/image_check_button.h"
#include "toolkit/status_bar/pane_status_bar.h"

namespace multiline_test {

namespace ml = tarsil::editors::multiline;
using tarsil::toolkit::CImageCheckButton;
using tarsil::toolkit::FindControlAs;

// The block reference of the sample whose attributes read "חדר שינה" (NAME)
// and "חדר 12" (NUMBER), style HEBNORM.
inline constexpr wchar_t kRoomTag[] = L"52";

class DialogTest : public tarsil::testing::SampleTest {
  protected:
    void SetUp() override {
        SampleTest::SetUp();
        language.RestoreDefaults();
    }
    void TearDown() override {
        dialog.reset();
        rows.reset();
        language.RestoreDefaults();
        SampleTest::TearDown();
    }

    // The collection of the block reference's attributes, and the dialog on it.
    void OpenOnAttributes() {
        rows = std::make_unique<tarsil::MultiText>(true);
        ASSERT_TRUE(rows->LoadAttributes(Id(kRoomTag)));
        Show(true);
    }
    // The collection of texts, and the dialog on it outside attribute mode.
    void OpenOnTexts(const std::vector<AcDbObjectId>& texts) {
        rows = std::make_unique<tarsil::MultiText>(false);
        for (AcDbObjectId id : texts) ASSERT_TRUE(rows->AddText(id));
        Show(false);
    }
    void Show(bool attributeMode) {
        dialog = std::make_unique<tarsil::CWhtnDlg>(nullptr, attributeMode);
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }

    tarsil::toolkit::Grid* Grid() const { return dialog->GridControl(); }
    CImageCheckButton* Button(int id) const {
        return FindControlAs<CImageCheckButton>(dialog.get(), id);
    }
    QLineEdit* Field(int id) const { return FindControlAs<QLineEdit>(dialog.get(), id); }
    void Click(int id) const {
        QWidget* control = tarsil::toolkit::FindControl(dialog.get(), id);
        ASSERT_NE(control, nullptr) << "no control " << id;
        QTest::mouseClick(control, Qt::LeftButton);
    }
    // Opens the cell's in-place editor; null when it did not open.
    tarsil::CUGMultiEdit* EditCell(int row) const {
        if (!Grid()->EditCell(row, 0)) return nullptr;
        return dialog->EditingControl();
    }
    // Which of the buttons are pressed, by id.
    std::vector<int> Pressed(std::initializer_list<int> ids) const {
        std::vector<int> pressed;
        for (int id : ids)
            if (Button(id)->IsPressed()) pressed.push_back(id);
        return pressed;
    }
    std::pair<QString, QString> Status() const {
        dialog->RunIdle();
        return {dialog->StatusBar()->PaneText(0), dialog->StatusBar()->PaneText(1)};
    }
    // A text in model space (Windows-layout logical text stored as is: the
    // font of TXTSTYLE is not Hebrew).
    AcDbObjectId AddText(const std::wstring& text, AcGePoint3d at, double height,
                         AcDb::TextHorzMode mode = AcDb::kTextLeft) {
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(Db()->getBlockTable(table, AcDb::kForRead), Acad::eOk);
        AcDbSymbolTableRecord* record = nullptr;
        EXPECT_EQ(table->getAt(ACDB_MODEL_SPACE, record, AcDb::kForWrite), Acad::eOk);
        table->close();
        auto* text_entity = new AcDbText(at, text.c_str(), AcDbObjectId(), height, 0.0);
        if (mode != AcDb::kTextLeft) {
            text_entity->setHorizontalMode(mode);
            text_entity->setAlignmentPoint(at);
        }
        AcDbObjectId id;
        EXPECT_EQ(static_cast<AcDbBlockTableRecord*>(record)->appendAcDbEntity(id, text_entity),
                  Acad::eOk);
        record->close();
        if (mode != AcDb::kTextLeft) text_entity->adjustAlignment(Db());
        text_entity->close();
        return id;
    }

    tarsil::editors::InputLanguage& language = tarsil::editors::InputLanguage::Instance();
    std::unique_ptr<tarsil::MultiText> rows;
    std::unique_ptr<tarsil::CWhtnDlg> dialog;
};

}  // namespace multiline_test
