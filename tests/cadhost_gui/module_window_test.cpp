// The module in the window: its splash over the frame, TSTT on texts
// picked with the mouse opening its editor modal to the window, and its
// double-click handler reached by a double-click in the view.  Pictures
// of the window and the editor are left in the build folder.
#include <QDialog>
#include <QDir>
#include <QTextEdit>

#include "cadhost/editor/prompt_context.h"
#include "cadhost/editor/selection.h"
#include "cadhost/lisp/lisp.h"
#include "cadhost/rx/dynlinker.h"
#include "tests/cadhost_gui/window_fixture.h"
#include "tests/fonts/test_support.h"
#include "tests/module/host_fixture.h"
#include "tests/module/qt_application.h"

namespace {
const auto* const kQt = ::testing::AddGlobalTestEnvironment(new tarsil::testing::QtApplication);

class ModuleWindowTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        tarsil::testing::InstallModule(TARSIL_MODULE_FILE, folder_.path());
        // Style 2: the module's own double-click handler on texts.
        tarsil::WriteBytes(folder_ / "tarsil.ini",
                           "[General]\r\nDdeditStyle=2\r\n[Completion]\r\nFile=OFF\r\n"
                           "Drawing=OFF\r\n");
        const std::string sample = std::string(TARSIL_SOURCE_DIR) + "/samples/hebrew_r2000.dxf";
        ASSERT_NE(acDocManagerPtr()->openDocument(sample), nullptr);
        ASSERT_TRUE(acrxDynamicLinker->loadModule(module().c_str(), false));
        cadhost::runLispQueue();
    }
    void TearDown() override {
        acrxDynamicLinker->unloadModule(module().c_str(), false);
        WindowTest::TearDown();
    }
    std::wstring module() const { return (folder_ / "tarsil2.arx").wstring(); }
    // The middle of a text as the view draws it.
    QPointF middleOf(const wchar_t* handle) const {
        return view()->scene()->boundsOf(cadhost::entityByHandle(handle)).center();
    }
    void clickText(const wchar_t* handle) {
        const QPointF at = middleOf(handle);
        click(at.x(), at.y());
    }
    static void save(QWidget* widget, const QString& name) {
        const QString folder = QStringLiteral(TARSIL_BINARY_DIR "/cadhost_gui_shots");
        QDir().mkpath(folder);
        EXPECT_TRUE(widget->grab().save(folder + "/" + name)) << name.toStdString();
    }
    tarsil::TempFolder folder_;
};

TEST_F(ModuleWindowTest, TsttOnTextsPickedInTheViewOpensItsEditorModalToTheWindow) {
    // The splash came up over the window when the module loaded.
    const auto splashes = tarsil::testing::SplashWindows();
    ASSERT_EQ(splashes.size(), 1u);
    EXPECT_TRUE(splashes[0]->isVisible());
    EXPECT_TRUE(window->geometry().contains(splashes[0]->geometry().center()));

    QWidget* editor = nullptr;
    QWidget* editorParent = nullptr;
    QString editorText;
    atCommandPrompts({[&] {
        save(window.get(), QStringLiteral("window_hebrew_r2000.png"));
        typeLine(QStringLiteral("TSTT"));
        // At its selection prompt: two texts clicked, then Enter.
        whenWaiting([&] {
            EXPECT_EQ(cadhost::currentPrompt().kind, cadhost::PromptKind::Selection);
            clickText(L"3C");
            whenWaiting([&] {
                clickText(L"44");
                whenWaiting([&] {
                    QTimer::singleShot(0, [&] {
                        editor = QApplication::activeModalWidget();
                        if (editor == nullptr) return;
                        editorParent = editor->parentWidget();
                        auto* text = editor->findChild<QTextEdit*>(QStringLiteral("control1107"));
                        if (text != nullptr) editorText = text->toPlainText();
                        save(editor, QStringLiteral("tstt_from_window.png"));
                        qobject_cast<QDialog*>(editor)->reject();
                    });
                    click(0, 0, Qt::RightButton);
                });
            });
        });
    }});
    ASSERT_NE(editor, nullptr) << "no editor came up";
    EXPECT_EQ(editorParent, window.get()) << "the host frame is the editor's parent";
    EXPECT_TRUE(printed(L"1 found, 2 total"));
    // Both texts, as the user reads them (logical Hebrew letters).
    EXPECT_TRUE(editorText.contains(QString::fromUtf8("שלום"))) << editorText.toStdString();
    EXPECT_TRUE(editorText.contains(QString::fromUtf8("אבג"))) << editorText.toStdString();
}

TEST_F(ModuleWindowTest, ADoubleClickOnATextReachesTheModulesHandler) {
    // The handler takes the text for write and clears the pick-first set
    // that the double-click's first click made.
    bool picked = false;
    atCommandPrompts({[&] {
        const QPoint at = pixelOf(middleOf(L"3C").x(), middleOf(L"3C").y());
        QTest::mouseClick(view(), Qt::LeftButton, {}, at);
        picked =
            cadhost::pickfirstIds() == std::vector<AcDbObjectId>{cadhost::entityByHandle(L"3C")};
        QTest::mousePress(view(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(view(), Qt::LeftButton, {}, at);
    }});
    EXPECT_TRUE(picked);
    EXPECT_TRUE(printed(L"DBLCLICK 3C"));
    EXPECT_TRUE(cadhost::pickfirstIds().empty()) << "the module's handler cleared it";
}

}  // namespace
