// Word completion for the single-line and MText editors, and its dialog
// "Completion words settings".  Each editor dialog owns one object for its
// whole life: it holds the two word lists and the two switches, answers
// GetMatches while the user types, and is shown (the editors' "ABC" button)
// to edit words.ini and choose the sources.
//
// The words are engine text (Windows-layout letters); the dialog and the
// editors' list boxes show them through the widget edge.
#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace tarsil::editors {

// Control ids of the dialog.
inline constexpr int kCompletionWordsDialogId = 167;
inline constexpr int kWordsListId = 1106;
inline constexpr int kWordToAddId = 1004;
inline constexpr int kAddToFileId = 1066;
inline constexpr int kDeleteWordId = 1067;
inline constexpr int kGetFromFileId = 1099;
inline constexpr int kGetFromDrawingId = 1100;
inline constexpr int kOkId = 1;
inline constexpr int kCancelId = 2;

// A word matches when it begins with the typed word, character for
// character (case counts); the empty typed word matches every word.
bool WordMatches(const std::wstring& word, const std::wstring& typed);

class CCompletionWordDlg : public QDialog {
    Q_OBJECT

  public:
    // Where the words come from.  The defaults are the module's directory
    // (words.ini and tarsil.ini beside tarsil2.arx) and the working drawing.
    struct Sources {
        std::filesystem::path module_directory;
        std::function<std::vector<std::wstring>(const std::vector<std::wstring>& file_words)>
            drawing_words;
    };
    static Sources ModuleSources();

    // Reads the two switches from tarsil.ini and, for each one on, loads the
    // file words and collects the drawing words.
    explicit CCompletionWordDlg(QWidget* parent = nullptr);
    CCompletionWordDlg(Sources sources, QWidget* parent = nullptr);
    ~CCompletionWordDlg() override;

    bool FileSwitch() const { return file_switch_; }
    bool DrawingSwitch() const { return drawing_switch_; }
    const std::vector<std::wstring>& FileWords() const { return file_words_; }
    const std::vector<std::wstring>& DrawingWords() const { return drawing_words_; }
    std::filesystem::path WordListFile() const;
    std::filesystem::path SettingsFile() const;

    // Adds every match to list (file words, then drawing words, each list
    // only while its switch is on; a word in both lists is added twice).
    // Gives the widest match in the list's font, in pixels, and sets
    // *height_sum (if given) to the sum of their heights.  The caller
    // empties the list first.
    int GetMatches(QListWidget* list, const std::wstring& typed, int* height_sum) const;

    // The text the "ABC" button offers to add: the editor's selection.
    void SetWordToAdd(const std::wstring& word) { word_to_add_ = word; }

    // The dialog's controls, for the editors' tests and for scripting.
    QTableWidget* WordsList() const { return words_; }
    QLineEdit* WordToAddEdit() const { return word_edit_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* DeleteButton() const { return delete_; }
    QCheckBox* FileCheck() const { return from_file_; }
    QCheckBox* DrawingCheck() const { return from_drawing_; }

    // OK: writes words.ini if the rows changed (an unwritable file is told
    // and keeps the dialog open), then the switches if one was clicked.
    void accept() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildControls();
    void InitDialog();
    void OnAddToFile();
    void OnDelete();
    void LoadFileWords();
    void RefreshDrawingWords();
    std::vector<std::wstring> RowWords() const;

    Sources sources_;
    std::vector<std::wstring> file_words_;
    std::vector<std::wstring> drawing_words_;
    bool file_switch_ = true;
    bool drawing_switch_ = true;
    std::wstring word_to_add_;
    bool list_changed_ = false;
    bool switches_changed_ = false;

    QTableWidget* words_ = nullptr;
    QLineEdit* word_edit_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* delete_ = nullptr;
    QCheckBox* from_file_ = nullptr;
    QCheckBox* from_drawing_ = nullptr;
};

}  // namespace tarsil::editors
