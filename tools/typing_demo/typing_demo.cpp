// The Hebrew rich edit by itself, for trying out typing without a drawing:
//   typing_demo                      a window: type, press "ע" / "E" or Alt+Shift
//   typing_demo --screenshot FILE    fill it with a sample line, save a picture, quit
//   typing_demo --completion-shot FILE   the same for the completion words dialog
// Below the edit the window shows the active layout, the text as the engine
// keeps it (Windows-layout bytes, shown as hexadecimal where not ASCII) and
// the direction of every character (2 typed as Hebrew, 1 otherwise).
#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <cstdio>
#include <string>

#include "editors/completion/completion_word_dlg.h"
#include "editors/completion/word_list_file.h"
#include "editors/language/input_language.h"
#include "editors/richedit/language_buttons.h"
#include "editors/richedit/rich_edit_heb.h"

namespace {

using tarsil::editors::CRichEditCtrlHeb;
using tarsil::editors::InputLanguage;

QString EngineBytes(const std::wstring& text) {
    QString shown;
    for (const wchar_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            shown += QChar(static_cast<char16_t>(c));
        } else {
            shown += QStringLiteral("<%1>").arg(static_cast<unsigned>(c), 2, 16, QChar(u'0'));
        }
    }
    return shown;
}

QString Directions(const std::vector<unsigned char>& directions) {
    QString shown;
    for (const unsigned char d : directions) shown += QChar(u'0' + d);
    return shown;
}

}  // namespace

// The completion words dialog on a word list of its own, pictured.
int CompletionShot(const QString& file) {
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    tarsil::editors::WriteWordList(folder / tarsil::editors::kWordListFileName,
                                   {L"\u00F9\u00F8\u00E8\u00E5\u00E8", L"\u00EE\u00F1\u00F4\u00F8",
                                    L"AutoCAD", L"\u00F7\u00E5\u00EE\u00E4 3"});
    tarsil::editors::CCompletionWordDlg dialog({folder, nullptr});
    dialog.SetWordToAdd(L"\u00E7\u00E3\u00F9");
    dialog.show();
    QApplication::processEvents();
    return dialog.grab().save(file) ? 0 : 1;
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qsizetype completion = args.indexOf(QStringLiteral("--completion-shot"));
    if (completion > 0 && completion + 1 < args.size())
        return CompletionShot(args.at(completion + 1));
    const qsizetype shot = args.indexOf(QStringLiteral("--screenshot"));

    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Hebrew typing"));
    auto* edit = new CRichEditCtrlHeb(&dialog);
    edit->setMinimumSize(460, 90);
    QFont font = edit->font();
    font.setPointSize(14);
    edit->setFont(font);
    const tarsil::editors::LanguageButtons buttons =
        tarsil::editors::CreateLanguageButtons(&dialog);
    buttons.hebrew->setFixedWidth(36);
    buttons.english->setFixedWidth(36);
    auto* layout_label = new QLabel(&dialog);
    auto* engine_label = new QLabel(&dialog);
    auto* mask_label = new QLabel(&dialog);
    for (QLabel* label : {engine_label, mask_label}) {
        label->setFont(QFont(QStringLiteral("DejaVu Sans Mono"), 9));
        label->setWordWrap(true);
    }

    auto* row = new QHBoxLayout;
    row->addWidget(layout_label, 1);
    row->addWidget(buttons.hebrew);
    row->addWidget(buttons.english);
    auto* column = new QVBoxLayout(&dialog);
    column->addWidget(edit);
    column->addLayout(row);
    column->addWidget(engine_label);
    column->addWidget(mask_label);

    auto refresh = [&] {
        const bool hebrew = InputLanguage::Instance().HebrewActive();
        layout_label->setText(hebrew ? QStringLiteral("Layout 0000040D (Hebrew)")
                                     : QStringLiteral("Layout 00000409 (English)"));
        engine_label->setText(QStringLiteral("engine: ") + EngineBytes(edit->GetWindowText()));
        mask_label->setText(QStringLiteral("directions: ") +
                            Directions(edit->GetCharDirections(0, edit->GetTextLength())));
    };
    edit->SetEventMask(tarsil::editors::kSingleLineEditorEvents);
    QObject::connect(edit, &CRichEditCtrlHeb::Changed, &dialog, refresh);
    const InputLanguage::Subscription subscription =
        InputLanguage::Instance().Subscribe([&](int, tarsil::editors::LayoutId) { refresh(); });
    tarsil::editors::ConnectLanguageButtons(&dialog, [edit] { return edit; });

    // Loaded the way the editors load a text: left to right while inserting,
    // then every paragraph right to left.
    edit->SetRightToLeft(false);
    if (shot > 0) {
        // "Drawing 12 of the AutoCAD plan, floor 3" in the engine's letters.
        edit->AppendRuns(
            L"\u00F9\u00F8\u00E8\u00E5\u00E8 \u00EE\u00F1\u00F4\u00F8 12 "
            L"\u00F9\u00EC AutoCAD, \u00F7\u00E5\u00EE\u00E4 3 (\u00E7\u00E3\u00F9)");
    }
    edit->SetSel(0, -1);
    edit->SetRightToLeft(true);
    edit->SetSel(edit->GetTextLength(), edit->GetTextLength());
    edit->SetOwner(&dialog);
    InputLanguage::Instance().ActivateLayout(tarsil::editors::kHebrewLayout);
    tarsil::editors::ShowLanguagePushed(&dialog, true);
    refresh();

    if (shot > 0) {
        if (shot + 1 >= args.size()) {
            std::fprintf(stderr, "typing_demo: --screenshot needs a file name\n");
            return 2;
        }
        dialog.resize(520, 200);
        dialog.show();
        app.processEvents();
        return dialog.grab().save(args.at(shot + 1)) ? 0 : 1;
    }
    dialog.show();
    return app.exec();
}
