// The Hebrew rich edit typed into with real key sequences on the offscreen
// platform: the layout that types each key, the direction every character
// keeps through editing, the language buttons and the notifications.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QVBoxLayout>

#include "editors/language/input_language.h"
#include "editors/language/keyboard_keys.h"
#include "editors/richedit/language_buttons.h"
#include "editors/richedit/rich_edit_heb.h"
#include "tests/module/qt_application.h"

namespace tarsil::editors {
namespace {

const auto* const kQt = ::testing::AddGlobalTestEnvironment(new tarsil::testing::QtApplication);

using Directions = std::vector<unsigned char>;

class RichEditTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InputLanguage::Instance().RestoreDefaults();
        auto* layout = new QVBoxLayout(&dialog_);
        edit_ = new CRichEditCtrlHeb(&dialog_);
        layout->addWidget(edit_);
        buttons_ = CreateLanguageButtons(&dialog_);
        layout->addWidget(buttons_.hebrew);
        layout->addWidget(buttons_.english);
        ConnectLanguageButtons(&dialog_, [this] { return edit_; });
        edit_->SetOwner(&dialog_);
        dialog_.show();
        dialog_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog_));
        edit_->setFocus();
    }
    void TearDown() override { InputLanguage::Instance().RestoreDefaults(); }

    std::pair<long, long> Sel() const {
        long start = 0, end = 0;
        edit_->GetSel(start, end);
        return {start, end};
    }
    Directions All() const { return edit_->GetCharDirections(0, edit_->GetTextLength()); }
    // The text shown and, for each character, whether it was typed as
    // Hebrew (h) or not (l): "שלום 1|hhhhhh".
    QString Typed() const {
        QString marks;
        for (unsigned char d : All())
            marks += d == kDirectionHebrew ? 'h' : d == kDirectionOther ? 'l' : '?';
        return edit_->toPlainText() + '|' + marks;
    }
    // Which button shows pushed: "ע", "E", "both" or "none".
    std::string Pushed() const {
        const bool hebrew = buttons_.hebrew->IsPushed();
        const bool english = buttons_.english->IsPushed();
        return hebrew && english ? "both" : hebrew ? "ע" : english ? "E" : "none";
    }

    QDialog dialog_;
    CRichEditCtrlHeb* edit_ = nullptr;
    LanguageButtons buttons_{};
};

TEST_F(RichEditTest, HebrewLayoutTypesHebrewLettersWithDigitsAndPunctuationBetween) {
    InputLanguage::Instance().ActivateLayout(kHebrewLayout);
    QTest::keyClicks(edit_, "akuo 12,5 (t)");
    // Everything typed while Hebrew was active is Hebrew, digits included.
    EXPECT_EQ(Typed(), QStringLiteral("שלום 12ת5 )א(|hhhhhhhhhhhhh"));
    EXPECT_EQ(edit_->GetWindowText(), L"\u00F9\u00EC\u00E5\u00ED 12\u00FA5 )\u00E0(");
}

TEST_F(RichEditTest, ButtonsAltShiftAndTheServiceSwitchAndTheButtonsFollow) {
    QTest::mouseClick(buttons_.hebrew, Qt::LeftButton);
    EXPECT_EQ(Pushed(), "ע");
    EXPECT_TRUE(edit_->hasFocus());
    QTest::keyClicks(edit_, "ab");
    QTest::mouseClick(buttons_.english, Qt::LeftButton);
    EXPECT_EQ(Pushed(), "E");
    QTest::keyClicks(edit_, "ab 7");
    QTest::keyClick(edit_, Qt::Key_Shift, Qt::AltModifier);
    EXPECT_EQ(Pushed(), "ע");
    QTest::keyClicks(edit_, "7");
    InputLanguage::Instance().ActivateLayout(kEnglishLayout);
    EXPECT_EQ(Pushed(), "E");
    QTest::keyClicks(edit_, "t");
    EXPECT_EQ(Typed(), QStringLiteral("שנab 77t|hhllllhl"));
    QTest::mouseClick(buttons_.hebrew, Qt::LeftButton);
    QTest::mouseClick(buttons_.hebrew, Qt::LeftButton);  // a second click keeps it pushed
    EXPECT_EQ(Pushed(), "ע");
    edit_->OnInputLangChange(0);
    edit_->OnInputLangChange(204);  // any non-zero character set shows "ע"
    EXPECT_EQ(Pushed(), "ע");
}

