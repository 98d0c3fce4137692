#include "editors/text_dialog/completion_words.h"

#include "editors/completion/completion_word_dlg.h"

namespace tarsil::editors {

namespace {

// The module's word list and the drawing's words, held by the settings
// dialog that the editor owns for its whole life.
class ModuleCompletionWords : public CompletionWords {
  public:
    explicit ModuleCompletionWords(QWidget* editor) : dialog_(new CCompletionWordDlg(editor)) {}

    bool Enabled() const override { return dialog_->FileSwitch() || dialog_->DrawingSwitch(); }
    int GetMatches(QListWidget* list, const std::wstring& typed, int& height) override {
        return dialog_->GetMatches(list, typed, &height);
    }
    void ShowSettings(const std::wstring& wordToAdd, QWidget*) override {
        dialog_->SetWordToAdd(wordToAdd);
        dialog_->exec();
    }

  private:
    CCompletionWordDlg* dialog_;  // a child of the editor
};

}  // namespace

std::unique_ptr<CompletionWords> MakeCompletionWords(QWidget* dialog) {
    return std::make_unique<ModuleCompletionWords>(dialog);
}

}  // namespace tarsil::editors
