#include "fonts/config_dialog/font_mapper_ctrl.h"

#include <QApplication>
#include <QHeaderView>

#include "fonts/config_dialog/config_messages.h"
#include "fonts/config_dialog/qt_paths.h"
#include "fonts/config_dialog/user_prompts.h"
#include "fonts/font_map.h"
#include "fonts/font_type_names.h"
#include "fonts/notify.h"
#include "fonts/style_font/font_collector.h"
#include "host/layer/user_messages.h"

namespace tarsil {

namespace {

QStringList SelectableTypeNames() {
    QStringList names;
    for (std::size_t i = 0; i < kSelectableFontTypeCount; ++i)
        names << QString::fromWCharArray(kFontTypeNames[i].name);
    return names;
}

FileDialogRequest FontFileRequest(const QString& start) {
    return {start, QStringLiteral("*.shx"), QString::fromLatin1(kFontFileFilter)};
}

// Shows the wait cursor while alive.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

CFontMapperCtrl::CFontMapperCtrl(QWidget* parent) : toolkit::Grid(parent) {
    setObjectName(QStringLiteral("FontMapperCtrl"));
    SetColumnCount(2);
    SetColumnTitles({QStringLiteral("Font Name"), QStringLiteral("Font Type")});
    SetColumnWeights({7, 3});
    SetDefaultRowHeight(kRowHeight);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &Grid::cellChanged, this, &CFontMapperCtrl::OnCellChanged);
    connect(this, &Grid::buttonClicked, this, [this](int row, int column) {
        if (column == kNameColumn) ChooseFontOfRow(row);
    });
}

bool CFontMapperCtrl::Load(const std::filesystem::path& path) {
    if (list_.Load(path)) return true;
    host::Print(FormatMessage(QString::fromLatin1(kCantOpenFontMapMessage).toStdWString(),
                              {PathToQString(path).toStdWString()}));
    return false;
}

bool CFontMapperCtrl::Save(const std::filesystem::path& path) const {
    return list_.Save(path);
}

void CFontMapperCtrl::Fill() {
    const int first = FirstVisibleRow();
    const QStringList types = SelectableTypeNames();
    SetRowCount(static_cast<int>(list_.Size()));
    for (std::size_t i = 0; i < list_.Size(); ++i) {
        const FontMapEntry& entry = list_.Entries()[i];
        const int row = static_cast<int>(i);
        SetCell(row, kNameColumn,
                {.text = QString::fromStdWString(entry.name), .editable = false, .ellipsis = true});
        SetCell(row, kTypeColumn,
                {.text = QString::fromStdWString(FontTypeName(entry.type)),
                 .kind = toolkit::CellKind::List,
                 .options = types});
    }
    if (first >= 0) SetFirstVisibleRow(first);
}

void CFontMapperCtrl::Refill(int select_row) {
    Fill();
    if (select_row >= 0) {
        SelectRow(select_row);
    } else {
        clearSelection();
    }
}

void CFontMapperCtrl::OnCellChanged(int row, int column) {
    if (column != kTypeColumn || row < 0) return;
    const FontType type = FontTypeFromName(Text(row, column).toStdWString());
    if (!list_.SetType(static_cast<std::size_t>(row), type)) return;
    const int focus_row = CurrentRow();
    const int focus_column = CurrentColumn();
    Fill();
    SetCurrentCell(focus_row, focus_column);
    emit modified();
}

void CFontMapperCtrl::NewMappingEntry() {
    const QStringList files =
        CurrentUserPrompts().ChooseExistingFiles(window(), FontFileRequest(QString()));
    if (files.isEmpty()) {
        list_.Sort();
        Fill();
        return;
    }
    std::vector<std::wstring> names;
    for (const QString& file : files) names.push_back(FontNameOfFile(QStringToPath(file)));
    Refill(list_.AddNames(names));
    emit modified();
}

void CFontMapperCtrl::ChooseFontOfRow(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= list_.Size()) return;
    const QString file = CurrentUserPrompts().ChooseExistingFile(
        window(), FontFileRequest(QString::fromStdWString(list_.Entries()[row].name)));
    if (file.isEmpty()) {
        list_.Sort();
        Fill();
        return;
    }
    const auto [now_at, changed] = list_.Rename(row, FontNameOfFile(QStringToPath(file)));
    Refill(now_at);
    if (changed) emit modified();
}

void CFontMapperCtrl::AddMissingFonts() {
    if (!CurrentUserPrompts().AskYesNo(window(), QString::fromLatin1(kAddMissingQuestion))) return;
    acad_font_collector::file_collector_t collector;
    {
        WaitCursor wait;
        collector.collect();
    }
    list_.AddMissing(collector.names(), FindDefaultFontType);
    emit modified();
    Fill();
}

void CFontMapperCtrl::DeleteCurrentEntry() {
    const int row = RowCount() == 0 ? -1 : CurrentRow();
    if (!CurrentUserPrompts().AskYesNo(window(), QString::fromLatin1(kDeleteQuestion))) return;
    if (row < 0) {
        clearSelection();
        return;
    }
    list_.Remove(static_cast<std::size_t>(row));
    // The next entry moves up into the row; after the last, its new last.
    const int count = static_cast<int>(list_.Size());
    Refill(count == 0 ? -1 : std::min(row, count - 1));
    emit modified();
}

void CFontMapperCtrl::DeleteAll() {
    if (!CurrentUserPrompts().AskYesNo(window(), QString::fromLatin1(kDeleteQuestion))) return;
    list_.Clear();
    Fill();
    emit modified();
}

}  // namespace tarsil
