// The built module loaded into a host that has a window, with a sample
// drawing open: commands are run on the host's command line and the
// editor they open is driven from a timer inside its modal loop.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <functional>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/selection.h"
#include "cadhost/editor/windows.h"
#include "cadhost/lisp/lisp.h"
#include "cadhost/rx/dynlinker.h"
#include "tests/fonts/test_support.h"
#include "tests/module/host_fixture.h"
#include "tests/module/qt_application.h"
#include "tests/mtext_edit/independent_decode.h"
#include "tests/text_lines/sample_fixture.h"

namespace tarsil::testing {

// A control of the editor by its id.
template <class T>
T* ControlOf(QWidget* dialog, int id) {
    return dialog->findChild<T*>(QStringLiteral("control%1").arg(id));
}

inline QTextEdit* EditOf(QWidget* dialog) {
    return ControlOf<QTextEdit>(dialog, 1107);
}

class EditorTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        InstallModule(TARSIL_MODULE_FILE, folder_.path());
        WriteBytes(folder_ / "tarsil.ini", Settings(Style()));
        cadhost::setHostWindows(&frame_, &frame_);
        frame_.resize(800, 600);
        frame_.show();
        ASSERT_NE(acDocManagerPtr()->openDocument(SamplePath()), nullptr);
        ASSERT_TRUE(acrxDynamicLinker->loadModule(ModuleFile().c_str(), false));
        cadhost::runLispQueue();
        TakeOutput();
    }
    void TearDown() override {
        acrxDynamicLinker->unloadModule(ModuleFile().c_str(), false);
        HostTest::TearDown();
        cadhost::setHostWindows(nullptr, nullptr);
    }
    virtual int Style() const { return 0; }
    // The settings file: the style, and completion off unless a test wants it.
    static std::string Settings(int style, bool completion = false) {
        return "[General]\r\nDdeditStyle=" + std::to_string(style) +
               "\r\n[Completion]\r\nFile=" + (completion ? "ON" : "OFF") + "\r\nDrawing=OFF\r\n";
    }
    // Completion from the word list only, which holds שלום and שלושה (one
    // byte per letter as the drawing keeps them) and the extra lines.
    void CompleteFromWordList(const std::string& extra = "") {
        WriteBytes(folder_ / "words.ini", "\xF9\xEC\xE5\xED\r\n\xF9\xEC\xE5\xF9\xE4\r\n" + extra);
        WriteBytes(folder_ / "tarsil.ini", Settings(Style(), true));
    }
    std::wstring ModuleFile() const { return (folder_ / "tarsil2.arx").wstring(); }
    static AcDbObjectId Id(const wchar_t* handle) { return cadhost::entityByHandle(handle); }

    // Runs the command line; drive gets the editor once it is up and must
    // close it.  Answers are queued for the command's prompts first; an
    // editor must come up unless `opens` says otherwise.
    void RunEditor(const std::wstring& command, std::vector<std::wstring> answers,
                   const std::function<void(QDialog*)>& drive, bool opens = true) {
        for (const std::wstring& answer : answers) cadhost::pushInput(answer);
        bool driven = false;
        // A timer of this scope: when no editor comes up it dies here
        // instead of firing into the next test with this one's locals.
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            driven = dialog != nullptr;
            if (dialog == nullptr) return;
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
            drive(dialog);
            if (dialog->isVisible()) dialog->reject();
        });
        timer.start(0);
        cadhost::runCommandLine(command);
        EXPECT_EQ(driven, opens) << "an editor came up: " << driven;
        cadhost::clearInput();
    }
    // TSTT on the texts, in this order.
    void Edit(std::initializer_list<const wchar_t*> handles,
              const std::function<void(QDialog*)>& drive) {
        std::vector<std::wstring> answers(handles.begin(), handles.end());
        answers.emplace_back(L"");
        RunEditor(L"TSTT", answers, drive);
    }
    static void Click(QWidget* dialog, int id) {
        QWidget* control = ControlOf<QWidget>(dialog, id);
        ASSERT_NE(control, nullptr) << "no control " << id;
        QTest::mouseClick(control, Qt::LeftButton);
    }
    static void Ok(QDialog* dialog) { Click(dialog, 1); }
    static void Cancel(QDialog* dialog) { Click(dialog, 2); }
    // Puts the caret at the start of a line (0 based) of the edit.
    static void CaretToLine(QTextEdit* edit, int line, bool end = false) {
        QTextCursor cursor(edit->document()->findBlockByNumber(line));
        if (end) cursor.movePosition(QTextCursor::EndOfBlock);
        edit->setTextCursor(cursor);
    }
    // Replaces the whole of a line by typing.
    static void RetypeLine(QTextEdit* edit, int line, const QString& keys) {
        CaretToLine(edit, line);
        QTest::keyClick(edit, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClicks(edit, keys);
    }

    // With "של" typed the list offers two words: the arrows stop at its ends
    // and Enter takes the last word into the text instead of a line break.
    static void ChooseTheLastOfTwo(QTextEdit* edit, QListWidget* list) {
        const int lines = edit->document()->blockCount();
        ASSERT_TRUE(list->isVisible());
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->currentRow(), 0);
        QTest::keyClick(edit, Qt::Key_Up);
        EXPECT_EQ(list->currentRow(), 0);
        QTest::keyClick(edit, Qt::Key_Down);
        QTest::keyClick(edit, Qt::Key_Down);
        EXPECT_EQ(list->currentRow(), 1);
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_FALSE(list->isVisible());
        EXPECT_EQ(edit->document()->blockCount(), lines) << "Enter went to the list";
    }

    // Saves the drawing through the host and gives the file's path.
    std::filesystem::path Save() {
        const std::filesystem::path path = folder_ / "saved.dxf";
        cadhost::runCommandLine(L"SAVEAS " + path.wstring());
        return path;
    }

    TempFolder folder_;
    QWidget frame_;
};

}  // namespace tarsil::testing
