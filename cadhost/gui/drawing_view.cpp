#include "cadhost/gui/drawing_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "cadhost/apdoc/docmanager.h"
#include "cadhost/db/acdb_all.h"
#include "cadhost/editor/prompt_context.h"
#include "cadhost/editor/selection.h"
#include "cadhost/editor/sysvars.h"
#include "cadhost/editor/ucs.h"
#include "cadhost/gui/answers.h"
#include "cadhost/gui/prompt_pump.h"
#include "cadhost/rx/wide.h"

namespace cadhost::gui {
namespace {
// A press and release further apart than this draw a window.
constexpr double kDragPixels = 5.0;
// One wheel notch zooms by this factor.
constexpr double kWheelStep = 1.25;

int tilemode() {
    const auto v = getVar(L"TILEMODE");
    return v ? static_cast<int>(v->integer) : 1;
}

// The drawing of a document that is still open, by its serial.
AcDbDatabase* openDatabase(std::uint64_t serial) {
    for (int i = 0; i < acDocManagerPtr()->documentCount(); ++i) {
        const AcApDocument* doc = acDocManagerPtr()->document(i);
        if (doc->serial() == serial) return doc->database();
    }
    return nullptr;
}

// Whether the prompt takes entities, so that a drag draws a window.
bool selecting() {
    const PromptKind kind = currentPrompt().kind;
    return kind == PromptKind::Command || kind == PromptKind::Selection;
}

bool dragged(QPointF from, QPointF to) {
    return std::hypot(to.x() - from.x(), to.y() - from.y()) > kDragPixels;
}

// The world point of a point given in the user system.
QPointF ucsToWorldPoint(const double ucs[3]) {
    double w[3];
    ucsToWorld(currentUcs(), ucs, false, w);
    return {w[0], w[1]};
}
}  // namespace

DrawingView::DrawingView(PromptPump* pump, QWidget* parent) : QWidget(parent), pump_(pump) {
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    setMinimumSize(200, 150);
    transform_.size = size();
}

DrawingView::~DrawingView() {
    if (AcDbDatabase* old = openDatabase(docSerial_)) old->setDrawHook(nullptr);
}

void DrawingView::syncWithHost() {
    AcApDocument* doc = curDoc();
    AcDbDatabase* db = doc != nullptr ? doc->database() : nullptr;
    const std::uint64_t serial = doc != nullptr ? doc->serial() : 0;
    const int tiles = tilemode();
    if (serial != docSerial_ || tiles != tilemode_) {
        if (AcDbDatabase* old = openDatabase(docSerial_)) old->setDrawHook(nullptr);
        docSerial_ = serial;
        tilemode_ = tiles;
        db_ = db;
        changed_.clear();
        shownHighlight_.clear();
        scene_.reset();
        if (db_ != nullptr) {
            fontMap_ = FontMapStamp::current();
            scene_ = std::make_unique<view::DrawingScene>(db_, fontMap_.fontTypes());
            // Entities may not be read while the drawing closes them: the
            // change is noted and applied from the event loop.
            db_->setDrawHook([this](AcDbObjectId id) { entityChanged(id); });
            zoomExtents();
        }
        update();
    } else if (!followFontMap()) {
        applyChanges();
    }
    updateHighlight();
}

bool DrawingView::followFontMap() {
    if (scene_ == nullptr) return false;
    FontMapStamp now = FontMapStamp::current();
    if (now == fontMap_) return false;
    fontMap_ = std::move(now);
    scene_->setFontTypes(fontMap_.fontTypes());
    scene_->rebuild();  // the pending changes too
    changed_.clear();
    update();
    return true;
}

void DrawingView::entityChanged(AcDbObjectId id) {
    changed_.insert(id);
    if (changesQueued_) return;
    changesQueued_ = true;
    QTimer::singleShot(0, this, &DrawingView::applyChanges);
}

void DrawingView::applyChanges() {
    changesQueued_ = false;
    if (scene_ == nullptr) return;
    const std::set<AcDbObjectId> ids = std::move(changed_);
    changed_.clear();
    for (const AcDbObjectId& id : ids) {
        const QRectF before = scene_->boundsOf(id);
        scene_->entityChanged(id);
        updateWorld(before.united(scene_->boundsOf(id)));
    }
}

void DrawingView::updateWorld(const QRectF& worldBox) {
    if (worldBox.isNull()) return;
    const QRectF screen =
        QRectF(transform_.toScreen(worldBox.topLeft()), transform_.toScreen(worldBox.bottomRight()))
            .normalized();
    // Line widths and highlight halos reach a little beyond the geometry.
    update(screen.toAlignedRect().adjusted(-3, -3, 3, 3));
}

std::set<AcDbObjectId> DrawingView::highlighted() const {
    std::set<AcDbObjectId> lit;
    for (const AcDbObjectId& id : highlightedIds()) lit.insert(id);
    for (const AcDbObjectId& id : pickfirstIds()) lit.insert(id);
    if (const auto* chosen = currentPrompt().chosen)
        for (const AcDbObjectId& id : *chosen) lit.insert(id);
    return lit;
}

void DrawingView::updateHighlight() {
    if (scene_ == nullptr) return;
    std::set<AcDbObjectId> now = highlighted();
    std::vector<AcDbObjectId> differ;
    std::set_symmetric_difference(now.begin(), now.end(), shownHighlight_.begin(),
                                  shownHighlight_.end(), std::back_inserter(differ));
    for (const AcDbObjectId& id : differ) updateWorld(scene_->boundsOf(id));
    shownHighlight_ = std::move(now);
}

void DrawingView::redraw(AcDbObjectId id) {
    if (id.isNull()) {
        update();
        return;
    }
    updateHighlight();
    if (scene_ != nullptr) updateWorld(scene_->boundsOf(id));
}

void DrawingView::zoomExtents() {
    if (scene_ == nullptr) return;
    transform_.size = size();
    transform_.fit(scene_->extents());
    update();
}

void DrawingView::zoomWindow(const QRectF& world) {
    transform_.size = size();
    transform_.fit(world.normalized(), 0.0);
    update();
}

AcDbObjectId DrawingView::entityAt(QPointF screen) const {
    if (scene_ == nullptr) return {};
    return scene_->pick(transform_.toWorld(screen), kPickBox / transform_.pixelsPerUnit);
}

std::optional<AcDbObjectId> DrawingView::pickForHost(QPointF world) const {
    // The host works in paper space while "CVPORT" is 1.
    const auto cvport = getVar(L"CVPORT");
    const bool paper = cvport && cvport->integer == 1;
    if (scene_ == nullptr || db_ != acdbHostApplicationServices()->workingDatabase() ||
        scene_->isPaperSpace() != paper)
        return std::nullopt;
    return entityAt(transform_.toScreen(world));
}

void DrawingView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), view::DrawingScene::backgroundColor());
    if (scene_ != nullptr) scene_->paint(p, transform_, event->rect(), shownHighlight_);
    drawRubberBand(p);
}

