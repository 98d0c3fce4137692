#include "editors/dim_dlg/dimension_text_edit_dlg.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "editors/richedit/language_buttons.h"
#include "editors/richedit/rich_edit_heb.h"
#include "hebrew/mtext/coded_line.h"
#include "host/mtext_edit/dimension_session.h"
#include "toolkit/control_id/control_id.h"
#include "toolkit/updown/up_down.h"
#include "toolkit/updown/value_edit.h"

namespace tarsil {

using namespace dim_dlg;
using editors::CRichEditCtrlHeb;
using toolkit::SetControlId;

namespace {

constexpr double kRadiansToDegrees = 180.0 / 3.14159265358979323846;

std::wstring TextOf(const CRichEditCtrlHeb* edit, std::vector<unsigned char>& mask) {
    std::wstring text = edit->GetWindowText();
    std::erase(text, L'\r');
    mask = edit->GetCharDirections(0, edit->GetTextLength());
    return text;
}

void Fill(CRichEditCtrlHeb* edit, const std::wstring& text) {
    edit->SetRightToLeft(false);
    edit->AppendRuns(text);
    edit->SetSel(0, -1);
    edit->SetRightToLeft(true);
    edit->SetSel(-1, -1);
    edit->moveCursor(QTextCursor::End);
}

}  // namespace

CDimensionTextEditDlg::CDimensionTextEditDlg(QWidget* parent) : QDialog(parent) {
    BuildControls();
}

// The keyboard layout stays as the user left it.
CDimensionTextEditDlg::~CDimensionTextEditDlg() = default;

void CDimensionTextEditDlg::BuildControls() {
    setWindowTitle(QStringLiteral("Dimension text editor"));
    upper_ = new CRichEditCtrlHeb(this);
    SetControlId(upper_, kUpperId);
    lower_ = new CRichEditCtrlHeb(this);
    SetControlId(lower_, kLowerId);

    auto* label = new QLabel(QStringLiteral("Angle"), this);
    label->setGeometry(4, 8, 40, 20);
    angle_ = new toolkit::CValueEdit("%.2f", this);
    SetControlId(angle_, kAngleId);
    angle_->setGeometry(46, 6, 60, 22);
    angleSpin_ = new toolkit::CUpDown(this);
    SetControlId(angleSpin_, kAngleSpinId);
    angleSpin_->setGeometry(106, 6, 16, 22);
    attachment_ = new QComboBox(this);
    SetControlId(attachment_, kAttachmentId);
    attachment_->setGeometry(130, 6, 120, 22);
    for (const wchar_t* name : kAttachmentNames)
        attachment_->addItem(QString::fromWCharArray(name));
    const editors::LanguageButtons languages = editors::CreateLanguageButtons(this);
    languages.hebrew->setGeometry(258, 6, 26, 22);
    languages.english->setGeometry(286, 6, 26, 22);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    SetControlId(ok_, kOkId);
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    SetControlId(cancel_, kCancelId);

    connect(ok_, &QPushButton::clicked, this, &CDimensionTextEditDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &CDimensionTextEditDlg::reject);
    connect(angle_, &toolkit::CValueEdit::ApplyRequested, this, [this] { ApplyAngle(false); });
    connect(angleSpin_, &toolkit::CUpDown::DeltaPos, this, &CDimensionTextEditDlg::StepAngle);
    connect(upper_, &CRichEditCtrlHeb::FocusReceived, this, [this] {
        upperFocus_ = true;
        lowerFocus_ = false;
    });
    connect(lower_, &CRichEditCtrlHeb::FocusReceived, this, [this] {
        upperFocus_ = false;
        lowerFocus_ = true;
    });
    for (CRichEditCtrlHeb* edit : {upper_, lower_})
        connect(edit, &CRichEditCtrlHeb::Changed, this, &CDimensionTextEditDlg::OnTextChanged);
    // The language buttons focus the edit that had the focus last; before
    // either had it, none.
    editors::ConnectLanguageButtons(this, [this]() -> QWidget* {
        if (upperFocus_) return upper_;
        if (lowerFocus_) return lower_;
        return nullptr;
    });
    resize(420, 240);
}

void CDimensionTextEditDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!initialised_) Initialize();
}

void CDimensionTextEditDlg::Initialize() {
    initialised_ = true;
    for (CRichEditCtrlHeb* edit : {upper_, lower_})
        edit->SetEventMask(edit->GetEventMask() | editors::kDimensionEditorEvents);
    session_ = std::make_unique<DimensionSession>(id_);
    if (session_->Load()) {
        const std::wstring mark(1, mtext::kMeasurementMark);
        if (session_->LoadedUpper() == mark && session_->LoadedLower().empty()) {
            // No override: the measurement alone, in the upper edit.
            upper_->ReplaceSel(mark);
            upper_->setFocus(Qt::OtherFocusReason);
        } else {
            Fill(upper_, session_->LoadedUpper());
            Fill(lower_, session_->LoadedLower());
        }
    }
    upper_->HideMTextCodes();
    lower_->HideMTextCodes();
    attachment_->setCurrentIndex(session_->attachment() - 1);
    angle_->SetValue(session_->rotation() * kRadiansToDegrees);
    connect(attachment_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (session_ != nullptr && index >= 0) session_->SetAttachment(index + 1);
    });
    upper_->SetOwner(this);
    lower_->SetOwner(this);
    session_->BeginUndo();
    initialising_ = false;
}

void CDimensionTextEditDlg::OnTextChanged() {
    if (initialising_ || session_ == nullptr) return;
    std::vector<unsigned char> upperMask, lowerMask;
    const std::wstring upper = TextOf(upper_, upperMask);
    const std::wstring lower = TextOf(lower_, lowerMask);
    session_->TextChanged(upper, upperMask, lower, lowerMask);
}

void CDimensionTextEditDlg::ApplyAngle(bool force) {
    if (session_ == nullptr || closing_) return;
    session_->SetRotationDegrees(angle_->Value(), force);
}

void CDimensionTextEditDlg::StepAngle(int delta) {
    angle_->SetValue(angle_->Value() + (delta < 1 ? 1.0 : -1.0));
    ApplyAngle(true);
}

void CDimensionTextEditDlg::accept() {
    if (focusWidget() == angle_) return ApplyAngle(false);
    closing_ = true;
    if (session_ != nullptr) session_->Ok();
    session_.reset();
    QDialog::accept();
}

void CDimensionTextEditDlg::reject() {
    closing_ = true;
    if (session_ != nullptr) session_->Cancel();
    session_.reset();
    QDialog::reject();
}

void CDimensionTextEditDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int cx = width(), cy = height();
    const int top = 34, bottom = cy - 36;
    const int half = (bottom - top - 4) / 2;
    upper_->setGeometry(4, top, cx - 8, half);
    lower_->setGeometry(4, top + half + 4, cx - 8, half);
    ok_->setGeometry(cx / 2 - 4 - 72, cy - 6 - 24, 72, 24);
    cancel_->setGeometry(cx / 2 + 4, cy - 6 - 24, 72, 24);
}

}  // namespace tarsil
