// The configuration sheet driven as a user drives it, offscreen, in a host:
// what reaches the map file, tarsil.ini and the module.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <map>

#include "cadhost/editor/sysvars.h"
#include "fonts/config_dialog/cfg_font_recognition_page.h"
#include "fonts/config_dialog/cfg_general_page.h"
#include "fonts/config_dialog/config_messages.h"
#include "fonts/config_dialog/font_map_file_browser.h"
#include "fonts/config_dialog/font_mapper_buddy.h"
#include "fonts/config_dialog/font_mapper_ctrl.h"
#include "fonts/config_dialog/new_font_mapping_dlg.h"
#include "fonts/config_dialog/qt_paths.h"
#include "fonts/config_dialog/user_prompts.h"
#include "fonts/font_map.h"
#include "fonts/settings/settings.h"
#include "fonts/wh_config.h"
#include "tests/fonts/test_support.h"
#include "tests/module/host_fixture.h"
#include "tests/module/qt_application.h"
#include "tests/toolkit/qt_print.h"

namespace tarsil {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace {

const auto* const kQt = ::testing::AddGlobalTestEnvironment(new testing::QtApplication);

// Answers the sheet's file dialogs and questions from queues, and keeps
// what it was asked and told.  An empty queue answers Cancel or No.
class ScriptedPrompts : public UserPrompts {
  public:
    QString ChooseExistingFile(QWidget* parent, const FileDialogRequest& request) override {
        return ChooseExistingFiles(parent, request).value(0);
    }
    QStringList ChooseExistingFiles(QWidget*, const FileDialogRequest& request) override {
        requests.push_back(request);
        return files.isEmpty() ? QStringList() : files.takeFirst();
    }
    bool AskYesNo(QWidget*, const QString& question) override {
        asked << question;
        return !answers.isEmpty() && answers.takeFirst();
    }
    void Tell(QWidget*, const QString& message) override { told << message; }

    QList<QStringList> files;
    QList<bool> answers;
    std::vector<FileDialogRequest> requests;
    QStringList asked, told;
};

// Runs act on the first modal dialog of type T, once it shows.
template <class T>
void WhenShown(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        act(dialog);
    });
    timer->start(1);
}

void ClickButton(QDialog* dialog, QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}

constexpr char kHebrewFileName[] = "\xd7\x92\xd7\x95\xd7\xa4\xd7\x9f";  // gimel vav pe final nun

