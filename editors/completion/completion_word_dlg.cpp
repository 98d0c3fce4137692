#include "editors/completion/completion_word_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editors/completion/drawing_words.h"
#include "editors/completion/word_list_file.h"
#include "editors/language/keyboard_keys.h"
#include "editors/language/widget_edge.h"
#include "fonts/module_locator.h"
#include "fonts/notify.h"
#include "fonts/settings/completion_switches.h"
#include "fonts/wh_config.h"
#include "toolkit/control_id/control_id.h"

namespace tarsil::editors {

bool WordMatches(const std::wstring& word, const std::wstring& typed) {
    return word.starts_with(typed);
}

CCompletionWordDlg::Sources CCompletionWordDlg::ModuleSources() {
    return {LocateLoadedModule(CWhConfig::kModuleFileName).path.parent_path(),
            [](const std::vector<std::wstring>& file_words) {
                return CollectDrawingWords(file_words);
            }};
}

CCompletionWordDlg::CCompletionWordDlg(QWidget* parent)
    : CCompletionWordDlg(ModuleSources(), parent) {}

CCompletionWordDlg::CCompletionWordDlg(Sources sources, QWidget* parent)
    : QDialog(parent), sources_(std::move(sources)) {
    BuildControls();
    file_switch_ = ReadCompletionSwitch(SettingsFile(), kCompletionFileKey);
    if (file_switch_) LoadFileWords();
    drawing_switch_ = ReadCompletionSwitch(SettingsFile(), kCompletionDrawingKey);
    if (drawing_switch_) RefreshDrawingWords();
}

CCompletionWordDlg::~CCompletionWordDlg() = default;

std::filesystem::path CCompletionWordDlg::WordListFile() const {
    return sources_.module_directory / kWordListFileName;
}

std::filesystem::path CCompletionWordDlg::SettingsFile() const {
    return sources_.module_directory / CWhConfig::kSettingsFileName;
}

void CCompletionWordDlg::LoadFileWords() {
    file_words_ = ReadWordList(WordListFile());
}

void CCompletionWordDlg::RefreshDrawingWords() {
    drawing_words_ =
        sources_.drawing_words ? sources_.drawing_words(file_words_) : std::vector<std::wstring>();
}

int CCompletionWordDlg::GetMatches(QListWidget* list, const std::wstring& typed,
                                   int* height_sum) const {
    int widest = 0;
    int heights = 0;
    auto offer = [&](const std::vector<std::wstring>& words) {
        const QFontMetrics metrics = list->fontMetrics();
        for (const std::wstring& word : words) {
            if (!WordMatches(word, typed)) continue;
            const QString shown = ToWidgetText(word);
            list->addItem(shown);
            widest = std::max(widest, metrics.horizontalAdvance(shown));
            heights += metrics.height();
        }
    };
    if (list != nullptr) {
        if (file_switch_) offer(file_words_);
        if (drawing_switch_) offer(drawing_words_);
    }
    if (height_sum != nullptr) *height_sum = heights;
    return widest;
}

// ---- the dialog ----

void CCompletionWordDlg::BuildControls() {
    setWindowTitle(QStringLiteral("Completion words settings"));
    toolkit::SetControlId(this, kCompletionWordsDialogId);

    words_ = new QTableWidget(0, 1, this);
    words_->setHorizontalHeaderLabels({QStringLiteral("Words from file")});
    words_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    words_->verticalHeader()->hide();
    words_->setShowGrid(true);
    words_->setSelectionBehavior(QAbstractItemView::SelectRows);
    words_->setSelectionMode(QAbstractItemView::SingleSelection);
    words_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    words_->setLayoutDirection(Qt::RightToLeft);
    word_edit_ = new QLineEdit(this);
    // Words are typed in the user's layout, Hebrew from a Latin keyboard too.
    word_edit_->installEventFilter(new LayoutKeyFilter(word_edit_));
    add_ = new QPushButton(QStringLiteral("<< Add to file"), this);
    delete_ = new QPushButton(QStringLiteral("Delete  >>"), this);
    auto* sources = new QGroupBox(QStringLiteral("Completion words"), this);
    from_file_ = new QCheckBox(QStringLiteral("        Get from file"), sources);
    from_drawing_ = new QCheckBox(QStringLiteral("Get from drawing"), sources);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);

    toolkit::SetControlId(words_, kWordsListId);
    toolkit::SetControlId(word_edit_, kWordToAddId);
    toolkit::SetControlId(add_, kAddToFileId);
    toolkit::SetControlId(delete_, kDeleteWordId);
    toolkit::SetControlId(from_file_, kGetFromFileId);
    toolkit::SetControlId(from_drawing_, kGetFromDrawingId);
    toolkit::SetControlId(ok, kOkId);
    toolkit::SetControlId(cancel, kCancelId);

