#include "editors/text_dialog/completion_words.h"

namespace tarsil::editors {

namespace {

// No word lists: completion stays off.
class NoCompletionWords : public CompletionWords {
  public:
    bool Enabled() const override { return false; }
    int GetMatches(QListWidget*, const std::wstring&, int& height) override {
        height = 0;
        return 0;
    }
    void ShowSettings(const std::wstring&, QWidget*) override {}
};

}  // namespace

std::unique_ptr<CompletionWords> MakeCompletionWords(QWidget*) {
    return std::make_unique<NoCompletionWords>();
}

}  // namespace tarsil::editors