TEST_F(RichEditTest, WithoutOwnerOrWithoutAHebrewLayoutButtonsDoWhatTheyCan) {
    edit_->SetOwner(nullptr);
    InputLanguage::Instance().ActivateLayout(kHebrewLayout);
    EXPECT_EQ(Pushed(), "none");
    edit_->SetOwner(&dialog_);
    InputLanguage::Instance().ActivateLayout(kEnglishLayout);
    InputLanguage::Instance().SetInstalled(kHebrewLayout, false);
    QTest::mouseClick(buttons_.hebrew, Qt::LeftButton);
    EXPECT_EQ(Pushed(), "ע");  // shows what the user asked for
    EXPECT_EQ(InputLanguage::Instance().CurrentLayout(), kEnglishLayout);
    QTest::keyClicks(edit_, "t");
    EXPECT_EQ(Typed(), QStringLiteral("t|l"));
}

// The directions ride in the characters' formats, which the document
// keeps through deleting and undo by itself; cut and paste carry them in
// data of our own.
TEST_F(RichEditTest, DirectionsTravelThroughCutAndPaste) {
    InputLanguage::Instance().ActivateLayout(kHebrewLayout);
    QTest::keyClicks(edit_, "akuo 1");
    InputLanguage::Instance().ActivateLayout(kEnglishLayout);
    QTest::keyClicks(edit_, " CAD");
    ASSERT_EQ(Typed(), QStringLiteral("שלום 1 CAD|hhhhhhllll"));

    // Cut "ם 1 " and paste it at the end, in the English layout: the blank
    // and the digit typed as Hebrew stay Hebrew, the last blank does not.
    edit_->SetSel(3, 7);
    QTest::keyClick(edit_, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit_->toPlainText(), QStringLiteral("שלוCAD"));
    QTest::keyClick(edit_, Qt::Key_End);
    QTest::keyClick(edit_, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Typed(), QStringLiteral("שלוCADם 1 |hhhlllhhhl"));

    // Reading the directions leaves the selection where the user put it.
    edit_->SetSel(5, 2);
    EXPECT_EQ(edit_->GetCharDirections(1, 4), (Directions{2, 2, 1}));
    EXPECT_EQ(Sel(), std::make_pair(2L, 5L));
    EXPECT_EQ(edit_->textCursor().position(), 2);
}

TEST_F(RichEditTest, TextPastedFromElsewhereIsHebrewOnlyForHebrewLetters) {
    InputLanguage::Instance().ActivateLayout(kHebrewLayout);
    QApplication::clipboard()->setText(QStringLiteral("אב 12\r\nx"));
    QTest::keyClick(edit_, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit_->GetWindowText(), L"\u00E0\u00E1 12\r\nx");
    EXPECT_EQ(All(), (Directions{2, 2, 1, 1, 1, 1, 1}));
    EXPECT_EQ(edit_->GetLineCount(), 2);
}

