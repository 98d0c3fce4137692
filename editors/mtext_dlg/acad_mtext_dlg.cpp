#include "editors/mtext_dlg/acad_mtext_dlg.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "editors/completion/completion_popup.h"
#include "editors/completion/completion_word_dlg.h"
#include "editors/language/input_language.h"
#include "editors/language/widget_edge.h"
#include "editors/richedit/language_buttons.h"
#include "editors/richedit/rich_edit_heb.h"
#include "host/layer/entity_host.h"
#include "host/mtext_edit/mtext_session.h"
#include "host/mtext_edit/text_styles.h"
#include "toolkit/control_id/control_id.h"
#include "toolkit/updown/up_down.h"
#include "toolkit/updown/value_edit.h"

namespace tarsil {

using namespace mtext_dlg;
using editors::CRichEditCtrlHeb;
using toolkit::CUpDown;
using toolkit::CValueEdit;
using toolkit::SetControlId;

namespace {

constexpr double kRadiansToDegrees = 180.0 / 3.14159265358979323846;

QString Widget(const std::wstring& s) {
    return editors::ToWidgetText(s);
}

constexpr int kCompletionListId = 1098;

// The MText editor completes Hebrew words only.
bool IsHebrewLetter(wchar_t c) {
    return editors::IsEngineLetter(static_cast<char32_t>(c));
}

// A label, an edit and its up-down in a row, at x on the second line.
CValueEdit* AddField(QWidget* parent, const char* caption, int x, int editId, int spinId,
                     CUpDown*& spin) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setGeometry(x, 32, 52, 20);
    auto* edit = new CValueEdit("%.2f", parent);
    SetControlId(edit, editId);
    edit->setGeometry(x + 54, 30, 60, 22);
    spin = new CUpDown(parent);
    SetControlId(spin, spinId);
    spin->setGeometry(x + 114, 30, 16, 22);
    return edit;
}

}  // namespace

CAcadMTextDlg::CAcadMTextDlg(QWidget* parent) : QDialog(parent) {
    BuildControls();
}

CAcadMTextDlg::~CAcadMTextDlg() {
    // The English layout again when the editor goes.
    editors::InputLanguage::Instance().ActivateLayout(editors::kEnglishLayout);
}

void CAcadMTextDlg::SetObject(AcDbObjectId mtext, const AcGePoint3d& insertion) {
    id_ = mtext;
    insertion_ = insertion;
}

