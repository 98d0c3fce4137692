#pragma once

// The font map grid: a fixed header row, then one row per entry of its
// working copy: the font name (read-only, with a "..." button that picks
// the font file) and the font type (a drop-down of the six types).  Every
// change goes into the working copy first; the grid is then refilled
// from it, keeping its first visible row.
#include <filesystem>

#include "fonts/config_dialog/font_map_list.h"
#include "toolkit/grid/grid.h"

namespace tarsil {

class CFontMapperCtrl : public toolkit::Grid {
    Q_OBJECT
  public:
    static constexpr int kRowHeight = 22;
    enum Column { kNameColumn = 0, kTypeColumn = 1 };

    explicit CFontMapperCtrl(QWidget* parent = nullptr);

    const FontMapList& List() const { return list_; }

    // Reads the working copy from a map file; a file that can't be opened
    // is reported on the host's command line and leaves it empty.
    bool Load(const std::filesystem::path& path);
    // Writes the working copy to a map file (see FontMapList::Save).
    bool Save(const std::filesystem::path& path) const;
    // Shows the working copy.
    void Fill();

    // The commands of the strip above the grid.
    void NewMappingEntry();
    void AddMissingFonts();
    void DeleteCurrentEntry();
    void DeleteAll();
    // The "..." button of a row: the row's font becomes the chosen file's.
    void ChooseFontOfRow(int row);

  signals:
    // The user changed the working copy.
    void modified();

  private:
    void OnCellChanged(int row, int column);
    void Refill(int select_row);

    FontMapList list_;
};

}  // namespace tarsil
