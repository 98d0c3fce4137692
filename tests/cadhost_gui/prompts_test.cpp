// Prompts answered in the window: typed on the command line, clicked in the
// view, cancelled; the nested event loop they wait in.
#include "cadhost/editor/prompts.h"

#include <QPlainTextEdit>
#include <cmath>
#include <cwchar>

#include "cadhost/editor/ucs.h"
#include "tests/cadhost_gui/window_fixture.h"
#include "tests/module/qt_application.h"

namespace {
// One application for the whole binary (every file of it shares it).
// One application for the whole binary; the other files share it.
const auto* const kQt = ::testing::AddGlobalTestEnvironment(new tarsil::testing::QtApplication);

using PromptWindowTest = WindowTest;

TEST_F(PromptWindowTest, ALineTypedOnTheCommandLineAnswersTheWaitingPrompt) {
    addLine(0, 0, 100, 50);
    bool timerRan = false;
    whenWaiting([&] {
        // The window stays live while the prompt waits: timers run, the
        // input has the focus.
        timerRan = true;
        EXPECT_TRUE(window->pump()->waiting());
        EXPECT_EQ(QApplication::focusWidget(), input());
        EXPECT_EQ(window->commandLine()->prompt(), QStringLiteral("Start: "));
        typeLine(QStringLiteral("12.5,-3"));
    });
    ads_point p;
    ASSERT_EQ(acedGetPoint(nullptr, L"Start: ", p), RTNORM);
    EXPECT_TRUE(timerRan);
    EXPECT_EQ(p[0], 12.5);
    EXPECT_EQ(p[1], -3);
    EXPECT_FALSE(window->pump()->waiting());
    // The answered prompt went up into the history with its answer.
    EXPECT_TRUE(window->commandLine()->history()->toPlainText().endsWith("Start: 12.5,-3"));
    EXPECT_TRUE(input()->text().isEmpty());
}

TEST_F(PromptWindowTest, AWrongAnswerIsAskedAgainAndTheNextLineIsTaken) {
    whenWaiting([&] {
        typeLine(QStringLiteral("nowhere"));
        whenWaiting([&] { typeLine(QStringLiteral("1,2")); });
    });
    ads_point p;
    ASSERT_EQ(acedGetPoint(nullptr, L"Point: ", p), RTNORM);
    EXPECT_EQ(p[0], 1);
    EXPECT_TRUE(printed(L"Point or option keyword required."));
}

TEST_F(PromptWindowTest, TypedAndClickedPointsGiveTheSameResult) {
    addLine(-50, -50, 50, 50);
    // A turned and moved user system: the click must come back in it.
    cadhost::Ucs ucs;
    ucs.origin[0] = 4;
    ucs.origin[1] = -2;
    ucs.angle = M_PI / 6;
    cadhost::setCurrentUcs(ucs);
    const double wx = 7.5, wy = 3.25;  // drawn on a whole pixel below
    const double dx = wx - 4, dy = wy + 2;
    const double ux = dx * std::cos(M_PI / 6) + dy * std::sin(M_PI / 6);
    const double uy = -dx * std::sin(M_PI / 6) + dy * std::cos(M_PI / 6);

    ads_point typed;
    whenWaiting([&] { typeLine(QString::asprintf("%.17g,%.17g", ux, uy)); });
    ASSERT_EQ(acedGetPoint(nullptr, L"Point: ", typed), RTNORM);

    ads_point clicked;
    whenWaiting([&] {
        auto& t = view()->transform();
        t.pixelsPerUnit = 4;
        t.center = QPointF(wx, wy) + QPointF(100, -75) / 4.0;
        EXPECT_EQ(view()->transform().toScreen(QPointF(wx, wy)),
                  QPointF(view()->width() / 2.0 - 100, view()->height() / 2.0 - 75));
        click(wx, wy);
    });
    ASSERT_EQ(acedGetPoint(nullptr, L"Point: ", clicked), RTNORM);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(clicked[i], typed[i], 1e-9) << "axis " << i;
    // Shown on the command line as the coordinates it stands for.
    const auto echo = out.rfind(L"Point: ");
    ASSERT_NE(echo, std::wstring::npos);
    wchar_t* rest = nullptr;
    const double shownX = std::wcstod(out.c_str() + echo + 7, &rest);
    ASSERT_EQ(*rest, L',');
    EXPECT_EQ(shownX, clicked[0]);
    EXPECT_EQ(std::wcstod(rest + 1, nullptr), clicked[1]);
}

TEST_F(PromptWindowTest, EscapeCancelsAndRightClickIsEnter) {
    addLine(0, 0, 10, 10);
    ads_point p;
    whenWaiting([&] { QTest::keyClick(input(), Qt::Key_Escape); });
    EXPECT_EQ(acedGetPoint(nullptr, L"Point: ", p), RTCAN);
    EXPECT_TRUE(printed(L"*Cancel*"));

    whenWaiting([&] { QTest::keyClick(view(), Qt::Key_Escape); });
    EXPECT_EQ(acedGetPoint(nullptr, L"Point: ", p), RTCAN) << "Escape over the drawing too";

    whenWaiting([&] { click(5, 5, Qt::RightButton); });
    EXPECT_EQ(acedGetPoint(nullptr, L"Point: ", p), RTNONE);

    // A click at a prompt for a string is no answer; the typed line is.
    ACHAR text[64];
    whenWaiting([&] {
        click(5, 5);
        EXPECT_TRUE(window->pump()->waiting());
        EXPECT_EQ(window->pump()->pending(), 0u);
        typeLine(QStringLiteral("words"));
    });
    ASSERT_EQ(acedGetString(1, L"Text: ", text, 64), RTNORM);
    EXPECT_EQ(std::wstring(text), L"words");
}

TEST_F(PromptWindowTest, KeysTypedOverTheDrawingGoToTheCommandLine) {
    addLine(0, 0, 10, 10);
    ACHAR text[64];
    whenWaiting([&] {
        view()->setFocus();
        QTest::keyClicks(view(), QStringLiteral("abc"));
        EXPECT_EQ(input()->text(), QStringLiteral("abc"));
        QTest::keyClick(input(), Qt::Key_Return);
    });
    ASSERT_EQ(acedGetString(1, L"Text: ", text, 64), RTNORM);
    EXPECT_EQ(std::wstring(text), L"abc");
}

TEST_F(PromptWindowTest, ScriptLinesComeOnePerPromptAfterWhatWasTyped) {
    window->pump()->addScriptLine("(+ 40 2)");
    window->pump()->addScriptLine("UNKNOWNCMD");
    window->pump()->post("(* 2 3)");
    // Once the script is out, the loop waits for the user: closing the
    // input ends it.
    int prompts = 0;
    QObject::connect(window->pump(), &cadhost::gui::PromptPump::waitingForAnswer, [&] {
        if (++prompts == 3) window->pump()->close();
    });
    cadhost::runCommandLoop();
    const auto six = out.find(L"6\n"), fortyTwo = out.find(L"42\n");
    ASSERT_NE(six, std::wstring::npos) << std::string(out.begin(), out.end());
    ASSERT_NE(fortyTwo, std::wstring::npos);
    EXPECT_LT(six, fortyTwo) << "the typed answer first";
    EXPECT_TRUE(printed(L"Command: UNKNOWNCMD"));
    EXPECT_EQ(prompts, 3) << "one wait per script line, then the user";
    // Closed input: every later prompt gets none.
    ads_point p;
    EXPECT_EQ(acedGetPoint(nullptr, L"Point: ", p), RTCAN);
}

TEST_F(PromptWindowTest, CommandLineOutputKeepsTheUnfinishedLineAsThePrompt) {
    cadhost::gui::CommandLine line;
    line.appendOutput(QStringLiteral("one\ntwo"));
    EXPECT_EQ(line.history()->toPlainText(), QStringLiteral("one"));
    EXPECT_EQ(line.prompt(), QStringLiteral("two"));
    line.appendOutput(QStringLiteral(" more\nCommand: "));
    EXPECT_EQ(line.history()->toPlainText(), QStringLiteral("one\ntwo more"));
    EXPECT_EQ(line.prompt(), QStringLiteral("Command: "));
    line.appendOutput(QStringLiteral("\n\n"));
    EXPECT_EQ(line.history()->toPlainText(), QStringLiteral("one\ntwo more\nCommand: \n"));
    EXPECT_TRUE(line.prompt().isEmpty());
}

}  // namespace
