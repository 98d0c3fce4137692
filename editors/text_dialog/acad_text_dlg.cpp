// Building the dialog, loading the lines, the undo group, OK and Cancel.
#include "editors/text_dialog/acad_text_dlg.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <cmath>

#include "editors/completion/completion_popup.h"
#include "editors/language/input_language.h"
#include "editors/richedit/language_buttons.h"
#include "editors/richedit/rich_edit_heb.h"
#include "editors/text_dialog/completion_words.h"
#include "editors/text_dialog/spacing_icon.h"
#include "editors/text_dialog/text_dialog_ids.h"
#include "editors/text_dialog/up_down.h"
#include "editors/text_dialog/value_text.h"
#include "host/layer/undo_group.h"
#include "host/text_lines/text_entity_access.h"
#include "toolkit/control_id/control_id.h"

namespace tarsil::editors {

namespace ids = text_dialog;

namespace {

// The justification list; an item's index is the text's alignment value.
constexpr const char* kJustificationNames[] = {
    "Left",         "Center",      "Right",      "Aligned",      "Middle",
    "Fit",          "TopLeft",     "TopCenter",  "TopRight",     "MiddleLeft",
    "MiddleCenter", "MiddleRight", "BottomLeft", "BottomCenter", "BottomRight"};

template <class T>
T* Control(T* widget, int id, QRect place) {
    toolkit::SetControlId(widget, id);
    widget->setGeometry(place);
    return widget;
}

QLabel* Label(QWidget* parent, const QString& text, QRect place) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

constexpr int kButtonWidth = 72;
constexpr int kButtonHeight = 22;

}  // namespace

CAcadTextDlg::CAcadTextDlg(QWidget* parent)
    : QDialog(parent), lines_(std::make_unique<TextLines>(std::vector<CTextProperties>{})) {
    setWindowTitle(QStringLiteral("Multy line Text editor"));
    CreateControls();
    words_ = MakeCompletionWords(this);
    CreateCompletion();
    resize(640, 300);
    setMinimumSize(640, 140);
}

CAcadTextDlg::~CAcadTextDlg() {
    // The user's own language again for whatever comes after the editor.
    InputLanguage::Instance().ActivateLayout(kEnglishLayout);
}

void CAcadTextDlg::SetRecords(std::vector<CTextProperties> records) {
    lines_ = std::make_unique<TextLines>(std::move(records));
}

void CAcadTextDlg::CreateControls() {
    const int top = 5, h = 23;
    style_list_ = Control(new QComboBox(this), ids::kStyleList, {4, top, 112, h});
    justification_list_ = Control(new QComboBox(this), ids::kJustificationList, {120, top, 104, h});
    Label(this, QStringLiteral("H"), {226, top, 14, h});
    height_ = Control(new QLineEdit(this), ids::kHeight, {240, top, 56, h});
    height_up_down_ = Control(new CUpDown(this), ids::kHeightUpDown, {296, top, 16, h});
    Label(this, QStringLiteral(">"), {314, top, 14, h});
    rotation_ = Control(new QLineEdit(this), ids::kRotation, {328, top, 52, h});
    rotation_up_down_ = Control(new CUpDown(this), ids::kRotationUpDown, {380, top, 16, h});
    equal_spacing_ = Control(new QToolButton(this), ids::kEqualSpacing, {400, top, 26, h});
    line_distance_ = Control(new QLineEdit(this), ids::kLineDistance, {428, top, 56, h});
    line_distance_up_down_ =
        Control(new CUpDown(this), ids::kLineDistanceUpDown, {484, top, 16, h});
    completion_words_ = Control(new QPushButton(QStringLiteral("ABC"), this), ids::kCompletionWords,
                                {504, top, 38, h});
    const LanguageButtons language = CreateLanguageButtons(this);
    language.hebrew->setGeometry(546, top, 22, h);
    language.english->setGeometry(568, top, 22, h);
    undo_ = Control(new QPushButton(QStringLiteral("Undo"), this), ids::kUndo, {594, top, 42, h});
    for (int id : ids::kUnusedButtons) {
        auto* unused = Control(new QToolButton(this), id, {0, 0, 16, 16});
        unused->hide();
    }

    edit_ = new CRichEditCtrlHeb(this);
    toolkit::SetControlId(edit_, ids::kEdit);
    completion_list_ = Control(new QListWidget(this), ids::kCompletionList, {4, 33, 120, 60});
    completion_list_->setSortingEnabled(true);

    ok_ = Control(new QPushButton(QStringLiteral("OK"), this), ids::kOk, {});
    cancel_ = Control(new QPushButton(QStringLiteral("Cancel"), this), ids::kCancel, {});
    // Enter belongs to the edit and the value fields (which apply
    // themselves on it), never to OK: no button is a default one.
    for (QPushButton* button : {ok_, cancel_, completion_words_, undo_}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    line_distance_->setEnabled(false);
    line_distance_up_down_->setEnabled(false);

    connect(ok_, &QPushButton::clicked, this, &CAcadTextDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &CAcadTextDlg::reject);
    connect(undo_, &QPushButton::clicked, edit_, &QTextEdit::undo);
    connect(completion_words_, &QPushButton::clicked, this, &CAcadTextDlg::OnCompletionWords);
    connect(equal_spacing_, &QToolButton::clicked, this, &CAcadTextDlg::OnEqualSpacing);
    connect(height_, &QLineEdit::editingFinished, this, &CAcadTextDlg::ApplyHeight);
    connect(height_up_down_, &CUpDown::Delta, this, &CAcadTextDlg::StepHeight);
    connect(rotation_, &QLineEdit::editingFinished, this, &CAcadTextDlg::ApplyRotation);
    connect(rotation_up_down_, &CUpDown::Delta, this, &CAcadTextDlg::StepRotation);
    connect(line_distance_, &QLineEdit::editingFinished, this, &CAcadTextDlg::ApplyLineDistance);
    connect(line_distance_up_down_, &CUpDown::Delta, this, &CAcadTextDlg::StepLineDistance);
    connect(justification_list_, &QComboBox::activated, this, &CAcadTextDlg::OnJustification);
    connect(style_list_, &QComboBox::activated, this, &CAcadTextDlg::OnStyle);
    connect(edit_, &CRichEditCtrlHeb::FocusReceived, this, &CAcadTextDlg::OnEditFocus);
    connect(edit_, &CRichEditCtrlHeb::Changed, this, &CAcadTextDlg::OnEditChanged);
    connect(edit_, &CRichEditCtrlHeb::SelectionChanged, this,
            &CAcadTextDlg::OnEditSelectionChanged);
    connect(edit_, &CRichEditCtrlHeb::KeyEvent, this, &CAcadTextDlg::OnEditKey);
}

void CAcadTextDlg::showEvent(QShowEvent* event) {
    if (!initialised_) {
        initialised_ = true;
        InitDialog();
    }
    QDialog::showEvent(event);
    // The editor is for Hebrew: its layout is loaded and made active as the
    // window shows, as the language buttons say.
    InputLanguage::Instance().LoadKeyboardLayout(LayoutTextForm(kHebrewLayout), kLoadActivate);
}

void CAcadTextDlg::InitDialog() {
    edit_->SetEventMask(edit_->GetEventMask() | kSingleLineEditorEvents);
    for (const std::wstring& name : TextStyleNames()) {
        style_list_->addItem(QString::fromStdWString(name));
    }
    for (const char* name : kJustificationNames) {
        justification_list_->addItem(QString::fromLatin1(name));
    }
    LoadLines();
    equal_spacing_->setIcon(SpacingIcon());
    ShowLanguagePushed(this, true);
    ConnectLanguageButtons(this, [this] { return static_cast<QWidget*>(edit_); });
    edit_->SetOwner(this);
    host::BeginUndoGroup();
    edit_->setFocus(Qt::OtherFocusReason);
}

void CAcadTextDlg::LoadLines() {
    std::vector<std::wstring> lines;
    lines_->Load(lines);
    if (lines_->IsNewText()) {
        const CTextProperties& record = lines_->Records().front();
        edit_->SetSel(0, -1);
        SelectStyleByPrefix(record.styleName);
        justification_list_->setCurrentIndex(record.justification);
        height_->setText(HeightText(record.height));
        rotation_->setText(AngleText(record.rotation * 180.0 / M_PI));
        return;
    }
    edit_->SetRightToLeft(false);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        edit_->AppendRuns(lines[i]);
        if (i + 1 < lines.size()) edit_->ReplaceSel(L"\n", false);
    }
    edit_->SetSel(0, -1);
    edit_->SetRightToLeft(true);
}

void CAcadTextDlg::OnEditFocus() {
    if (!initialising_) return;
    initialising_ = false;
    // The caret at the end; the selection change that follows shows the
    // last line's values.
    edit_->SetSel(edit_->GetTextLength(), edit_->GetTextLength());
    OnEditSelectionChanged();
}

void CAcadTextDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int cx = width(), cy = height();
    edit_->setGeometry(QRect(QPoint(4, 33), QPoint(cx - 4 - 1, cy - 35 - 1)));
    const int buttonsTop = cy - 6 - kButtonHeight;
    ok_->setGeometry(cx / 2 - 4 - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight);
    cancel_->setGeometry(cx / 2 + 4, buttonsTop, kButtonWidth, kButtonHeight);
    // Keep the lines where they were scrolled to after the width changed.
    QScrollBar* bar = edit_->horizontalScrollBar();
    bar->setValue(bar->value());
    update();
}

void CAcadTextDlg::accept() {
    host::EndUndoGroup();
    QDialog::accept();
}

void CAcadTextDlg::reject() {
    host::EndUndoGroup();
    // An empty group is not a group to the host: taking back "the last
    // group" would then take back the user's previous command.
    if (lines_->Changed()) host::UndoLastGroup();
    QDialog::reject();
}

}  // namespace tarsil::editors