// What the mask lets through and a key the dialog takes; the order in which
// the document reports its own edits is Qt's.
TEST_F(RichEditTest, KeyEventsCanBeTakenAwayAndChangesFollowSelectionChanges) {
    std::vector<std::string> told;
    QObject::connect(edit_, &CRichEditCtrlHeb::Changed, [&] { told.push_back("change"); });
    QObject::connect(edit_, &CRichEditCtrlHeb::SelectionChanged, [&](long start, long end) {
        told.push_back("sel " + std::to_string(start) + "-" + std::to_string(end));
    });
    QObject::connect(edit_, &CRichEditCtrlHeb::KeyEvent, [&](QKeyEvent* event, bool* handled) {
        if (event->type() == QEvent::KeyPress) told.push_back("key");
        *handled = event->key() == Qt::Key_Z;
    });

    QTest::keyClicks(edit_, "a");  // mask 0: nothing is told
    EXPECT_TRUE(told.empty());

    EXPECT_EQ(edit_->SetEventMask(kMTextEditorEvents), 0u);
    QTest::keyClicks(edit_, "b");
    EXPECT_EQ(told, std::vector<std::string>{"change"});

    told.clear();
    EXPECT_EQ(edit_->SetEventMask(kSingleLineEditorEvents), kMTextEditorEvents);
    QTest::keyClicks(edit_, "zc");  // z is taken by the dialog
    EXPECT_EQ(told, (std::vector<std::string>{"key", "key", "sel 3-3", "change"}));
    EXPECT_EQ(edit_->GetWindowText(), L"abc");
    told.clear();
    edit_->ReplaceSel(L"1\r\n2", true);  // the dialogs' own inserts are told the same way
    EXPECT_EQ(told, (std::vector<std::string>{"sel 6-6", "change"}));
}

TEST_F(RichEditTest, LinesAndTheirLengthsComeFromTheWindowText) {
    edit_->SetWindowText(L"abc\r\nd\u00E0\nxyz1\r");
    EXPECT_EQ(edit_->GetWindowText(), L"abc\r\nd\u00E0\r\nxyz1\r\n");
    EXPECT_EQ(edit_->GetLineCount(), 4);
    const long lengths[] = {3, 2, 4, 0, 0};
    const long starts[] = {0, 4, 7, 12, -1};
    for (int line = 0; line < 5; ++line) {
        EXPECT_EQ(edit_->GetLineLength(line), lengths[line]) << "line " << line;
        EXPECT_EQ(edit_->LineIndex(line), starts[line]) << "line " << line;
    }
    EXPECT_EQ(edit_->GetLineLength(-1), 0);
    EXPECT_EQ(edit_->LineFromChar(5), 1);
    EXPECT_EQ(edit_->GetTextRange(2, 6), L"c\nd\u00E0");
}

TEST(LayoutKeyFilter, AnyWidgetTypesHebrewAndTogglesWithAltShift) {
    InputLanguage::Instance().RestoreDefaults();
    QLineEdit line;
    LayoutKeyFilter filter;
    line.installEventFilter(&filter);
    QTest::keyClicks(&line, "t(");
    QTest::keyClick(&line, Qt::Key_Shift, Qt::AltModifier);
    EXPECT_TRUE(InputLanguage::Instance().HebrewActive());
    QTest::keyClicks(&line, "t(1");
    QTest::keyClick(&line, Qt::Key_A, Qt::ControlModifier);  // shortcuts keep their keys
    QTest::keyClicks(&line, "c");
    EXPECT_EQ(line.text(), QStringLiteral("ב"));
    line.undo();
    EXPECT_EQ(line.text(), QStringLiteral("t(א)1"));
    InputLanguage::Instance().RestoreDefaults();
}

TEST(SplitDigitRuns, DigitsAndEverythingElseAlternate) {
    using Runs = std::vector<std::wstring>;
    EXPECT_EQ(SplitDigitRuns(L""), Runs{});
    EXPECT_EQ(SplitDigitRuns(L"2024"), Runs{L"2024"});
    EXPECT_EQ(SplitDigitRuns(L"a1b"), (Runs{L"a", L"1", L"b"}));
    EXPECT_EQ(SplitDigitRuns(L"ab 123 cd.5"), (Runs{L"ab ", L"123", L" cd.", L"5"}));
}

