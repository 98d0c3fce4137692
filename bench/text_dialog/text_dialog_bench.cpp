// The single-line text editor holding 1,000 texts of the sample drawing's
// Hebrew style: how long it takes to load them into the editor, and how
// long one keystroke takes from the key to the text written in the drawing.
// Run on the offscreen platform:
//   QT_QPA_PLATFORM=offscreen build/bench/text_dialog/text_dialog_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <memory>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/db/acdb_all.h"
#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/host.h"
#include "editors/richedit/rich_edit_heb.h"
#include "editors/text_dialog/acad_text_dlg.h"
#include "fonts/font_map.h"

namespace {

constexpr int kTexts = 1000;

// The sample open and 1,000 texts added to it, one every 5 units down, in
// the style of its Hebrew Normal texts ("שלום עולם 12" stored for that font).
std::vector<tarsil::CTextProperties>& Records() {
    static std::vector<tarsil::CTextProperties> records;
    if (!records.empty()) return records;
    cadhost::initHost();
    cadhost::setCommandLineSink([](const std::wstring&) {});
    acDocManagerPtr()->openDocument(std::string(TARSIL_SOURCE_DIR) + "/samples/hebrew_r2000.dxf");
    tarsil::LoadFontMap(std::string(TARSIL_SOURCE_DIR) + "/resources/default.map",
                        tarsil::CurrentFontMap());
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbTextStyleTable* styles = nullptr;
    db->getTextStyleTable(styles, AcDb::kForRead);
    AcDbObjectId hebnorm;
    styles->getAt(L"HEBNORM", hebnorm);
    styles->close();
    AcDbBlockTableRecord* space = nullptr;
    acdbOpenObject(space, db->currentSpaceId(), AcDb::kForWrite);
    const std::wstring stored = L"12 \x8D\x8C\x85\x92 \x8D\x85\x8C\x99";
    for (int i = 0; i < kTexts; ++i) {
        auto* text = new AcDbText(AcGePoint3d(0, -5.0 * i, 0), stored.c_str(), hebnorm, 2.5, 0);
        AcDbObjectId id;
        space->appendAcDbEntity(id, text);
        text->close();
        tarsil::CTextProperties record;
        record.objectId = id;
        records.push_back(record);
    }
    space->close();
    return records;
}

std::unique_ptr<tarsil::CAcadTextDlg> OpenEditor() {
    auto dialog = std::make_unique<tarsil::CAcadTextDlg>();
    dialog->SetRecords(Records());
    dialog->show();
    return dialog;
}

void BM_LoadThousandTexts(benchmark::State& state) {
    Records();
    for (auto _ : state) {
        auto dialog = OpenEditor();
        benchmark::DoNotOptimize(dialog->Lines().Records().size());
        state.PauseTiming();
        dialog->reject();
        dialog.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadThousandTexts)->Unit(benchmark::kMillisecond);

// A Hebrew letter typed at the end of the middle line, then taken away again:
// each key rewrites that line's text in the drawing.
void BM_KeystrokeWithThousandTexts(benchmark::State& state) {
    auto dialog = OpenEditor();
    QTextEdit* edit = dialog->Edit();
    if (!QTest::qWaitForWindowActive(dialog.get())) state.SkipWithError("no active window");
    edit->setFocus();
    QTextCursor cursor(edit->document()->findBlockByNumber(kTexts / 2));
    cursor.movePosition(QTextCursor::EndOfBlock);
    edit->setTextCursor(cursor);
    for (auto _ : state) {
        QTest::keyClick(edit, Qt::Key_T);
        QTest::keyClick(edit, Qt::Key_Backspace);
    }
    state.SetItemsProcessed(2 * state.iterations());
    if (!dialog->Lines().Changed()) state.SkipWithError("the keys wrote nothing");
    dialog->reject();
}
BENCHMARK(BM_KeystrokeWithThousandTexts)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
