// TSTA without the dialog: what it selects, and that "CMDECHO", "OSMODE"
// and the current directory are changed only while the editor is open and
// put back on every way out.
#include "host/commands/tsta/tsta_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "cadhost/editor/input.h"
#include "fonts/wh_config.h"
#include "host/entity_ops/multi_text.h"
#include "host/layer/system_variables.h"
#include "tests/fonts/test_support.h"
#include "tests/text_lines/sample_fixture.h"

namespace multiline_test {
namespace {

namespace fs = std::filesystem;

long VarOf(const wchar_t* name) {
    const auto value = cadhost::getVar(name);
    return value ? value->integer : -1;
}

// What the editor saw when it was opened.
struct Opened {
    std::vector<std::wstring> tags;
    bool attributeMode = false;
    long cmdecho = -1, osmode = -1;
    fs::path directory;
};

class TstaTest : public tarsil::testing::SampleTest {
  protected:
    void SetUp() override {
        SampleTest::SetUp();
        tarsil::CWhConfig::Instance().SetModuleFile(module_ / "tarsil2.arx", nullptr);
        start_ = fs::current_path();
        ASSERT_TRUE(cadhost::setVarInternal(L"CMDECHO", cadhost::VarValue::ofShort(1)));
        ASSERT_TRUE(cadhost::setVarInternal(L"OSMODE", cadhost::VarValue::ofShort(37)));
        previous_ = tarsil::SetAttributeEditorOpener([this](const wchar_t*) {
            Opened seen;
            tarsil::MultiText* rows = tarsil::MultiText::Current();
            if (rows != nullptr) {
                seen.tags = rows->Tags();
                seen.attributeMode = rows->IsAttributeMode();
            }
            seen.cmdecho = VarOf(L"CMDECHO");
            seen.osmode = VarOf(L"OSMODE");
            seen.directory = fs::current_path();
            opened_ = seen;
        });
    }
    void TearDown() override {
        tarsil::SetAttributeEditorOpener(previous_);
        tarsil::host::SetSystemVariableReader(nullptr);
        fs::current_path(start_);
        tarsil::CWhConfig::DestroyInstance();
        SampleTest::TearDown();
    }
    void Run(const std::vector<std::wstring>& answers) {
        for (const std::wstring& answer : answers) cadhost::pushInput(answer);
        cmdecho_ = VarOf(L"CMDECHO");
        osmode_ = VarOf(L"OSMODE");
        tarsil::RunTsta();
    }
    void ExpectPutBack() {
        EXPECT_EQ(VarOf(L"CMDECHO"), cmdecho_);
        EXPECT_EQ(VarOf(L"OSMODE"), osmode_);
        EXPECT_NE(osmode_, 0) << "a value that the command changes";
        EXPECT_EQ(fs::current_path(), start_);
    }

    tarsil::TempFolder module_;
    fs::path start_;
    std::optional<Opened> opened_;
    long cmdecho_ = -1, osmode_ = -1;
    tarsil::AttributeEditorOpener previous_;
};

TEST_F(TstaTest, TheBlocksAttributesOpenWithEchoAndSnapsOffInTheModulesFolder) {
    Run({L"52"});
    ASSERT_TRUE(opened_.has_value());
    EXPECT_EQ(opened_->tags, (std::vector<std::wstring>{L"NAME", L"NUMBER"}));
    EXPECT_TRUE(opened_->attributeMode);
    EXPECT_EQ(opened_->cmdecho, 0);
    EXPECT_EQ(opened_->osmode, 0);
    EXPECT_EQ(fs::canonical(opened_->directory), fs::canonical(module_.path()));
    ExpectPutBack();
    EXPECT_EQ(tarsil::MultiText::Current(), nullptr) << "the collection lives for the command";
}

// The variable whose reading fails (none when empty); every other one is read.
std::wstring refused;
int Refuse(const wchar_t* name, resbuf* value) {
    return name == refused ? RTERROR : acedGetVar(name, value);
}

// What the selection takes is the collection's business; here, selections
// that take nothing, and a failed read of either variable, which is
// alerted and ends the command before anything is asked.
TEST_F(TstaTest, NoEditorWithoutASelectionOrWhenAVariableCantBeRead) {
    tarsil::host::SetSystemVariableReader(Refuse);
    const struct {
        std::wstring refused;
        std::vector<std::wstring> answers;
        std::vector<std::wstring> alerts;
    } cases[] = {
        {L"", {L"ESC"}, {}},
        {L"", {L"36", L""}, {}},  // a text is not a block reference
        {L"CMDECHO", {L"52"}, {L"\"CMDECHO\" failed"}},
        {L"OSMODE", {L"52"}, {L"\"OSMODE\" failed"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.refused + c.answers.front()));
        refused = c.refused;
        alerts.clear();
        out.clear();
        Run(c.answers);
        EXPECT_EQ(alerts, c.alerts);
        EXPECT_FALSE(opened_.has_value());
        EXPECT_EQ(out.find(L"Select block") == std::wstring::npos, !c.alerts.empty());
        ExpectPutBack();
        cadhost::clearInput();
    }
}

}  // namespace
}  // namespace multiline_test
