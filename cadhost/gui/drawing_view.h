#pragma once

// The drawing view of the window: paints the working drawing's current
// space, zooms about the cursor with the wheel, pans with the middle
// button, and turns clicks into answers for the prompt that is waiting.
#include <QElapsedTimer>
#include <QPointF>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>

#include "cadhost/db/objectid.h"
#include "cadhost/gui/font_map_stamp.h"
#include "cadhost/view/drawing_scene.h"
#include "cadhost/view/view_transform.h"

class AcDbDatabase;

namespace cadhost::gui {

class PromptPump;

class DrawingView : public QWidget {
    Q_OBJECT
  public:
    explicit DrawingView(PromptPump* pump, QWidget* parent = nullptr);
    ~DrawingView() override;

    // Follows the host: another drawing, or the other space, is shown whole;
    // a font map named or written since is drawn with; highlighting is
    // brought up to date.  Called whenever a prompt waits.
    void syncWithHost();
    // Applies the changes the drawing reported since the last call.
    void applyChanges();
    // acedRedraw: the entity (highlighted or not), or everything for a null id.
    void redraw(AcDbObjectId id);
    void zoomExtents();
    // Escape: the window being drawn, the pick-first set at the Command
    // prompt, and the prompt itself are cancelled.
    void cancel();
    // Shows the world box whole.
    void zoomWindow(const QRectF& world);

    view::ViewTransform& transform() { return transform_; }
    const view::ViewTransform& transform() const { return transform_; }
    const view::DrawingScene* scene() const { return scene_.get(); }
    // The entity under a point of the widget, within the pick box.
    AcDbObjectId entityAt(QPointF screen) const;
    // The host's picks at typed points: the entity drawn at a world point,
    // when the view shows the space the host works in.
    std::optional<AcDbObjectId> pickForHost(QPointF world) const;
    // What is drawn highlighted: redraw mode 3, the pick-first set, and
    // what the selection prompt has taken so far.
    std::set<AcDbObjectId> highlighted() const;
    // Where keys typed over the view go (the command line's input).
    void setKeyTarget(QWidget* target) { keyTarget_ = target; }
    // Half the side of the pick box, in pixels.
    static constexpr double kPickBox = 4.0;

  signals:
    // The cursor is over this world point.
    void cursorMoved(QPointF world);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void click(QPointF screen, bool shift);
    void finishWindow(QPointF firstWorld, QPointF secondWorld, bool crossing);
    void drawRubberBand(QPainter& p) const;
    void updateHighlight();
    void updateWorld(const QRectF& worldBox);
    void entityChanged(AcDbObjectId id);
    bool followFontMap();

    PromptPump* pump_;
    QWidget* keyTarget_ = nullptr;
    AcDbDatabase* db_ = nullptr;
    std::uint64_t docSerial_ = 0;
    int tilemode_ = 1;
    std::unique_ptr<view::DrawingScene> scene_;
    FontMapStamp fontMap_;  // the map the scene was made with
    view::ViewTransform transform_;
    std::set<AcDbObjectId> shownHighlight_;
    std::set<AcDbObjectId> changed_;  // reported by the drawing, not yet applied
    bool changesQueued_ = false;
    // First corner of a window being drawn with the mouse (world).
    std::optional<QPointF> firstCorner_;
    std::optional<QPointF> pressedAt_;  // left button down here (screen)
    std::optional<QPointF> panFrom_;    // middle button down here (screen)
    QPointF cursor_;                    // screen
    QElapsedTimer doubleClicked_;       // its release is no click of its own
};

}  // namespace cadhost::gui