TEST_F(RichEditTest, LoadedLikeTheDialogsLoadTextAndTypedRightToLeft) {
    edit_->SetWindowText(L"[]");
    edit_->SetRightToLeft(false);
    edit_->SetSel(1, 1);
    edit_->AppendRuns(L"");
    EXPECT_EQ(edit_->GetWindowText(), L"[]");
    edit_->AppendRuns(L"\u00F9\u00EC 123 ab");
    EXPECT_EQ(edit_->GetWindowText(), L"[\u00F9\u00EC 123 ab]");
    EXPECT_EQ(All(), (Directions{1, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_FALSE(edit_->document()->isUndoAvailable());
    edit_->SetSel(0, -1);
    edit_->SetRightToLeft(true);
    edit_->SetSel(11, 11);
    QTest::keyClick(edit_, Qt::Key_Return);
    QTest::keyClicks(edit_, "c");
    // Undoing what the user typed does not undo the loading or the direction.
    for (int i = 0; i < 5 && edit_->document()->isUndoAvailable(); ++i) edit_->undo();
    EXPECT_EQ(edit_->GetLineCount(), 1);
    EXPECT_EQ(edit_->GetLineLength(0), 11);
    EXPECT_EQ(edit_->document()->begin().blockFormat().layoutDirection(), Qt::RightToLeft);
}

TEST(MTextCodeRanges, TheScanOfTheFormattingCodes) {
    using Ranges = std::vector<TextRange>;
    struct Case {
        const wchar_t* text;
        Ranges hidden;
    } cases[] = {
        {L"{\\fswiss;word}", {{0, 1}, {1, 9}, {13, 14}}},  // brace, font code, brace
        {L"\\Lword\\l", {{0, 2}, {6, 8}}},                 // underline on and off
        {L"\\Oa\\o", {{0, 2}, {3, 5}}},
        {L"a\\\\b", {{1, 2}}},           // an escaped backslash
        {L"\\{x\\}", {{0, 1}, {3, 4}}},  // escaped braces show
        {L"\\fLucida;x", {}},            // closed at 'L': no code
        {L"\\fArOal;x", {}},             // closed at 'O'
        {L"\\H0.7x;text", {{0, 7}}},
        {L"\\fa{b}", {{3, 4}, {5, 6}}},  // a brace ends the code
        {L"\\fa\\C1;b", {{3, 7}}},       // a backslash starts another
        {L"ab\\fArial", {}},             // open at the end: shown
        {L"x\\", {}},                    // a last lone backslash
        {L"", {}},
        {L"plain ; text", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MTextCodeRanges(c.text), c.hidden) << ::testing::PrintToString(c.text);
    }
}

TEST_F(RichEditTest, HiddenCodesTakeNoRoomAndAreReadBackUnchanged) {
    const std::wstring text = L"{\\fswiss;\u00E0b}\\Lc\\l";
    edit_->SetWindowText(text);
    edit_->HideMTextCodes();
    EXPECT_EQ(edit_->GetWindowText(), text);
    EXPECT_FALSE(edit_->document()->isUndoAvailable());
    std::string hidden;
    for (long p = 0; p <= edit_->GetTextLength(); ++p) hidden += edit_->IsHidden(p) ? 'h' : '.';
    EXPECT_EQ(hidden, "hhhhhhhhh..hhh.hh.");
    // The first nine characters take no room: the caret stands at the same
    // place before and after them.
    QTextCursor cursor(edit_->document());
    const int before = edit_->cursorRect(cursor).x();
    cursor.setPosition(9);
    EXPECT_NEAR(edit_->cursorRect(cursor).x(), before, 1);
    // The arrows step over hidden codes: from the start, one step passes the
    // brace and the font code and then the first letter; a step ends beyond
    // the codes that follow it.
    const int forward = Qt::Key_Left;  // a right-to-left paragraph: left is forward
    edit_->SetSel(0, -1);
    edit_->SetRightToLeft(true);
    edit_->SetSel(0, 0);
    std::vector<int> stops;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(edit_, Qt::Key(forward));
        stops.push_back(edit_->textCursor().position());
    }
    EXPECT_EQ(stops, (std::vector<int>{10, 14, 17, 17}));
    QTest::keyClick(edit_, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Sel(), std::make_pair(11L, 17L));  // back over "c", "\\L", "}"
    // Typing after a code is not hidden.
    edit_->SetSel(17, 17);
    QTest::keyClicks(edit_, "d");
    EXPECT_FALSE(edit_->IsHidden(17));
    EXPECT_EQ(edit_->GetWindowText(), text + L"d");
}

}  // namespace
}  // namespace tarsil::editors