class ConfigSheet : public testing::HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        for (const fs::path& dir : {module_, support_, maps_}) fs::create_directory(dir);
        fs::copy_file(fs::path(TARSIL_SOURCE_DIR) / "resources/default.map",
                      module_ / "default.map");
        WriteBytes(module_ / "tarsil.ini", "[General]\r\nDdeditStyle=0\r\n");
        for (const std::string name : {"HEB7BACK.SHX", "david.shx", "romans.shx", "notes.txt"})
            WriteBytes(support_ / name, "");
        WriteBytes(support_ / (std::string(kHebrewFileName) + ".shx"), "");
        cadhost::setVarInternal(L"ACADPREFIX", cadhost::VarValue::ofString(support_.wstring()));
        CWhConfig::Instance().SetModuleFile(module_ / "tarsil2.arx", nullptr);
        ReadSettings({});
        previous_ = SetUserPrompts(&prompts_);
    }
    void TearDown() override {
        sheet_.reset();
        SetUserPrompts(previous_);
        CWhConfig::DestroyInstance();
        CurrentFontMap().clear();
        DefaultFontMap().clear();
        HostTest::TearDown();
    }

    // The sheet as TSCFG builds it, on its font map page; with map bytes,
    // on maps/a.map holding them.
    void Open(const std::string& map = {}) {
        if (!map.empty()) {
            WriteBytes(maps_ / "a.map", map);
            CWhConfig::Instance().SetCurrentFontMapPath(maps_ / "a.map");
        }
        sheet_ = std::make_unique<CTarsilProp>(nullptr);
        sheet_->AddPage(new CPpCfgGeneral(QStringLiteral("2,0,0,0")));
        page_ = new CPpCfgFontRecognition;
        sheet_->AddPage(page_);
        sheet_->SetActivePage(1);
        sheet_->resize(520, 420);
        sheet_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet_.get()));
        grid_ = page_->Grid();
    }

    // "name|type shown" per grid row.
    QStringList Rows() const {
        QStringList rows;
        for (int row = 0; row < grid_->RowCount(); ++row)
            rows << grid_->Text(row, 0) + "|" + grid_->Text(row, 1);
        return rows;
    }
    // A click on a row's name, or on its "..." button at the right end.
    void ClickName(int row, bool ellipsis = false) {
        const QRect cell = grid_->visualRect(grid_->model()->index(row, 0));
        QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {},
                          {ellipsis ? cell.right() - 4 : cell.center().x(), cell.center().y()});
    }
    void ChooseType(int row, const QString& type) {
        QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {},
                          grid_->visualRect(grid_->model()->index(row, 1)).center());
        auto* combo = qobject_cast<QComboBox*>(grid_->CellEditorWidget(row, 1));
        ASSERT_NE(combo, nullptr);
        QAbstractItemView* list = combo->view();
        const int at = combo->findText(type);
        ASSERT_GE(at, 0) << type.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(at, 0)).center());
    }
    void RunCommand(int command) { Click(page_->Buddy()->Button(command)); }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // Every file under the test's folder with its bytes.
    std::map<fs::path, std::string> Files() const {
        std::map<fs::path, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(folder_.path()))
            if (entry.is_regular_file()) files[entry.path()] = ReadBytes(entry.path());
        return files;
    }

    TempFolder folder_;
    fs::path module_ = folder_ / "module";
    fs::path support_ = folder_ / "support";
    fs::path maps_ = folder_ / "maps";
    ScriptedPrompts prompts_;
    UserPrompts* previous_ = nullptr;
    std::unique_ptr<CTarsilProp> sheet_;
    CPpCfgFontRecognition* page_ = nullptr;
    CFontMapperCtrl* grid_ = nullptr;
};

const std::string kMapA = "[Other]\r\nkeep=1\r\n[FontMapping]\r\nROMANS=2\r\nx=9\r\n";

}  // namespace

TEST_F(ConfigSheet, TheUsersChoicesReachTheFilesAndTheModuleAtOnce) {
    WriteBytes(maps_ / "a.map", kMapA);
    Open();

    prompts_.files.push_back({PathToQString(maps_ / "a.map")});
    Click(page_->PathField()->BrowseButton());
    EXPECT_EQ(prompts_.requests.back().start, PathToQString(module_ / "default.map"));
    EXPECT_EQ(page_->PathField()->Path(), PathToQString(maps_ / "a.map"));
    EXPECT_EQ(Rows(), (QStringList{"romans|Hebrew Backward", "x|Hebrew Normal"}));
    EXPECT_TRUE(sheet_->ApplyButton()->isEnabled());

    // Only font files of the support folders join, typed as the default map says.
    prompts_.answers = {true, true};
    RunCommand(CFontMapperBuddy::kAddMissing);
    const QString hebrew = QString::fromUtf8(kHebrewFileName);
    EXPECT_EQ(Rows(), (QStringList{"romans|Hebrew Backward", "x|Hebrew Normal",
                                   "heb7back|Hebrew 7 Bit Backward", "david|Hebrew Normal",
                                   hebrew + "|Hebrew Normal"}));
    ChooseType(2, "As is");
    ClickName(0);
    RunCommand(CFontMapperBuddy::kDeleteCurrent);
    EXPECT_EQ(grid_->SelectedRows(), std::vector<int>{0}) << "the next entry is selected";
    EXPECT_EQ(prompts_.asked, (QStringList{kAddMissingQuestion, kDeleteQuestion}));
    EXPECT_EQ(FindFontType(L"heb7back"), FontType::Hebrew7BitBackward) << "as the default map says";

    Click(sheet_->ApplyButton());
    EXPECT_FALSE(sheet_->ApplyButton()->isEnabled());
    // Type 9, which the list doesn't offer, stays as it was.
    EXPECT_EQ(ReadBytes(maps_ / "a.map"),
              "[Other]\r\nkeep=1\r\n[FontMapping]\r\nx=9\r\nheb7back=5\r\ndavid=0\r\n" +
                  std::string(kHebrewFileName) + "=0\r\n");
    EXPECT_EQ(ReadBytes(module_ / "tarsil.ini"),
              "[General]\r\nDdeditStyle=0\r\nFontMapFile=" + (maps_ / "a.map").string() + "\r\n");
    EXPECT_EQ(FindFontType(L"heb7back"), FontType::AsIs) << "the new map is in force at once";
    EXPECT_TRUE(alerts_.empty());

    const QString dir = QStringLiteral(TARSIL_BINARY_DIR "/tests/config_dialog/");
    ASSERT_TRUE(sheet_->grab().toImage().save(dir + "font_recognition.png"));
    sheet_->SetActivePage(0);
    ASSERT_TRUE(sheet_->grab().toImage().save(dir + "general.png"));
}

