#pragma once

// The "Font Recognition" page: which font map file is current, and the
// map itself in a grid.  The grid works on a copy; Apply saves the
// settings and the map and loads both font maps again, so the module
// reads and writes text by the new types at once.
#include "fonts/config_dialog/tarsil_prop.h"

class QToolButton;

namespace tarsil {

class CFontMapFileBrowser;
class CFontMapperBuddy;
class CFontMapperCtrl;

class CPpCfgFontRecognition : public CfgPropertyPage {
    Q_OBJECT
  public:
    static constexpr int kTopBand = 50;

    explicit CPpCfgFontRecognition(QWidget* parent = nullptr);

    bool OnApply() override;

    CFontMapFileBrowser* PathField() const { return path_; }
    QToolButton* NewMapButton() const { return new_map_; }
    CFontMapperCtrl* Grid() const { return grid_; }
    CFontMapperBuddy* Buddy() const { return buddy_; }

    // The path field's browse button and the new-map button.
    void ChooseExistingMap();
    void CreateNewMap();

  private:
    void LoadCurrentMap();

    CFontMapFileBrowser* path_;
    QToolButton* new_map_;
    CFontMapperCtrl* grid_;
    CFontMapperBuddy* buddy_;
};

}  // namespace tarsil