void CAcadMTextDlg::BuildControls() {
    setWindowTitle(QStringLiteral("Tarsil MText editor"));
    edit_ = new CRichEditCtrlHeb(this);
    SetControlId(edit_, kEditId);

    style_ = new QComboBox(this);
    SetControlId(style_, kStyleId);
    style_->setGeometry(4, 4, 150, 22);
    attachment_ = new QComboBox(this);
    SetControlId(attachment_, kAttachmentId);
    attachment_->setGeometry(160, 4, 120, 22);
    for (const wchar_t* name : kAttachmentNames)
        attachment_->addItem(QString::fromWCharArray(name));

    auto* words = new QPushButton(QStringLiteral("ABC"), this);
    SetControlId(words, kWordsId);
    words->setGeometry(290, 4, 40, 22);
    const editors::LanguageButtons languages = editors::CreateLanguageButtons(this);
    languages.hebrew->setGeometry(336, 4, 26, 22);
    languages.english->setGeometry(364, 4, 26, 22);
    auto* undo = new QPushButton(QStringLiteral("Undo"), this);
    SetControlId(undo, kUndoId);
    undo->setGeometry(396, 4, 50, 22);

    height_ = AddField(this, "Size", 4, kHeightId, kHeightSpinId, heightSpin_);
    spacing_ = AddField(this, "Distance", 140, kSpacingId, kSpacingSpinId, spacingSpin_);
    angle_ = AddField(this, "Angle", 276, kAngleId, kAngleSpinId, angleSpin_);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    SetControlId(ok_, kOkId);
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    SetControlId(cancel_, kCancelId);

    words_ = std::make_unique<editors::CCompletionWordDlg>(this);
    auto* list = new QListWidget(this);
    SetControlId(list, kCompletionListId);
    completion_ = std::make_unique<editors::CompletionPopup>(
        edit_, list, IsHebrewLetter,
        [this](QListWidget* matches, const std::wstring& typed, int& height) {
            return words_->GetMatches(matches, typed, &height);
        });

    connect(ok_, &QPushButton::clicked, this, &CAcadMTextDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &CAcadMTextDlg::reject);
    connect(undo, &QPushButton::clicked, edit_, &QTextEdit::undo);
    connect(words, &QPushButton::clicked, this, &CAcadMTextDlg::OpenWords);
    connect(height_, &CValueEdit::ApplyRequested, this, &CAcadMTextDlg::ApplyHeight);
    connect(spacing_, &CValueEdit::ApplyRequested, this, &CAcadMTextDlg::ApplySpacing);
    connect(angle_, &CValueEdit::ApplyRequested, this, &CAcadMTextDlg::ApplyAngle);
    connect(heightSpin_, &CUpDown::DeltaPos, this, &CAcadMTextDlg::StepHeight);
    connect(spacingSpin_, &CUpDown::DeltaPos, this, &CAcadMTextDlg::StepSpacing);
    connect(angleSpin_, &CUpDown::DeltaPos, this, &CAcadMTextDlg::StepAngle);
    connect(edit_, &CRichEditCtrlHeb::Changed, this, &CAcadMTextDlg::OnTextChanged);
    connect(edit_, &CRichEditCtrlHeb::FocusReceived, this, [this] {
        if (!initialising_ || !initialised_) return;
        // The first focus ends the initialisation, with the caret at the end.
        initialising_ = false;
        edit_->SetSel(-1, -1);
        edit_->moveCursor(QTextCursor::End);
    });
    editors::ConnectLanguageButtons(this, [this]() -> QWidget* { return edit_; });
    edit_->installEventFilter(this);
    resize(560, 340);
}

void CAcadMTextDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!initialised_) Initialize();
}

void CAcadMTextDlg::Initialize() {
    initialised_ = true;
    edit_->SetEventMask(edit_->GetEventMask() | editors::kMTextEditorEvents);
    session_ = std::make_unique<MTextSession>(id_, insertion_);
    if (session_->Load() && session_->exists()) LoadText();

    // Lists and values: nothing they announce while filled is a user's choice.
    const std::wstring current = TextStyleName(session_->style());
    for (const std::wstring& name : TextStyleNames()) style_->addItem(Widget(name));
    const int at = style_->findText(Widget(current), Qt::MatchFixedString);
    if (at >= 0) style_->setCurrentIndex(at);
    attachment_->setCurrentIndex(session_->attachment() - 1);
    ShowValues();
    connect(style_, &QComboBox::currentIndexChanged, this, &CAcadMTextDlg::OnStyleChosen);
    connect(attachment_, &QComboBox::currentIndexChanged, this, &CAcadMTextDlg::OnAttachmentChosen);

    edit_->SetOwner(this);
    edit_->document()->clearUndoRedoStacks();
    session_->BeginUndo();
    edit_->setFocus(Qt::OtherFocusReason);
    if (edit_->hasFocus() && initialising_) {
        initialising_ = false;
        edit_->moveCursor(QTextCursor::End);
    }
}

void CAcadMTextDlg::LoadText() {
    edit_->SetRightToLeft(false);
    edit_->AppendRuns(session_->LoadedText());
    edit_->SetSel(0, -1);
    edit_->SetRightToLeft(true);
    edit_->HideMTextCodes();
}

void CAcadMTextDlg::ShowValues() {
    height_->SetValue(session_->height());
    spacing_->SetValue(session_->lineSpacing());
    angle_->SetValue(session_->rotation() * kRadiansToDegrees);
}

void CAcadMTextDlg::OnTextChanged() {
    if (initialising_ || session_ == nullptr) return;
    std::wstring text = edit_->GetWindowText();
    std::erase(text, L'\r');
    const std::vector<unsigned char> mask = edit_->GetCharDirections(0, edit_->GetTextLength());
    session_->TextChanged(text, mask);
    if (words_->FileSwitch() || words_->DrawingSwitch()) completion_->Update();
}

