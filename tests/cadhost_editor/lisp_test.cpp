// The LISP reader and evaluator, typed expressions and the queue.
#include "cadhost/lisp/lisp.h"

#include "cadhost/editor/commandstack.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/lisp/value.h"
#include "host_fixture.h"

using cadhost::lisp::read;
using cadhost::lisp::Value;

TEST(LispReaderTest, ReadsAtomsListsAndQuotes) {
    const auto v = read(L"(setq a 1 b 2.5 c \"x\\\"y\") 'sym ; comment\n nil T");
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(cadhost::lisp::print(v[0]), L"(SETQ A 1 B 2.5 C \"x\\\"y\")");
    EXPECT_EQ(cadhost::lisp::print(v[1]), L"(QUOTE SYM)");
    EXPECT_TRUE(v[2].isNil());
    EXPECT_EQ(v[3].kind, Value::True);
}

TEST(LispReaderTest, MalformedInputIsAnError) {
    EXPECT_THROW(read(L"(setq a 1"), cadhost::lisp::LispError);
    EXPECT_THROW(read(L")"), cadhost::lisp::LispError);
    EXPECT_THROW(read(L"\"open"), cadhost::lisp::LispError);
    EXPECT_THROW(read(std::wstring(500, L'(')), cadhost::lisp::LispError);
}

class LispTest : public HostTest {};

TEST_F(LispTest, QueuedExpressionsRunWhenTheCommandLineIsIdle) {
    EXPECT_EQ(ads_queueexpr(L"(setq __cmdecho (getvar \"CMDECHO\")) (setvar \"CMDECHO\" 0)"),
              RTNORM);
    EXPECT_EQ(ads_queueexpr(L"(command \".undefine\" \"DDEDIT\")"), RTNORM);
    EXPECT_EQ(ads_queueexpr(L"(setvar \"CMDECHO\" __cmdecho)"), RTNORM);
    EXPECT_EQ(ads_queueexpr(L""), RTERROR);
    EXPECT_EQ(ads_queueexpr(nullptr), RTERROR);
    EXPECT_EQ(cadhost::lispVariable(L"__cmdecho"), L"nil") << "nothing runs before idle";
    run({});
    EXPECT_EQ(cadhost::lispVariable(L"__cmdecho"), L"1");
    EXPECT_EQ(cadhost::getVar(L"CMDECHO")->integer, 1);
    EXPECT_FALSE(printed(L"Enter command name")) << "CMDECHO 0 hides the command's prompts";
    EXPECT_TRUE(cadhost::findHostCommand(L"DDEDIT")->undefined) << "what UNDEFINE does is its own";
}

TEST_F(LispTest, DefunCommandsAndLocals) {
    run({L"(defun c:hello (/ x) (setq x 5) (princ \"hi\") (setq seen x))", L"HELLO",
         L"(defun twice (n) (* 2 n))", L"(twice 21)", L"(twice)"});
    EXPECT_TRUE(printed(L"hi"));
    EXPECT_EQ(cadhost::lispVariable(L"seen"), L"5");
    EXPECT_EQ(cadhost::lispVariable(L"x"), L"nil") << "locals are restored";
    EXPECT_TRUE(printed(L"(twice 21)\n42\n"));
    EXPECT_TRUE(printed(L"; error: too few arguments"));
}

// The forms that modules and users type, each with what it prints; the
// errors close the table.  Each is followed by a sum: the host goes on.
TEST_F(LispTest, FormsTheHostAccepts) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"(/ 7 2)", L"3"},
        {L"(/ 7 2.0)", L"3.5"},
        {L"(getvar \"CMDECHO\")", L"1"},
        {L"(getvar \"NOSUCH\")", L"nil"},
        {L"(getvar \"UCSXDIR\")", L"(1.0 0.0 0.0)"},
        {L"(setq s \"a\")", L"\"a\""},
        {L"(if (> 1 2) \"yes\" \"no\")", L"\"no\""},
        {L"(if nil 1)", L"nil"},
        {L"(if 0 (setq taken 1) (setq other 1))", L"1"},
        {L"(not nil)", L"T"},
        {L"(null (cdr (list 1)))", L"T"},
        {L"(null \"\")", L"nil"},
        {L"(car (list 1 \"b\" 3))", L"1"},
        {L"(cdr (list 1 \"b\" 3))", L"(\"b\" 3)"},
        {L"(car nil)", L"nil"},
        {L"(list 1 (list 2 3) 'x)", L"(1 (2 3) X)"},
        {L"(list)", L"nil"},
        {L"(strcat \"ab\" \"\" \"c\")", L"\"abc\""},
        {L"(progn (setq p 2) (* p 3))", L"6"},
        {L"(progn)", L"nil"},
        {L"(< 1 2 3)", L"T"},
        {L"(< 1 3 2)", L"nil"},
        {L"(> 3 2.5 1)", L"T"},
        {L"(= 2 2.0)", L"T"},
        {L"(/= 1 2)", L"T"},
        {L"(= \"a\" \"a\")", L"T"},
        {L"(< \"a\" \"b\")", L"T"},
        {L"(if)", L"; error: too few arguments"},
        {L"(if 1 2 3 4)", L"; error: too many arguments"},
        {L"(car 5)", L"; error: bad argument type: consp 5"},
        {L"(strcat \"a\" 1)", L"; error: bad argument type: stringp 1"},
        {L"(< 1 \"a\")", L"; error: bad argument type: numberp: \"a\""},
        {L"(nosuch 1)", L"; error: no function definition: NOSUCH"},
        {L"(/ 1 0)", L"; error: divide by zero"},
        {L"(setq", L"; error: malformed list on input"},
    };
    for (const auto& [form, expected] : cases) {
        out.clear();
        run({form, L"(+ 40 2)"});
        EXPECT_TRUE(printed(L"Command: " + std::wstring(form) + L"\n" + expected + L"\n"))
            << outUtf8();
        EXPECT_TRUE(printed(L"Command: (+ 40 2)\n42\n")) << outUtf8();
    }
    EXPECT_EQ(cadhost::lispVariable(L"taken"), L"1") << "0 is true";
    EXPECT_EQ(cadhost::lispVariable(L"other"), L"nil") << "only one branch runs";
}

TEST_F(LispTest, DefunOutsideAModuleMessageIsRefused) {
    EXPECT_EQ(acedDefun(L"C:X", 1), RTERROR);
    EXPECT_EQ(acedUndef(L"C:X", 1), RTERROR);
    EXPECT_EQ(acedGetFunCode(), RTERROR);
}
