// Where the single-line editor's completion words come from: the word
// list file and the drawing's texts, and the dialog in which the user
// keeps them.
#pragma once

#include <memory>
#include <string>

class QListWidget;
class QWidget;

namespace tarsil::editors {

class CompletionWords {
  public:
    virtual ~CompletionWords() = default;
    // Whether either source of words is switched on.
    virtual bool Enabled() const = 0;
    // Adds every word that begins with typed to the list; gives the widest
    // word's width and, in height, the sum of their heights, in pixels.
    virtual int GetMatches(QListWidget* list, const std::wstring& typed, int& height) = 0;
    // The settings dialog, with the word to add filled in.
    virtual void ShowSettings(const std::wstring& wordToAdd, QWidget* parent) = 0;
};

// The words of the module's word list and drawing, as the settings say.
std::unique_ptr<CompletionWords> MakeCompletionWords(QWidget* dialog);

}  // namespace tarsil::editors
