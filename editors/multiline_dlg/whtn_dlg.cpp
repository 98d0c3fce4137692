#include "editors/multiline_dlg/whtn_dlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "editors/language/input_language.h"
#include "editors/language/widget_edge.h"
#include "editors/multiline_dlg/dialog_images.h"
#include "editors/multiline_dlg/multi_edit_cell.h"
#include "editors/multiline_dlg/whtn_dlg_ids.h"
#include "editors/visual_edit/ug_multi_edit.h"
#include "editors/visual_edit/visual_edit_notice.h"
#include "host/entity_ops/multi_text.h"
#include "toolkit/control_id/control_id.h"
#include "toolkit/grid/grid.h"
#include "toolkit/idle/idle_refresh.h"
#include "toolkit/image_button/image_check_button.h"
#include "toolkit/numspin/num_spin_ctrl.h"
#include "toolkit/status_bar/pane_status_bar.h"
#include "toolkit/updown/value_edit.h"

namespace tarsil::editors {

using namespace multiline;

namespace {

bool HoldsHebrewLetter(const std::wstring& text) {
    for (wchar_t c : text)
        if (editors::IsEngineLetter(static_cast<char32_t>(c))) return true;
    return false;
}

// A label above a field, the pair as one column of the toolbar.
QVBoxLayout* Labelled(QLabel* label, QWidget* field, QWidget* spin = nullptr) {
    auto* column = new QVBoxLayout;
    column->setSpacing(1);
    column->addWidget(label);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(field);
    if (spin != nullptr) row->addWidget(spin);
    column->addLayout(row);
    return column;
}

}  // namespace

CWhtnDlg::CWhtnDlg(QWidget* parent, bool attributeMode)
    : QDialog(parent),
      rows_(MultiText::Current()),
      attributeMode_(attributeMode),
      rememberedLayout_(InputLanguage::Instance().CurrentLayout()) {
    setWindowTitle(QString::fromLatin1(kTitle));
    setSizeGripEnabled(true);
    if (rows_ != nullptr) {
        // Hebrew in any row: the user reads and types Hebrew here.
        for (int i = 0; i < rows_->RowCount(); ++i) {
            const OperationText* row = Row(i);
            if (row == nullptr) continue;
            if (HoldsHebrewLetter(row->GetText().value_or(std::wstring()))) {
                hebrew_ = true;
                leftToRight_ = false;
                break;
            }
        }
    }
    busy_ = true;
    CreateControls();
    BuildLayout();
    FillLists();
    SetUpSpins();
    FillGrid();
    busy_ = false;
    idle_ = new toolkit::CIdleRefresh(
        kRefreshIntervalMs, [this] { RefreshStatus(); }, this);
    resize(640, 300);
}

CWhtnDlg::~CWhtnDlg() {
    idle_->Stop();
    busy_ = true;
    // The controls go after this object: an edit that closes or a field
    // that loses the focus on the way must not reach its handlers.
    grid_->EndEdit(false);
    for (QObject* child : findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
    InputLanguage::Instance().ActivateKeyboardLayout(rememberedLayout_);
    DeleteEmptyRows();
}

int CWhtnDlg::RowHeightFor(int fontHeight) {
    return std::abs(fontHeight) * 8 / 5 + 4;
}

int CWhtnDlg::FontHeight() const {
    const QFont& f = font();
    if (f.pixelSize() > 0) return f.pixelSize();
    if (f.pointSizeF() > 0)
        return static_cast<int>(std::lround(f.pointSizeF() * logicalDpiY() / 72.0));
    return 11;
}

void CWhtnDlg::CreateControls() {
    for (int i = 0; i < 6; ++i) {
        labels_[i] = new QLabel(QString::fromLatin1(kLabels[i]), this);
        toolkit::SetControlId(labels_[i], kFirstLabel + i);
    }
    labels_[5]->hide();  // the template's spare label, kept for its id

    justification_ = new QComboBox(this);
    justification_->setToolTip(QString::fromLatin1(kTipJustify));
    toolkit::SetControlId(justification_, kJustificationList);
    style_ = new QComboBox(this);
    style_->setToolTip(QString::fromLatin1(kTipStyle));
    toolkit::SetControlId(style_, kStyleList);

    const auto spin = [this](toolkit::CValueEdit*& edit, toolkit::CNumSpinCtrl*& updown, int editId,
                             int spinId, const char* tip) {
        edit = new toolkit::CValueEdit("%.4f", this);
        edit->setFixedWidth(76);
        toolkit::SetControlId(edit, editId);
        updown = new toolkit::CNumSpinCtrl(this);
        updown->SetBuddy(edit);
        updown->setFixedWidth(16);
        if (tip != nullptr) updown->setToolTip(QString::fromLatin1(tip));
        toolkit::SetControlId(updown, spinId);
    };
    spin(size_, sizeSpin_, kSize, kSizeUpDown, kTipSize);
    spin(angle_, angleSpin_, kAngle, kAngleUpDown, kTipAngle);
    spin(distance_, distanceSpin_, kDistance, kDistanceUpDown, nullptr);

    const auto check = [this](Image image, const char* tip, int id) {
        auto* button =
            new toolkit::CImageCheckButton(ButtonImage(image), QString::fromLatin1(tip), this);
        toolkit::SetControlId(button, id);
        return button;
    };
    hebrewButton_ = check(Image::kHebrew, kHebrewText, kHebrew);
    englishButton_ = check(Image::kEnglish, kEnglishText, kEnglish);
    leftToRightButton_ = check(Image::kLeftToRight, kLeftToRightText, kLeftToRight);
    rightToLeftButton_ = check(Image::kRightToLeft, kRightToLeftText, kRightToLeft);
    const Image alignmentImages[] = {Image::kAlignLeft, Image::kAlignCenter, Image::kAlignRight,
                                     Image::kUnaligned};
    for (int i = 0; i < 4; ++i)
        alignmentButtons_[i] = check(alignmentImages[i], kAlignmentTips[i], kAlignLeft + i);
    verticalAlignment_ =
        check(Image::kVerticalAlignment, kTipVerticalAlignment, kVerticalAlignment);

    grid_ = new toolkit::Grid(this);
    toolkit::SetControlId(grid_, kGrid);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_->horizontalHeader()->setVisible(false);

    insertionPoint_ = toolkit::CreateImagePushButton(ButtonImage(Image::kInsertionPoint),
                                                     QStringLiteral("&Insertion Point"),
                                                     QString::fromLatin1(kTipInsertionPoint), this);
    toolkit::SetControlId(insertionPoint_, kInsertionPoint);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    toolkit::SetControlId(ok_, kOk);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    toolkit::SetControlId(cancel_, kCancel);
    // Enter belongs to the cell being edited, not to a default button.
    ok_->setAutoDefault(false);
    cancel_->setAutoDefault(false);

    status_ = new toolkit::CPaneStatusBar({90, 110, 0}, this);

    connect(hebrewButton_, &QToolButton::clicked, this, [this] { OnLanguageButton(true); });
    connect(englishButton_, &QToolButton::clicked, this, [this] { OnLanguageButton(false); });
    connect(leftToRightButton_, &QToolButton::clicked, this, [this] { OnDirectionButton(true); });
    connect(rightToLeftButton_, &QToolButton::clicked, this, [this] { OnDirectionButton(false); });
    for (int i = 0; i < 4; ++i)
        connect(alignmentButtons_[i], &QToolButton::clicked, this,
                [this, i] { OnAlignmentButton(i); });
    connect(verticalAlignment_, &QToolButton::clicked, this, [this] { OnVerticalAlignment(); });
    connect(insertionPoint_, &QToolButton::clicked, this, [this] { OnInsertionPoint(); });
    connect(ok_, &QPushButton::clicked, this, &CWhtnDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &CWhtnDlg::reject);
    connect(justification_, &QComboBox::activated, this, [this](int i) { OnJustification(i); });
    connect(style_, &QComboBox::activated, this, [this](int i) { OnStyle(i); });
    connect(sizeSpin_, &toolkit::CNumSpinCtrl::Edited, this, [this](double v) { ApplyHeight(v); });
    connect(sizeSpin_, &toolkit::CNumSpinCtrl::Stepped, this, [this](double v) { ApplyHeight(v); });
    connect(size_, &toolkit::CValueEdit::ApplyRequested, this, [this] { ShowFocusValue(true); });
    connect(angleSpin_, &toolkit::CNumSpinCtrl::Edited, this, [this](double v) { ApplyAngle(v); });
    connect(angleSpin_, &toolkit::CNumSpinCtrl::Stepped, this, [this](double v) { ApplyAngle(v); });
    connect(angle_, &toolkit::CValueEdit::ApplyRequested, this, [this] { ShowFocusValue(false); });
    connect(distanceSpin_, &toolkit::CNumSpinCtrl::Edited, this,
            [this](double v) { OnDistanceEdited(v); });
    connect(distanceSpin_, &toolkit::CNumSpinCtrl::Stepped, this,
            [this](double v) { OnDistanceEdited(v); });
    connect(grid_, &toolkit::Grid::rowSelectionChanged, this, [this] { OnSelectionChanged(); });
    connect(grid_, &toolkit::Grid::currentCellChanged, this, [this] { OnSelectionChanged(); });
    connect(grid_, &toolkit::Grid::editCommitted, this,
            [this](int row, int column) { OnEditCommitted(row, column); });
}

// The toolbar in one row above the grid, the grid taking the rest, and
// the insertion point, OK and Cancel in one row below it.
void CWhtnDlg::BuildLayout() {
    auto* toolbar = new QHBoxLayout;
    toolbar->setSpacing(4);
    toolbar->addLayout(Labelled(labels_[0], justification_));
    toolbar->addLayout(Labelled(labels_[1], style_));
    toolbar->addLayout(Labelled(labels_[2], size_, sizeSpin_));
    toolbar->addLayout(Labelled(labels_[3], angle_, angleSpin_));
    toolbar->addLayout(Labelled(labels_[4], distance_, distanceSpin_));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(0);
    // Groups apart: spacing, language, direction, alignment.
    const std::vector<QWidget*> order = {verticalAlignment_,
                                         nullptr,
                                         hebrewButton_,
                                         englishButton_,
                                         nullptr,
                                         leftToRightButton_,
                                         rightToLeftButton_,
                                         nullptr,
                                         alignmentButtons_[0],
                                         alignmentButtons_[1],
                                         alignmentButtons_[2],
                                         alignmentButtons_[3]};
    for (QWidget* button : order) {
        if (button == nullptr)
            buttons->addSpacing(6);
        else
            buttons->addWidget(button, 0, Qt::AlignBottom);
    }
    toolbar->addLayout(buttons);
    toolbar->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(insertionPoint_);
    bottom->addStretch(1);
    bottom->addWidget(ok_);
    bottom->addWidget(cancel_);

    auto* dialog = new QVBoxLayout(this);
    dialog->setContentsMargins(6, 6, 6, 0);
    dialog->addLayout(toolbar);
    dialog->addWidget(grid_, 1);
    dialog->addLayout(bottom);
    dialog->addWidget(status_);
}

void CWhtnDlg::FillLists() {
    if (rows_ == nullptr) return;
    for (const std::wstring& name : rows_->JustificationNames())
        justification_->addItem(QString::fromStdWString(name));
    for (const std::wstring& name : rows_->StyleNames())
        style_->addItem(QString::fromStdWString(name));
    justification_->setCurrentIndex(justification_->count() > 0 ? 0 : -1);
    style_->setCurrentIndex(style_->count() > 0 ? 0 : -1);
}

void CWhtnDlg::SetUpSpins() {
    for (toolkit::CNumSpinCtrl* spin : {sizeSpin_, angleSpin_, distanceSpin_}) spin->SetDecimals(4);
    sizeSpin_->SetRangeAndDelta(0.0001, 4e9, 0.5);
    sizeSpin_->SetPos(0.5);
    angleSpin_->SetRangeAndDelta(0.0, 359.0, 0.5);
    angleSpin_->SetPos(0.5);
    distanceSpin_->SetRangeAndDelta(-100000.0, 100000.0, 0.5);
    distanceSpin_->SetPos(0.0);
    distanceSpin_->SetEnabledWithBuddy(false);
}

void CWhtnDlg::FillGrid() {
    const int rows = rows_ != nullptr ? rows_->RowCount() : 0;
    grid_->SetColumnCount(attributeMode_ ? 2 : 1);
    grid_->SetRowCount(rows);
    grid_->SetColumnEditor(0, std::make_shared<MultiEditCell>(
                                  [this](CUGMultiEdit* edit, int row) { SetUpEdit(edit, row); }));
    grid_->SetColumnWeights(attributeMode_ ? std::vector<int>{3, 1} : std::vector<int>{1});
    const int height = RowHeightFor(FontHeight());
    grid_->SetDefaultRowHeight(height);
    for (int i = 0; i < rows; ++i) {
        const OperationText* row = Row(i);
        toolkit::GridCell text;
        if (row != nullptr) text.text = ToWidgetText(row->GetText().value_or(std::wstring()));
        grid_->SetCell(i, 0, text);
        if (attributeMode_) {
            toolkit::GridCell tag;
            const auto& tags = rows_->Tags();
            if (static_cast<std::size_t>(i) < tags.size())
                tag.text = QString::fromStdWString(tags[static_cast<std::size_t>(i)]);
            tag.editable = false;
            tag.background = palette().color(QPalette::Button);
            grid_->SetCell(i, 1, tag);
        }
        grid_->SetRowHeight(i, height);
        SetCellFormat(i);
    }
}

// The steps that need the dialog on the screen: focus, the first cell, the
// language and direction of the rows, and the fields of the selection.
void CWhtnDlg::InitialiseView() {
    grid_->setFocus();
    if (grid_->RowCount() > 0) {
        grid_->SetCurrentCell(0, 0);
        grid_->SelectRow(0);
    }
    RefreshStatus();
    DirectionAction();
    LanguageAction();
    OnSelectionChanged();
    idle_->Start();
}

void CWhtnDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (initialised_) return;
    initialised_ = true;
    InitialiseView();
}

void CWhtnDlg::RunIdle() {
    idle_->RunIfRequested();
}

bool CWhtnDlg::event(QEvent* event) {
    if (event->type() != visual::VisualEditNotice::Type()) return QDialog::event(event);
    const auto* notice = static_cast<visual::VisualEditNotice*>(event);
    switch (notice->Message()) {
        case visual::kNoticeInputLanguage:
            OnInputLanguageNotice(notice->WParam());
            break;
        case visual::kNoticeDirection:
            OnDirectionNotice(notice->WParam());
            break;
        default:
            break;  // alignment and reordering: the direction notice says it all
    }
    return true;
}

void CWhtnDlg::accept() {
    idle_->Stop();
    // The cell being edited keeps what was typed in it.
    grid_->EndEdit(true);
    QDialog::accept();
}

void CWhtnDlg::reject() {
    idle_->Stop();
    busy_ = true;
    grid_->EndEdit(false);
    QDialog::reject();
    if (rows_ != nullptr) rows_->RestoreAll();
    busy_ = false;
}

CUGMultiEdit* CWhtnDlg::EditingControl() const {
    return dynamic_cast<CUGMultiEdit*>(
        grid_->CellEditorWidget(grid_->CurrentRow(), grid_->CurrentColumn()));
}

}  // namespace tarsil::editors