    auto* checks = new QVBoxLayout(sources);
    checks->addWidget(from_file_);
    checks->addWidget(from_drawing_);
    auto* side = new QVBoxLayout;
    side->addWidget(word_edit_);
    side->addWidget(add_);
    side->addWidget(delete_);
    side->addStretch(1);
    side->addWidget(sources);
    auto* grid = new QGridLayout(this);
    grid->addWidget(words_, 0, 0);
    grid->addLayout(side, 0, 1);
    grid->addWidget(buttons, 1, 0, 1, 2);

    connect(word_edit_, &QLineEdit::textChanged, this,
            [this](const QString& text) { add_->setEnabled(!text.isEmpty()); });
    connect(add_, &QPushButton::clicked, this, &CCompletionWordDlg::OnAddToFile);
    connect(delete_, &QPushButton::clicked, this, &CCompletionWordDlg::OnDelete);
    auto enable_delete = [this] { delete_->setEnabled(!words_->selectedItems().isEmpty()); };
    connect(words_, &QTableWidget::cellClicked, this, enable_delete);
    connect(words_, &QTableWidget::cellActivated, this, [this] { delete_->setEnabled(true); });
    connect(from_file_, &QCheckBox::clicked, this, [this] { switches_changed_ = true; });
    connect(from_drawing_, &QCheckBox::clicked, this, [this] { switches_changed_ = true; });
    connect(buttons, &QDialogButtonBox::accepted, this, &CCompletionWordDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCompletionWordDlg::reject);
    resize(420, 300);
}

void CCompletionWordDlg::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) InitDialog();
    QDialog::showEvent(event);
}

void CCompletionWordDlg::InitDialog() {
    // With the file switch off the file words are not loaded; the rows still
    // show the file, so that adding a word never writes the others away.
    const std::vector<std::wstring> rows =
        file_switch_ ? file_words_ : ReadWordList(WordListFile());
    words_->clearSelection();
    words_->setRowCount(0);
    for (const std::wstring& word : rows) {
        const int row = words_->rowCount();
        words_->insertRow(row);
        words_->setItem(row, 0, new QTableWidgetItem(ToWidgetText(word)));
    }
    word_edit_->setText(ToWidgetText(word_to_add_));
    add_->setEnabled(!word_edit_->text().isEmpty());
    delete_->setEnabled(false);
    from_file_->setChecked(file_switch_);
    from_drawing_->setChecked(drawing_switch_);
    list_changed_ = false;
    switches_changed_ = false;
}

std::vector<std::wstring> CCompletionWordDlg::RowWords() const {
    std::vector<std::wstring> words;
    for (int row = 0; row < words_->rowCount(); ++row) {
        words.push_back(FromWidgetText(words_->item(row, 0)->text()));
    }
    return words;
}

void CCompletionWordDlg::OnAddToFile() {
    const QString typed = word_edit_->text();
    if (typed.isEmpty()) return;
    const QString word = typed.trimmed();
    if (word.isEmpty()) return;  // blanks alone are no word
    for (int row = 0; row < words_->rowCount(); ++row) {
        if (words_->item(row, 0)->text() != word) continue;
        ShowAlert(L"Text: " + word.toStdWString() + L" already saved.");
        // By cell: selectRow finds no cell in a right-to-left table.
        words_->setCurrentCell(row, 0,
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        words_->scrollToItem(words_->item(row, 0));
        words_->setFocus();
        return;
    }
    const int row = words_->rowCount();
    words_->insertRow(row);
    words_->setItem(row, 0, new QTableWidgetItem(word));
    words_->scrollToItem(words_->item(row, 0));
    words_->setFocus();
    list_changed_ = true;
}

void CCompletionWordDlg::OnDelete() {
    const QList<QTableWidgetItem*> selected = words_->selectedItems();
    if (selected.isEmpty()) return;
    int first = selected.front()->row();
    for (const QTableWidgetItem* item : selected) first = std::min(first, item->row());
    words_->removeRow(first);
    delete_->setEnabled(false);
    list_changed_ = true;
}

void CCompletionWordDlg::accept() {
    if (list_changed_) {
        const std::vector<std::wstring> rows = RowWords();
        if (!WriteWordList(WordListFile(), rows)) {
            // The old file is untouched and the rows stay for another try.
            ShowAlert(L"Can not open file: " + WordListFile().wstring());
            return;
        }
        file_words_ = rows;
        list_changed_ = false;
    }
    if (switches_changed_) {
        const std::filesystem::path settings = SettingsFile();
        file_switch_ = from_file_->isChecked();
        if (file_switch_) {
            if (file_words_.empty()) LoadFileWords();
        } else {
            file_words_.clear();
        }
        WriteCompletionSwitch(settings, kCompletionFileKey, file_switch_);
        drawing_switch_ = from_drawing_->isChecked();
        if (drawing_switch_) {
            RefreshDrawingWords();
        } else {
            drawing_words_.clear();
        }
        WriteCompletionSwitch(settings, kCompletionDrawingKey, drawing_switch_);
        switches_changed_ = false;
    }
    QDialog::accept();
}

}  // namespace tarsil::editors
