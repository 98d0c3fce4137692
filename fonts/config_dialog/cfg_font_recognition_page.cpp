#include "fonts/config_dialog/cfg_font_recognition_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include "fonts/config_dialog/font_map_file_browser.h"
#include "fonts/config_dialog/font_mapper_buddy.h"
#include "fonts/config_dialog/font_mapper_ctrl.h"
#include "fonts/config_dialog/new_font_mapping_dlg.h"
#include "fonts/config_dialog/qt_paths.h"
#include "fonts/font_map.h"
#include "fonts/settings/settings.h"
#include "fonts/wh_config.h"

namespace tarsil {

namespace {

// A blank map with a star: a map of one's own, new.
QIcon NewMapIcon(qreal ratio) {
    constexpr int kSide = 20;
    QPixmap picture(QSize(kSide, kSide) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(70, 70, 70), 1));
    painter.setBrush(QColor(255, 255, 240));
    painter.drawRect(QRectF(2.5, 2.5, 12, 15));
    painter.setPen(QPen(QColor(40, 90, 170), 1));
    for (qreal y = 6.5; y < 16; y += 3) painter.drawLine(QPointF(4.5, y), QPointF(12.5, y));
    painter.setPen(QPen(QColor(230, 160, 0), 2, Qt::SolidLine, Qt::RoundCap));
    const QPointF star(15, 5);
    for (int i = 0; i < 4; ++i) {
        const qreal dx = i < 2 ? 4 : 3;
        const qreal dy = i % 2 == 0 ? 0 : 3;
        painter.drawLine(star - QPointF(i < 2 ? dx : dy, i < 2 ? dy : dx),
                         star + QPointF(i < 2 ? dx : dy, i < 2 ? dy : dx));
    }
    return QIcon(picture);
}

bool SamePathIgnoringCase(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

CPpCfgFontRecognition::CPpCfgFontRecognition(QWidget* parent)
    : CfgPropertyPage(QStringLiteral("Font Recognition"), parent),
      path_(new CFontMapFileBrowser(true, this)),
      new_map_(new QToolButton(this)),
      grid_(new CFontMapperCtrl(this)),
      buddy_(new CFontMapperBuddy(this)) {
    setObjectName(QStringLiteral("FontRecognition"));
    path_->Field()->setToolTip(QStringLiteral("Current font map"));
    path_->BrowseButton()->setToolTip(QStringLiteral("Find existing font map"));
    new_map_->setIcon(NewMapIcon(devicePixelRatioF()));
    new_map_->setIconSize(QSize(20, 20));
    new_map_->setToolTip(QStringLiteral("New font map"));

    auto* band = new QWidget(this);
    band->setFixedHeight(kTopBand);
    auto* band_layout = new QHBoxLayout(band);
    band_layout->setContentsMargins(0, 0, 0, 0);
    band_layout->addWidget(new QLabel(QStringLiteral("Font map:"), band));
    band_layout->addWidget(path_, 1);
    band_layout->addWidget(new_map_);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(band);
    layout->addWidget(buddy_);
    layout->addWidget(grid_, 1);

    connect(path_, &CFontMapFileBrowser::chosen, this, [this](const QString&) {
        // The browse button has shown the chosen file already.
        const QString old = PathToQString(CWhConfig::Instance().GetCurrentFontMapPath());
        if (SamePathIgnoringCase(path_->Path(), old)) return;
        CWhConfig::Instance().SetCurrentFontMapPath(QStringToPath(path_->Path()));
        LoadCurrentMap();
        SetModified();
    });
    connect(new_map_, &QToolButton::clicked, this, &CPpCfgFontRecognition::CreateNewMap);
    connect(buddy_, &CFontMapperBuddy::commandRun, this, [this](int command) {
        switch (command) {
            case CFontMapperBuddy::kNewEntry:
                return grid_->NewMappingEntry();
            case CFontMapperBuddy::kAddMissing:
                return grid_->AddMissingFonts();
            case CFontMapperBuddy::kDeleteCurrent:
                return grid_->DeleteCurrentEntry();
            case CFontMapperBuddy::kDeleteAll:
                return grid_->DeleteAll();
        }
    });
    connect(grid_, &CFontMapperCtrl::modified, this, [this] { SetModified(); });

    LoadCurrentMap();
    path_->SetPath(PathToQString(CWhConfig::Instance().GetCurrentFontMapPath()));
}

void CPpCfgFontRecognition::LoadCurrentMap() {
    grid_->Load(CWhConfig::Instance().GetCurrentFontMapPath());
    grid_->Fill();
}

void CPpCfgFontRecognition::ChooseExistingMap() {
    path_->BrowseButton()->click();
}

void CPpCfgFontRecognition::CreateNewMap() {
    CNewFontMappingDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    path_->SetPath(PathToQString(CWhConfig::Instance().GetCurrentFontMapPath()));
    LoadCurrentMap();
    SetModified();
}

bool CPpCfgFontRecognition::OnApply() {
    SaveSettings();
    const bool saved = grid_->Save(CWhConfig::Instance().GetCurrentFontMapPath());
    LoadFontMaps();
    return saved;
}

}  // namespace tarsil