TEST_F(ConfigSheet, AReadOnlyMapIsReportedAndLosesNothing) {
    const fs::path read_only = maps_ / "shared.map";
    WriteBytes(read_only, kMapA);
    fs::permissions(read_only, fs::perms::owner_read | fs::perms::group_read);
    CWhConfig::Instance().SetCurrentFontMapPath(read_only);
    Open();
    EXPECT_THAT(output_, HasSubstr(L"Can't open font map file '" + read_only.wstring() + L"'\n"));
    EXPECT_EQ(grid_->RowCount(), 0);

    prompts_.files.push_back({PathToQString(support_ / "david.shx")});
    RunCommand(CFontMapperBuddy::kNewEntry);
    EXPECT_EQ(Rows(), QStringList{"david|Hebrew Normal"});
    Click(sheet_->ApplyButton());
    EXPECT_EQ(ReadBytes(read_only), kMapA);
    EXPECT_TRUE(sheet_->ApplyButton()->isEnabled()) << "the map was not written";
}

TEST_F(ConfigSheet, RefusedCommandsAndExitWithoutApplyChangeNoFile) {
    WriteBytes(maps_ / "a.map", kMapA);
    const auto before = Files();
    Open(kMapA);
    ChooseType(0, "d2w");
    prompts_.answers = {false, true};
    RunCommand(CFontMapperBuddy::kDeleteAll);  // answered No
    RunCommand(CFontMapperBuddy::kNewEntry);   // no file chosen
    EXPECT_EQ(Rows(), (QStringList{"romans|d2w", "x|Hebrew Normal"}));
    RunCommand(CFontMapperBuddy::kDeleteAll);
    RunCommand(CFontMapperBuddy::kDeleteCurrent);  // nothing left to delete
    EXPECT_EQ(grid_->RowCount(), 0);

    Click(sheet_->ExitButton());
    EXPECT_FALSE(sheet_->isVisible());
    EXPECT_EQ(sheet_->result(), QDialog::Rejected);
    EXPECT_EQ(Files(), before);
    EXPECT_EQ(FindFontType(L"heb7back"), FontType::Hebrew7BitBackward) << "the map in force";
}