void CAcadMTextDlg::Refuse(const wchar_t* message, CValueEdit* field, double old_value) {
    // No text change counts while the message shows.
    const bool was = initialising_;
    initialising_ = true;
    layer::Alert(message);
    field->SetValue(old_value);
    initialising_ = was;
}

void CAcadMTextDlg::ApplyHeight() {
    if (session_ == nullptr || closing_) return;
    const double old = session_->height();
    if (session_->SetHeight(height_->Value()) == ValueChange::Refused) {
        Refuse(kHeightRefusedMessage, height_, old);
        return;
    }
    height_->SetValue(session_->height());
}

void CAcadMTextDlg::ApplySpacing() {
    if (session_ == nullptr || closing_) return;
    const double old = session_->lineSpacing();
    if (session_->SetLineSpacing(spacing_->Value()) == ValueChange::Refused) {
        Refuse(kLineSpacingRefusedMessage, spacing_, old);
        return;
    }
    spacing_->SetValue(session_->lineSpacing());
}

void CAcadMTextDlg::ApplyAngle() {
    if (session_ == nullptr || closing_) return;
    session_->SetRotationDegrees(angle_->Value());
    angle_->SetValue(session_->rotation() * kRadiansToDegrees);
}

// The up-downs step up for a delta below 1 and down otherwise, and write at once.
void CAcadMTextDlg::StepHeight(int delta) {
    if (session_ == nullptr) return;
    const double value = height_->Value() + (delta < 1 ? 0.05 : -0.05);
    if (value <= 0) return;
    height_->SetValue(value);
    ApplyHeight();
}

void CAcadMTextDlg::StepSpacing(int delta) {
    if (session_ == nullptr) return;
    const double value = spacing_->Value() + (delta < 1 ? 0.05 : -0.05);
    if (value < 0.25 - 1e-9 || value > 4.0 + 1e-9) return;
    spacing_->SetValue(value);
    ApplySpacing();
}

void CAcadMTextDlg::StepAngle(int delta) {
    if (session_ == nullptr) return;
    angle_->SetValue(angle_->Value() + (delta < 1 ? 1.0 : -1.0));
    ApplyAngle();
}

void CAcadMTextDlg::OnStyleChosen(int index) {
    if (session_ == nullptr || index < 0) return;
    session_->SetStyle(editors::FromWidgetText(style_->itemText(index)));
}

void CAcadMTextDlg::OnAttachmentChosen(int index) {
    if (session_ == nullptr || index < 0) return;
    session_->SetAttachment(index + 1);
}

void CAcadMTextDlg::OpenWords() {
    long start = 0, end = 0;
    edit_->GetSel(start, end);
    words_->SetWordToAdd(edit_->GetTextRange(start, end));
    words_->exec();
    edit_->setFocus(Qt::OtherFocusReason);
}

bool CAcadMTextDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress &&
        completion_->TakeKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void CAcadMTextDlg::accept() {
    // OK with the focus in a value field applies the field and stays.
    QWidget* focus = focusWidget();
    if (focus == height_) return ApplyHeight();
    if (focus == spacing_) return ApplySpacing();
    if (focus == angle_) return ApplyAngle();
    closing_ = true;
    if (session_ != nullptr) session_->Ok();
    session_.reset();
    QDialog::accept();
}

void CAcadMTextDlg::reject() {
    if (completion_->Visible()) return completion_->Hide();
    closing_ = true;
    if (session_ != nullptr) session_->Cancel();
    session_.reset();
    QDialog::reject();
}

void CAcadMTextDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int cx = width(), cy = height();
    edit_->setGeometry(4, 55, cx - 8, cy - 35 - 55);
    ok_->setGeometry(cx / 2 - 4 - 72, cy - 6 - 24, 72, 24);
    cancel_->setGeometry(cx / 2 + 4, cy - 6 - 24, 72, 24);
}

}  // namespace tarsil