void DrawingView::drawRubberBand(QPainter& p) const {
    const PromptContext& prompt = currentPrompt();
    std::optional<QPointF> from;
    bool box = false;
    if (firstCorner_) {
        from = transform_.toScreen(*firstCorner_);
        box = true;
    } else if (pressedAt_ && selecting() && dragged(*pressedAt_, cursor_)) {
        from = *pressedAt_;
        box = true;
    } else if (pump_ != nullptr && pump_->waiting() && prompt.hasBase &&
               (prompt.kind == PromptKind::Point || prompt.kind == PromptKind::Corner)) {
        from = transform_.toScreen(ucsToWorldPoint(prompt.base));
        box = prompt.kind == PromptKind::Corner;
    }
    if (!from || !rect().contains(cursor_.toPoint())) return;
    p.setRenderHint(QPainter::Antialiasing, false);
    if (!box) {
        p.setPen(QPen(Qt::white, 0, Qt::DashLine));
        p.drawLine(*from, cursor_);
        return;
    }
    // Drawn to the right it encloses, to the left it crosses.
    const bool crossing = cursor_.x() < from->x();
    const QColor tint = crossing ? QColor(60, 200, 90) : QColor(70, 130, 230);
    p.setPen(QPen(tint, 0, crossing ? Qt::DashLine : Qt::SolidLine));
    p.setBrush(QColor(tint.red(), tint.green(), tint.blue(), 50));
    p.drawRect(QRectF(*from, cursor_).normalized());
}

void DrawingView::resizeEvent(QResizeEvent*) {
    // The centre stays where it was; the scale too.
    transform_.size = size();
}

void DrawingView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0) return;
    transform_.zoomAbout(event->position(), std::pow(kWheelStep, notches));
    update();
    event->accept();
}

void DrawingView::mousePressEvent(QMouseEvent* event) {
    cursor_ = event->position();
    if (event->button() == Qt::MiddleButton) {
        panFrom_ = event->position();
        setCursor(Qt::ClosedHandCursor);
    } else if (event->button() == Qt::LeftButton) {
        pressedAt_ = event->position();
    }
}