TEST_F(ConfigSheet, NewFontMaps) {
    WriteBytes(maps_ / "a.map", kMapA);
    const std::string default_map = ReadBytes(module_ / "default.map");
    const fs::path default_path = module_ / "default.map";
    struct Case {
        const char* what;
        const char* name;
        const char* source;   // under the test's folder; "" for none
        const char* current;  // the current map afterwards
        const char* told = "";
        bool cancel = false;
    };
    // clang-format off
    const Case cases[] = {
        {"empty map in the module's folder", "fresh", "", "module/fresh.map"},
        {"a name with an extension keeps it", "notes.txt", "", "module/notes.txt"},
        {"copy beside its source", "copy", "maps/a.map", "maps/copy.map"},
        {"a source that can't be read", "broken", "maps/none.map", "module/default.map", kNewMapFailedMessage},
        {"a folder as source", "broken", "maps", "module/default.map", kNewMapFailedMessage},
        {"an empty name is refused", "", "", "module/default.map", kEmptyNewMapNameMessage},
        {"cancelled", "never", "maps/a.map", "module/default.map", "", true},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CWhConfig::Instance().SetCurrentFontMapPath(default_path);
        prompts_.told.clear();
        Open();
        ChooseType(0, "d2w");  // an unapplied change
        const QStringList rows = Rows();
        bool stayed_open = false;
        WhenShown<CNewFontMappingDlg>([&](CNewFontMappingDlg* dialog) {
            dialog->NameField()->setText(c.name);
            if (*c.source) {
                prompts_.files.push_back({PathToQString(folder_ / c.source)});
                Click(dialog->SourceField()->BrowseButton());
            }
            ClickButton(dialog, c.cancel ? QDialogButtonBox::Cancel : QDialogButtonBox::Ok);
            stayed_open = dialog->isVisible();
            if (stayed_open) dialog->reject();
        });
        Click(page_->NewMapButton());
        const fs::path current = folder_ / c.current;
        EXPECT_EQ(stayed_open, *c.name == 0);
        EXPECT_EQ(CWhConfig::Instance().GetCurrentFontMapPath(), current);
        EXPECT_EQ(page_->PathField()->Path(), PathToQString(current));
        EXPECT_EQ(prompts_.told, *c.told ? QStringList{c.told} : QStringList());
        // A copy holds its source, which is left as it was; a new empty map
        // is made empty.
        EXPECT_EQ(ReadBytes(maps_ / "a.map"), kMapA);
        EXPECT_EQ(ReadBytes(current), current == default_path ? default_map
                                      : *c.source             ? kMapA
                                                              : "");
        if (c.cancel || *c.name == 0) {
            EXPECT_EQ(Rows(), rows) << "the grid is as it was";
        }
    }
}

TEST_F(ConfigSheet, ARowsFileButtonRenamesItsFontButNeverToATakenName) {
    Open(kMapA);
    prompts_.files = {{"/elsewhere/X.shx"}, {}, {"/fonts/ZED.SHX"}};
    const QStringList rows{"romans|Hebrew Backward", "x|Hebrew Normal"};
    ClickName(0, true);  // chooses x, which has its row already
    EXPECT_EQ(prompts_.requests.back().start, "romans");
    EXPECT_EQ(prompts_.requests.back().filter, kFontFileFilter);
    EXPECT_EQ(grid_->SelectedRows(), std::vector<int>{1});
    ClickName(0, true);  // cancelled
    EXPECT_EQ(Rows(), rows);
    EXPECT_FALSE(sheet_->ApplyButton()->isEnabled()) << "nothing changed";

    ClickName(0, true);
    EXPECT_EQ(Rows(), (QStringList{"x|Hebrew Normal", "zed|Hebrew Backward"}));
    EXPECT_EQ(grid_->SelectedRows(), std::vector<int>{1});
    EXPECT_TRUE(sheet_->ApplyButton()->isEnabled());
}

TEST(QtPrompts, TheFileDialogStartsAtTheFileShownAndGivesTheOneChosen) {
    TempFolder folder;
    WriteBytes(folder / "a.map", "");
    WriteBytes(folder / "b.map", "");
    const FileDialogRequest request{PathToQString(folder / "a.map"), "*.map", kFontMapFilter};
    QtUserPrompts prompts;
    for (const bool choose : {true, false}) {
        WhenShown<QFileDialog>([&](QFileDialog* dialog) {
            EXPECT_EQ(dialog->nameFilters(),
                      (QStringList{"Tarsil font map files(*.map)", "All files (*.*)"}));
            EXPECT_EQ(dialog->directory().absolutePath(), PathToQString(folder.path()));
            EXPECT_EQ(dialog->defaultSuffix(), "map");
            dialog->selectFile(PathToQString(folder / "b.map"));
            // Accepting validates the chosen file as the Open button does.
            choose ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
        });
        EXPECT_EQ(prompts.ChooseExistingFile(nullptr, request),
                  choose ? PathToQString(folder / "b.map") : QString());
    }
}

}  // namespace tarsil
