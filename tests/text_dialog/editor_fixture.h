// The built module loaded into a host that has a window, with a sample
// drawing open: commands are run on the host's command line and the
// editor they open is driven from a timer inside its modal loop.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <map>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/editor/input.h"
#include "cadhost/editor/selection.h"
#include "cadhost/editor/windows.h"
#include "cadhost/lisp/lisp.h"
#include "cadhost/rx/dynlinker.h"
#include "tests/fonts/test_support.h"
#include "tests/module/host_fixture.h"
#include "tests/module/qt_application.h"
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
    static std::string Settings(int style) {
        return "[General]\r\nDdeditStyle=" + std::to_string(style) +
               "\r\n[Completion]\r\nFile=OFF\r\nDrawing=OFF\r\n";
    }
    std::wstring ModuleFile() const { return (folder_ / "tarsil2.arx").wstring(); }
    static std::string SamplePath() {
        return std::string(TARSIL_SOURCE_DIR) + "/samples/hebrew_r2000.dxf";
    }
    static AcDbObjectId Id(const wchar_t* handle) { return cadhost::entityByHandle(handle); }

    // Runs the command line; drive gets the editor once it is up and must
    // close it.  Answers are queued for the command's prompts first.
    void RunEditor(const std::wstring& command, std::vector<std::wstring> answers,
                   const std::function<void(QDialog*)>& drive) {
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
        EXPECT_TRUE(driven) << "no editor came up";
    }
    // TSTT on the texts, in this order.
    void Edit(std::initializer_list<const wchar_t*> handles,
              const std::function<void(QDialog*)>& drive) {
        std::vector<std::wstring> answers(handles.begin(), handles.end());
        answers.emplace_back(L"");
        RunEditor(L"TSTT", answers, drive);
    }
    static void Ok(QDialog* dialog) {
        QTest::mouseClick(ControlOf<QPushButton>(dialog, 1), Qt::LeftButton);
    }
    static void Cancel(QDialog* dialog) {
        QTest::mouseClick(ControlOf<QPushButton>(dialog, 2), Qt::LeftButton);
    }
    // Puts the caret at the start of a line (0 based) of the edit.
    static void CaretToLine(QTextEdit* edit, int line, bool end = false) {
        QTextCursor cursor(edit->document()->findBlockByNumber(line));
        if (end) cursor.movePosition(QTextCursor::EndOfBlock);
        edit->setTextCursor(cursor);
    }

    // Saves the drawing through the host and gives the file's path.
    std::filesystem::path Save(const std::string& name = "saved.dxf") {
        const std::filesystem::path path = folder_ / name;
        cadhost::runCommandLine(L"SAVEAS " + path.wstring());
        return path;
    }

    TempFolder folder_;
    QWidget frame_;
};

// What a command prints on standard output.
inline std::string Output(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
    return out;
}

// One text of a saved drawing as dxftool lists it.
struct ListedText {
    std::string style;
    std::string stored;  // bytes, escapes undone
};

// The TEXT (or type) entities of a saved drawing by handle, read by dxftool.
inline std::map<std::string, ListedText> ListTexts(const std::filesystem::path& dxf,
                                                   const std::string& type = "TEXT") {
    std::map<std::string, ListedText> texts;
    const std::string listing = Output(std::string(DXFTOOL) + " list '" + dxf.string() + "'");
    std::size_t pos = 0;
    while (pos < listing.size()) {
        std::size_t end = listing.find('\n', pos);
        if (end == std::string::npos) end = listing.size();
        std::vector<std::string> fields;
        std::size_t start = pos;
        for (int i = 0; i < 5; ++i) {
            const std::size_t tab = listing.find('\t', start);
            if (tab == std::string::npos || tab > end) break;
            fields.push_back(listing.substr(start, tab - start));
            start = tab + 1;
        }
        if (fields.size() == 5 && fields[1] == type) {
            std::string raw = listing.substr(start, end - start), bytes;
            for (std::size_t i = 0; i < raw.size(); ++i) {
                if (raw[i] == '\\' && i + 3 < raw.size() + 0 && raw[i + 1] == 'x') {
                    bytes += static_cast<char>(std::stoi(raw.substr(i + 2, 2), nullptr, 16));
                    i += 3;
                } else {
                    bytes += raw[i];
                }
            }
            texts[fields[0]] = {fields[3], bytes};
        }
        pos = end + 1;
    }
    return texts;
}

// Stored bytes of a font type decoded to logical text by tarsiltext, as
// one character per byte (the Windows layout's letters 0xE0..0xFA).
inline std::wstring Decoded(const std::string& stored, int fontType, const TempFolder& folder) {
    const std::filesystem::path input = folder / "stored.txt";
    WriteBytes(input, stored + "\n");
    std::string out = Output(std::string(TARSILTEXT) + " decode --font-type " +
                             std::to_string(fontType) + " < '" + input.string() + "'");
    if (!out.empty() && out.back() == '\n') out.pop_back();
    std::wstring wide;
    for (unsigned char c : out) wide += static_cast<wchar_t>(c);
    return wide;
}

}  // namespace tarsil::testing