void DrawingView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (panFrom_) {
        transform_.panBy(at - *panFrom_);
        panFrom_ = at;
        update();
    } else if (firstCorner_ || currentPrompt().hasBase || pressedAt_) {
        update();  // the rubber band follows
    }
    cursor_ = at;
    emit cursorMoved(transform_.toWorld(at));
}

void DrawingView::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (event->button() == Qt::MiddleButton) {
        panFrom_.reset();
        setCursor(Qt::CrossCursor);
        return;
    }
    if (event->button() == Qt::RightButton) {
        // Right click is Enter.
        firstCorner_.reset();
        if (pump_ != nullptr) pump_->post("");
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    const std::optional<QPointF> pressed = std::exchange(pressedAt_, std::nullopt);
    if (doubleClicked_.isValid()) {
        const bool sameGesture = doubleClicked_.elapsed() <= QApplication::doubleClickInterval();
        doubleClicked_.invalidate();
        if (sameGesture) return;
    }
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    if (pressed && selecting() && !firstCorner_ && dragged(*pressed, at)) {
        // Pressed, dragged and let go: a window between the two points.
        finishWindow(transform_.toWorld(*pressed), transform_.toWorld(at), at.x() < pressed->x());
        return;
    }
    click(at, shift);
}

void DrawingView::click(QPointF screen, bool shift) {
    if (pump_ == nullptr || !pump_->waiting()) return;
    const QPointF world = transform_.toWorld(screen);
    switch (currentPrompt().kind) {
        case PromptKind::Text:
            return;
        case PromptKind::Point:
        case PromptKind::Corner:
            pump_->post(pointAnswer(world));
            return;
        case PromptKind::Entity: {
            const AcDbObjectId id = entityAt(screen);
            pump_->post(id.isNull() ? pointAnswer(world) : handleAnswer(id));
            return;
        }
        case PromptKind::Selection:
        case PromptKind::Command:
            break;
    }
    if (firstCorner_) {
        const QPointF first = *firstCorner_;
        finishWindow(first, world, screen.x() < transform_.toScreen(first).x());
        return;
    }
    const AcDbObjectId id = entityAt(screen);
    if (id.isNull()) {
        // Clicked on nothing: the first corner of a window.
        firstCorner_ = world;
        update();
        return;
    }
    if (currentPrompt().kind == PromptKind::Selection) {
        pump_->post(handleAnswer(id));
        return;
    }
    // At the Command prompt: the pick-first set, shift-click takes out.
    std::vector<AcDbObjectId> first = pickfirstIds();
    const auto it = std::find(first.begin(), first.end(), id);
    if (shift && it != first.end()) first.erase(it);
    if (!shift && it == first.end()) first.push_back(id);
    setPickfirst(first);
    updateHighlight();
}

void DrawingView::finishWindow(QPointF firstWorld, QPointF secondWorld, bool crossing) {
    firstCorner_.reset();
    update();
    if (currentPrompt().kind == PromptKind::Selection) {
        for (const std::string& line : windowAnswers(firstWorld, secondWorld, crossing))
            pump_->post(line);
        return;
    }
    if (scene_ == nullptr) return;
    std::vector<AcDbObjectId> first = pickfirstIds();
    for (const AcDbObjectId& id :
         scene_->select(QRectF(firstWorld, secondWorld).normalized(), crossing))
        if (std::find(first.begin(), first.end(), id) == first.end()) first.push_back(id);
    setPickfirst(first);
    updateHighlight();
}

void DrawingView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    doubleClicked_.start();
    if (pump_ == nullptr || !pump_->waiting() || currentPrompt().kind != PromptKind::Command)
        return;
    const AcDbObjectId id = entityAt(event->position());
    if (id.isNull()) return;
    firstCorner_.reset();
    // The extension is told where the entity was clicked: the point goes as
    // typed when the host's own pick there finds the same entity, else the
    // handle names it (and the host passes its corner).
    const std::string at = pointAnswer(transform_.toWorld(event->position()));
    const bool samePick = entityByAnswer(fromUtf8(at)) == id;
    pump_->post("DBLCLICK " + (samePick ? at : handleAnswer(id)));
}

void DrawingView::cancel() {
    firstCorner_.reset();
    update();
    if (pump_ == nullptr || !pump_->waiting()) return;
    if (currentPrompt().kind == PromptKind::Command && !pickfirstIds().empty()) {
        setPickfirst({});
        updateHighlight();
    }
    pump_->postEscape();
}

void DrawingView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        cancel();
        return;
    }
    // Typing over the drawing types on the command line.
    if (keyTarget_ != nullptr) {
        keyTarget_->setFocus();
        QCoreApplication::sendEvent(keyTarget_, event);
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace cadhost::gui
