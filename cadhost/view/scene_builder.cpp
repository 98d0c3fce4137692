#include "cadhost/view/scene_builder.h"

#include <QLineF>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cwctype>
#include <numbers>

#include "cadhost/db/group_lookup.h"
#include "cadhost/db/store.h"
#include "cadhost/dxf/codepage.h"
#include "cadhost/dxf/strings.h"
#include "cadhost/geom/textgeom.h"
#include "cadhost/view/colors.h"

namespace cadhost::view {
namespace {

using cadhost::dxf::Tags;
constexpr double kDeg = std::numbers::pi / 180.0;
constexpr int kMaxDepth = 12;
// Segments of a full circle; arcs get their share.
constexpr int kCircleSegments = 96;

double num(std::string_view v) {
    v = cadhost::dxf::trim(v);
    if (!v.empty() && v.front() == '+') v.remove_prefix(1);
    double d = 0;
    std::from_chars(v.data(), v.data() + v.size(), d);
    return d;
}
long long whole(std::string_view v) {
    v = cadhost::dxf::trim(v);
    if (!v.empty() && v.front() == '+') v.remove_prefix(1);
    long long n = 0;
    std::from_chars(v.data(), v.data() + v.size(), n);
    return n;
}

// First group of a code; the groups are those of an open entity (Tag) or
// of a record looked at in place (TagView).
template <class T>
const T* group(const std::vector<T>& t, int code) {
    for (const auto& g : t)
        if (g.code == code) return &g;
    return nullptr;
}
template <class T>
double real(const std::vector<T>& t, int code, double fallback) {
    const auto* g = group(t, code);
    return g ? num(g->value) : fallback;
}
template <class T>
long long integer(const std::vector<T>& t, int code, long long fallback) {
    const auto* g = group(t, code);
    return g ? whole(g->value) : fallback;
}
template <class T>
QPointF point(const std::vector<T>& t, int code) {
    return {real(t, code, 0), real(t, code + 10, 0)};
}
std::wstring bytesToWide(const std::string& s) {
    std::wstring w;
    w.reserve(s.size());
    for (unsigned char c : s) w += static_cast<wchar_t>(c);
    return w;
}
std::wstring lower(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

// Entities whose points lie in their own plane: one looked at from below
// (extrusion z negative) is mirrored.
template <class T>
QTransform ocs(const std::vector<T>& t, const QTransform& xf) {
    return real(t, 230, 1.0) < 0 ? QTransform::fromScale(-1, 1) * xf : xf;
}

bool finite(QPointF p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

Prim polyline(QPolygonF pts, bool closed, QRgb color) {
    Prim p;
    p.kind = Prim::Polyline;
    p.closed = closed;
    p.color = color;
    p.points = std::move(pts);
    return p;
}

// Whether the text holds "%%k" (either case), the host's toggle codes.
// It may see a code inside "%%%%u" that the glyphs do not: the box is then
// only a little larger than needed.
bool hasPercentCode(std::wstring_view text, wchar_t k) {
    for (std::size_t at = text.find(L"%%"); at != std::wstring_view::npos && at + 2 < text.size();
         at = text.find(L"%%", at + 2)) {
        if (static_cast<wchar_t>(std::towlower(text[at + 2])) == k) return true;
    }
    return false;
}

// A line of text as a run; its glyphs wait for the first paint that can
// read them.  `advance` is the line's width in the host's metrics, which the
// cells of its glyphs add up to.
void addRun(std::wstring line, double advance, tarsil::FontType type, const char16_t* codePage,
            const QTransform& toWorld, QRgb color, std::vector<Prim>& out) {
    if (!(advance > 0)) return;
    auto run = std::make_shared<TextRun>();
    run->bottom = geom::hasDescender(line) ? -geom::kDescent : 0.0;
    // The box holds the bars of "%%u" and "%%o" too.
    if (hasPercentCode(line, L'u'))
        run->bottom = std::min(run->bottom, kUnderlineY - kBarThickness / 2);
    if (hasPercentCode(line, L'o')) run->top = kOverlineY + kBarThickness / 2;
    run->stored = std::move(line);
    run->type = type;
    run->codePage = codePage;
    run->rightToLeft = drawsRightToLeft(type);
    run->advance = advance;
    run->toWorld = toWorld;
    Prim p;
    p.kind = Prim::Text;
    p.color = color;
    p.text = std::move(run);
    out.push_back(std::move(p));
}

}  // namespace

std::wstring dimensionText(std::wstring_view typed, std::wstring_view measured) {
    // A single blank suppresses the text.
    if (typed == L" ") return {};
    std::wstring out;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (typed.compare(i, 2, L"<>") == 0) {
            out += measured;
            ++i;
        } else {
            out += typed[i];
        }
    }
    return out;
}

QTransform textFrame(QPointF start, double rotation, double height, double widthFactor,
                     double oblique) {
    const double c = std::cos(rotation), s = std::sin(rotation), t = std::tan(oblique);
    const double hw = height * widthFactor;
    return QTransform(hw * c, hw * s, height * (t * c - s), height * (t * s + c), start.x(),
                      start.y());
}

std::wstring decodeUnicodeEscapes(std::wstring_view s) {
    std::wstring out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'\\' && i + 1 < s.size() && s[i + 1] == L'\\') {
            out += L"\\\\";
            ++i;
            continue;
        }
        if (s[i] == L'\\' && i + 6 < s.size() + 0 && (s[i + 1] == L'U' || s[i + 1] == L'u') &&
            s[i + 2] == L'+') {
            bool hex = true;
            unsigned value = 0;
            for (std::size_t k = 3; k < 7 && hex; ++k) {
                const wchar_t h = s[i + k];
                hex = std::iswxdigit(h) != 0;
                value = value * 16 + (std::iswdigit(h) ? h - L'0' : (std::towlower(h) - L'a' + 10));
            }
            // A code the host keeps as bytes stays an escape: it is no glyph.
            if (hex && value > 0xFF) {
                out += static_cast<wchar_t>(value);
                i += 6;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

QPolygonF arcPoints(QPointF center, double rx, double ry, double rotation, double a0,
                    double sweep) {
    QPolygonF pts;
    if (!std::isfinite(sweep) || !std::isfinite(a0)) return pts;
    const int n = std::clamp(
        static_cast<int>(std::ceil(std::abs(sweep) / (2 * std::numbers::pi) * kCircleSegments)), 2,
        kCircleSegments);
    const double c = std::cos(rotation), s = std::sin(rotation);
    pts.reserve(n + 1);
    for (int i = 0; i <= n; ++i) {
        const double a = a0 + sweep * i / n;
        const double x = rx * std::cos(a), y = ry * std::sin(a);
        pts.append(center + QPointF(x * c - y * s, x * s + y * c));
    }
    return pts;
}

void appendBulge(QPolygonF& poly, QPointF p, QPointF q, double bulge) {
    const QPointF v = q - p;
    const double len = std::hypot(v.x(), v.y());
    if (std::abs(bulge) < 1e-9 || len <= 0 || !std::isfinite(bulge)) {
        poly.append(q);
        return;
    }
    const double theta = 4 * std::atan(bulge);
    const double r = len / (2 * std::sin(theta / 2));
    const QPointF normal(-v.y() / len, v.x() / len);
    const QPointF center = (p + q) / 2 + normal * (r * std::cos(theta / 2));
    const double a0 = std::atan2(p.y() - center.y(), p.x() - center.x());
    QPolygonF arc = arcPoints(center, std::abs(r), std::abs(r), 0, a0, theta);
    for (int i = 1; i < arc.size(); ++i) poly.append(arc[i]);
    if (!poly.isEmpty()) poly.back() = q;
}

SceneBuilder::SceneBuilder(AcDbDatabase* db, const FontTypes& fonts)
    : db_(db), fonts_(fonts), codePage_(cadhost::dxf::upperHalf(db->codePage())) {}

const SceneBuilder::Layer& SceneBuilder::layer(const std::wstring& name) {
    const std::wstring key = lower(name);
    if (auto it = layers_.find(key); it != layers_.end()) return it->second;
    Layer l;
    l.color = aciColor(7);
    AcDbLayerTable* table = nullptr;
    if (db_->getLayerTable(table, AcDb::kForRead) == Acad::eOk) {
        AcDbSymbolTableRecord* rec = nullptr;
        if (table->getAt(name.c_str(), rec, AcDb::kForRead) == Acad::eOk) {
            const Tags& t = rec->tags();
            const long long aci = integer(t, 62, 7);
            l.hidden = aci < 0 || (integer(t, 70, 0) & 1) != 0;
            l.color = group(t, 420) ? trueColor(integer(t, 420, 0))
                                    : aciColor(static_cast<int>(std::llabs(aci)));
            rec->close();
        }
        table->close();
    }
    return layers_.emplace(key, l).first->second;
}

template <class StyleId>
tarsil::FontType SceneBuilder::fontTypeByName(std::string_view stored, StyleId&& style) {
    std::string key(stored);
    if (auto it = styleTypes_.find(key); it != styleTypes_.end()) return it->second;
    const tarsil::FontType type = fonts_.ofStyle(style());
    styleTypes_.emplace(std::move(key), type);
    return type;
}

template <class T>
tarsil::FontType SceneBuilder::fontTypeOf(const T* entity) {
    const cadhost::dxf::Tag* name = group(entity->tags(), 7);
    return fontTypeByName(name != nullptr ? std::string_view(name->value) : std::string_view(),
                          [&] { return entity->textStyle(); });
}

tarsil::FontType SceneBuilder::dimensionFontType(const Context& ctx, tarsil::FontType own) const {
    if (ctx.dimText == nullptr) return own;
    // The dimension style's text style; an older drawing may name none
    // the map knows, then the block's text tells.
    const tarsil::FontType type = fonts_.ofStyle(ctx.dimStyle);
    return type == tarsil::FontType::Unknown ? own : type;
}

const std::vector<AcDbObjectId>& SceneBuilder::blockEntities(const std::wstring& name,
                                                             QPointF& base) {
    cadhost::db::Store& st = db_->store_();
    if (!blocksIndexed_) {
        // One pass over the drawing collects every block's entities.
        blocksIndexed_ = true;
        std::unordered_map<const AcDbStub*, std::wstring> names;
        st.forEachInOrder([&](AcDbStub* s) {
            if (!s->live || s->erased || s->parent != nullptr || s->block == nullptr ||
                !st.isEntity(s))
                return;
            auto it = names.find(s->block);
            if (it == names.end()) it = names.emplace(s->block, lower(st.nameOf(s->block))).first;
            Block& b = blocks_[it->second];
            if (b.entities.empty()) {
                const Tags t = st.tagsOf(s->block);
                b.base = point(t, 10);
            }
            b.entities.emplace_back(s);
        });
    }
    static const std::vector<AcDbObjectId> none;
    auto it = blocks_.find(lower(name));
    if (it == blocks_.end()) return none;
    base = it->second.base;
    return it->second.entities;
}

template <class T, class LayerName>
const std::wstring* SceneBuilder::look(const std::vector<T>& t, const Context& ctx,
                                       LayerName&& layerOf, QRgb& color) {
    // Layers by the name as stored: most entities share a few layers, and
    // decoding each one's name again would cost more than drawing it.
    const auto* layerGroup = group(t, 8);
    const std::string_view rawLayer =
        layerGroup != nullptr ? std::string_view(layerGroup->value) : std::string_view("0");
    auto named = layerNames_.find(std::string(rawLayer));
    if (named == layerNames_.end()) {
        std::wstring name = layerOf();
        const Layer* lay = &layer(name);
        named = layerNames_.emplace(rawLayer, NamedLayer{std::move(name), lay}).first;
    }
    const bool byBlock = ctx.depth > 0 && named->second.name == L"0";
    const std::wstring& layerName = byBlock ? ctx.layer : named->second.name;
    const Layer& lay = byBlock ? layer(layerName) : *named->second.layer;
    if (lay.hidden) return nullptr;
    color = lay.color;
    if (group(t, 420) != nullptr) {
        color = trueColor(integer(t, 420, 0));
    } else {
        const long long aci = integer(t, 62, kByLayer);
        if (aci == kByBlock)
            color = ctx.byBlock;
        else if (aci != kByLayer)
            color = aciColor(static_cast<int>(std::llabs(aci)));
    }
    // Invisible (group 60).
    if (integer(t, 60, 0) != 0) return nullptr;
    return &layerName;
}

void SceneBuilder::build(AcDbObjectId id, std::vector<Prim>& out) {
    const AcDbStub* s = id.stub();
    // Texts, most of what a big drawing holds, are read in place from their
    // records: no object opened, no group copied.  One that is open may
    // differ from its record, so it is read as any other entity.
    if (s != nullptr && s->live && !s->erased && s->open == nullptr &&
        (s->type == "TEXT" || s->type == "MTEXT")) {
        textRecord(s, out);
        return;
    }
    AcDbEntity* e = nullptr;
    if (acdbOpenAcDbEntity(e, id, AcDb::kForRead) != Acad::eOk) return;
    Context ctx{QTransform(), aciColor(7), L"0", 0};
    entity(e, ctx, out);
    e->close();
}

namespace {

// Typed reads of a record looked at in place, by the rules the entity
// accessors read by (the first group of a code in a subclass).
class InPlace {
  public:
    InPlace(const std::vector<cadhost::dxf::TagView>& t, const cadhost::db::Store& st)
        : t_(t), st_(st) {}
    cadhost::db::GroupSpan span(std::string_view subclass, int occurrence = 1) const {
        return cadhost::db::subclassGroups(t_, subclass, occurrence);
    }
    const cadhost::dxf::TagView* find(cadhost::db::GroupSpan in, int code) const {
        const std::size_t i = cadhost::db::findGroup(t_, in, code);
        return i == std::string::npos ? nullptr : &t_[i];
    }
    double real(cadhost::db::GroupSpan in, int code, double fallback) const {
        const auto* g = find(in, code);
        if (g == nullptr) return fallback;
        const std::string_view v = cadhost::dxf::trim(g->value);
        double d = fallback;
        std::from_chars(v.data(), v.data() + v.size(), d);
        return d;
    }
    long long integer(cadhost::db::GroupSpan in, int code, long long fallback) const {
        const auto* g = find(in, code);
        if (g == nullptr) return fallback;
        const std::string_view v = cadhost::dxf::trim(g->value);
        long long n = fallback;
        std::from_chars(v.data(), v.data() + v.size(), n);
        return n;
    }
    QPointF point(cadhost::db::GroupSpan in, int code, QPointF fallback) const {
        if (find(in, code) == nullptr) return fallback;
        return {real(in, code, fallback.x()), real(in, code + 10, fallback.y())};
    }
    std::wstring text(cadhost::db::GroupSpan in, int code) const {
        const auto* g = find(in, code);
        return cadhost::db::decodeValue(st_.codec(), g != nullptr ? g->value : std::string_view());
    }
    AcDbObjectId style(cadhost::db::GroupSpan in) const {
        const std::wstring name = text(in, 7);
        return AcDbObjectId(st_.tableEntry("STYLE", name.empty() ? L"Standard" : name));
    }

  private:
    const std::vector<cadhost::dxf::TagView>& t_;
    const cadhost::db::Store& st_;
};

}  // namespace

void SceneBuilder::textRecord(const AcDbStub* s, std::vector<Prim>& out) {
    const cadhost::db::Store& st = db_->store_();
    st.groupsOf(s, record_);
    const InPlace in(record_, st);
    const Context ctx{QTransform(), aciColor(7), L"0", 0};
    QRgb color = 0;
    auto layerName = [&] {
        std::wstring l = in.text(in.span("AcDbEntity"), 8);
        return l.empty() ? std::wstring(L"0") : l;
    };
    if (look(record_, ctx, layerName, color) == nullptr) return;
    const auto* styleGroup = group(record_, 7);
    const std::string_view styleKey =
        styleGroup != nullptr ? styleGroup->value : std::string_view();
    if (s->type == "TEXT") {
        const cadhost::db::GroupSpan own = in.span("AcDbText");
        TextSpec spec;
        spec.s = in.text(own, 1);
        spec.h = in.real(own, 40, 0.0);
        spec.w = in.real(own, 41, 1.0);
        spec.rot = in.real(own, 50, 0.0) * kDeg;
        spec.oblique = in.real(own, 51, 0.0) * kDeg;
        const long long hm = in.integer(own, 72, 0);
        spec.hm = hm >= 0 && hm <= 5 ? static_cast<int>(hm) : AcDb::kTextLeft;
        const long long vm = in.integer(in.span("AcDbText", 2), 73, 0);
        spec.vm = vm >= 0 && vm <= 3 ? static_cast<int>(vm) : AcDb::kTextBase;
        spec.pos = in.point(own, 10, QPointF());
        const bool byStart = spec.hm == AcDb::kTextLeft && spec.vm == AcDb::kTextBase;
        spec.align = in.point(own, 11, byStart ? spec.pos : QPointF());
        spec.type = fontTypeByName(styleKey, [&] { return in.style(own); });
        placeText(spec, ocs(record_, ctx.xf), color, out);
        return;
    }
    const cadhost::db::GroupSpan own = in.span("AcDbMText");
    MTextSpec spec;
    // The leading pieces of long contents (group 3), then the rest.
    const auto* last = in.find(own, 1);
    const std::string_view tail = last != nullptr ? last->value : std::string_view();
    std::string raw;
    for (std::size_t i = own.begin; i < own.end; ++i)
        if (record_[i].code == 3) raw += record_[i].value;
    if (!raw.empty()) raw += tail;
    spec.contents = cadhost::db::decodeValue(st.codec(), raw.empty() ? tail : raw);
    spec.h = in.real(own, 40, 0.0);
    spec.width = in.real(own, 41, 0.0);
    spec.spacing = in.real(own, 44, 1.0);
    const long long attach = in.integer(own, 71, 1);
    spec.attach = attach >= 1 && attach <= 9 ? static_cast<int>(attach) : 1;
    if (in.find(own, 11) != nullptr) {
        const QPointF d = in.point(own, 11, QPointF(1, 0));
        spec.rotation = std::atan2(d.y(), d.x());
    } else {
        spec.rotation = in.real(own, 50, 0.0) * kDeg;
    }
    spec.loc = in.point(own, 10, QPointF());
    spec.type = fontTypeByName(styleKey, [&] { return in.style(own); });
    placeMText(spec, ctx.xf, color, out);
}

void SceneBuilder::entity(AcDbEntity* e, const Context& ctx, std::vector<Prim>& out) {
    const Tags& t = e->tags();
    const std::string type = e->dxfName();
    QRgb color = 0;
    const std::wstring* shownLayer = look(
        t, ctx, [&] { return e->layer(); }, color);
    if (shownLayer == nullptr) return;
    const std::wstring& layerName = *shownLayer;

    if (type == "LINE") {
        out.push_back(polyline(ctx.xf.map(QPolygonF({point(t, 10), point(t, 11)})), false, color));
    } else if (type == "CIRCLE" || type == "ARC") {
        const QTransform xf = ocs(t, ctx.xf);
        const double r = real(t, 40, 0);
        if (r <= 0 || !std::isfinite(r)) return;
        double a0 = 0, sweep = 2 * std::numbers::pi;
        if (type == "ARC") {
            a0 = real(t, 50, 0) * kDeg;
            sweep = std::fmod(real(t, 51, 0) * kDeg - a0, 2 * std::numbers::pi);
            if (sweep <= 0) sweep += 2 * std::numbers::pi;
        }
        out.push_back(
            polyline(xf.map(arcPoints(point(t, 10), r, r, 0, a0, sweep)), type == "CIRCLE", color));
    } else if (type == "ELLIPSE") {
        const QPointF major = point(t, 11);
        const double rx = std::hypot(major.x(), major.y()), ratio = real(t, 40, 1);
        const double p0 = real(t, 41, 0);
        double sweep = real(t, 42, 2 * std::numbers::pi) - p0;
        if (sweep <= 0) sweep += 2 * std::numbers::pi;
        const bool full = std::abs(sweep - 2 * std::numbers::pi) < 1e-9;
        out.push_back(polyline(ctx.xf.map(arcPoints(point(t, 10), rx, rx * ratio,
                                                    std::atan2(major.y(), major.x()), p0, sweep)),
                               full, color));
    } else if (type == "LWPOLYLINE") {
        QPolygonF pts;
        std::vector<double> bulges;
        for (const auto& g : t) {
            if (g.code == 10) {
                pts.append(QPointF(num(g.value), 0));
                bulges.push_back(0);
            } else if (g.code == 20 && !pts.isEmpty()) {
                pts.back().setY(num(g.value));
            } else if (g.code == 42 && !bulges.empty()) {
                bulges.back() = num(g.value);
            }
        }
        if (pts.isEmpty()) return;
        const bool closed = (integer(t, 70, 0) & 1) != 0;
        QPolygonF flat{pts[0]};
        for (int i = 1; i < pts.size(); ++i) appendBulge(flat, pts[i - 1], pts[i], bulges[i - 1]);
        if (closed && pts.size() > 1) appendBulge(flat, pts.back(), pts[0], bulges.back());
        out.push_back(polyline(ocs(t, ctx.xf).map(flat), false, color));
    } else if (type == "POLYLINE") {
        polyline2d(e, ctx.xf, color, out);
    } else if (type == "SPLINE") {
        QPolygonF pts;
        const int xCode = group(t, 11) != nullptr ? 11 : 10;
        for (const auto& g : t) {
            if (g.code == xCode) pts.append(QPointF(num(g.value), 0));
            if (g.code == xCode + 10 && !pts.isEmpty()) pts.back().setY(num(g.value));
        }
        if (pts.size() > 1)
            out.push_back(polyline(ctx.xf.map(pts), (integer(t, 70, 0) & 1) != 0, color));
    } else if (type == "POINT") {
        Prim p;
        p.kind = Prim::Dot;
        p.color = color;
        p.points = QPolygonF({ctx.xf.map(point(t, 10))});
        out.push_back(std::move(p));
    } else if (type == "SOLID" || type == "TRACE") {
        // The third and fourth corners are listed crosswise.
        Prim p;
        p.kind = Prim::Fill;
        p.color = color;
        p.points =
            ocs(t, ctx.xf).map(QPolygonF({point(t, 10), point(t, 11), point(t, 13), point(t, 12)}));
        if (group(t, 13) == nullptr) p.points.remove(2);
        out.push_back(std::move(p));
    } else if (type == "3DFACE") {
        QPolygonF pts({point(t, 10), point(t, 11), point(t, 12), point(t, 13)});
        out.push_back(polyline(ctx.xf.map(pts), true, color));
    } else if (type == "HATCH") {
        hatch(t, ocs(t, ctx.xf), color, out);
    } else if (type == "TEXT" || type == "ATTRIB" || type == "ATTDEF") {
        auto* text = dynamic_cast<AcDbText*>(e);
        if (text == nullptr) return;
        if (auto* att = dynamic_cast<AcDbAttribute*>(e); att != nullptr && att->isInvisible())
            return;
        // A definition shows its tag, and only outside a block.
        if (type == "ATTDEF" && ctx.depth > 0) return;
        Context c = ctx;
        c.xf = ocs(t, ctx.xf);
        this->text(text, c, color, out);
    } else if (type == "MTEXT") {
        if (auto* m = dynamic_cast<AcDbMText*>(e)) mtext(m, ctx, color, out);
    } else if (type == "INSERT") {
        if (auto* ref = dynamic_cast<AcDbBlockReference*>(e))
            insert(ref, ctx, color, layerName, out);
    } else if (type == "DIMENSION") {
        // Drawn as the block the dimension was made into.
        const cadhost::dxf::Tag* name = group(t, 2);
        if (name == nullptr || ctx.depth >= kMaxDepth) return;
        Context inner{ctx.xf, color, layerName, ctx.depth + 1};
        // The block holds the text the dimension was made with; a text the
        // user typed since shows in its place, as the host shows it once it
        // has made the block again.
        std::wstring override;
        if (auto* dim = dynamic_cast<AcDbDimension*>(e)) {
            override = dim->dimensionTextConst();
            if (!override.empty() && override != L"<>") {
                inner.dimText = &override;
                inner.dimStyle = dim->textStyle();
            }
        }
        blockContents(bytesToWide(name->value), inner, out);
    } else if (type == "LEADER") {
        auto* leader = dynamic_cast<AcDbLeader*>(e);
        if (leader == nullptr) return;
        QPolygonF pts;
        for (int i = 0; i < leader->numVertices(); ++i) {
            const AcGePoint3d v = leader->vertexAt(i);
            pts.append(QPointF(v.x, v.y));
        }
        if (pts.size() < 2) return;
        out.push_back(polyline(ctx.xf.map(pts), false, color));
        // A closed filled arrow at the first vertex, as long as its style's
        // arrow size, left out when the first segment is too short for it.
        if (integer(t, 71, 1) == 0) return;
        double size = 2.5;
        if (const cadhost::dxf::Tag* style = group(t, 3)) {
            cadhost::db::Store& st = db_->store_();
            if (const AcDbStub* ds = st.tableEntry("DIMSTYLE", bytesToWide(style->value)))
                size = real(st.tagsOf(ds), 41, size);
        }
        const QLineF first(pts[0], pts[1]);
        if (!(size > 0) || first.length() < 2 * size) return;
        const QPointF u = (pts[0] - pts[1]) / first.length();
        const QPointF n(-u.y(), u.x());
        const QPointF base = pts[0] - u * size;
        Prim arrow;
        arrow.kind = Prim::Fill;
        arrow.color = color;
        arrow.points =
            ctx.xf.map(QPolygonF({pts[0], base + n * (size / 6), base - n * (size / 6)}));
        out.push_back(std::move(arrow));
    } else if (type == "VIEWPORT") {
        // The sheet's own viewport (number 1) has no frame.
        if (integer(t, 69, 1) == 1) return;
        const QPointF c = point(t, 10);
        const double w = real(t, 40, 0) / 2, h = real(t, 41, 0) / 2;
        QPolygonF frame(
            {c + QPointF(-w, -h), c + QPointF(w, -h), c + QPointF(w, h), c + QPointF(-w, h)});
        out.push_back(polyline(ctx.xf.map(frame), true, color));
    }
}

void SceneBuilder::polyline2d(AcDbEntity* e, const QTransform& xf, QRgb color,
                              std::vector<Prim>& out) {
    const Tags& t = e->tags();
    const long long flags = integer(t, 70, 0);
    if (flags & 64) return;  // polyface meshes are not drawn
    QPolygonF pts;
    std::vector<double> bulges;
    cadhost::db::Store& st = db_->store_();
    for (AcDbObjectId vid : st.childrenOf(e->objectId().stub())) {
        if (vid.stub()->type != "VERTEX") continue;
        const Tags vt = st.tagsOf(vid.stub());
        if (integer(vt, 70, 0) & 16) continue;  // spline frame
        pts.append(point(vt, 10));
        bulges.push_back(real(vt, 42, 0));
    }
    if (pts.isEmpty()) return;
    // A 3D polyline has no bulges and lies in world coordinates.
    const bool is3d = (flags & 8) != 0;
    QPolygonF flat{pts[0]};
    for (int i = 1; i < pts.size(); ++i)
        appendBulge(flat, pts[i - 1], pts[i], is3d ? 0 : bulges[i - 1]);
    if ((flags & 1) && pts.size() > 1)
        appendBulge(flat, pts.back(), pts[0], is3d ? 0 : bulges.back());
    out.push_back(polyline((is3d ? xf : ocs(t, xf)).map(flat), false, color));
}

void SceneBuilder::insert(AcDbBlockReference* ref, const Context& ctx, QRgb color,
                          const std::wstring& layerName, std::vector<Prim>& out) {
    const Tags& t = ref->tags();
    if (ctx.depth < kMaxDepth) {
        const QPointF at = point(t, 10);
        const double sx = real(t, 41, 1), sy = real(t, 42, 1);
        const double rot = real(t, 50, 0) * kDeg;
        const int cols = static_cast<int>(std::clamp<long long>(integer(t, 70, 1), 1, 1000));
        const int rows = static_cast<int>(std::clamp<long long>(integer(t, 71, 1), 1, 1000));
        const double dx = real(t, 44, 0), dy = real(t, 45, 0);
        QPointF base;
        blockEntities(ref->blockName(), base);
        const QTransform space = ocs(t, ctx.xf);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                // A grid of copies (MINSERT) lies along the reference's rotation.
                QTransform xf = QTransform::fromTranslate(-base.x(), -base.y()) *
                                QTransform::fromScale(sx, sy) *
                                QTransform::fromTranslate(c * dx, r * dy) *
                                QTransform().rotateRadians(rot) *
                                QTransform::fromTranslate(at.x(), at.y()) * space;
                Context inner{xf, color, layerName, ctx.depth + 1};
                blockContents(ref->blockName(), inner, out);
            }
    }
    // Attributes lie in the reference's own space.
    AcDbObjectIterator* it = ref->attributeIterator();
    for (it->start(); !it->done(); it->step()) {
        AcDbEntity* att = nullptr;
        if (acdbOpenAcDbEntity(att, it->objectId(), AcDb::kForRead) != Acad::eOk) continue;
        Context attCtx{ctx.xf, color, layerName, ctx.depth + 1};
        entity(att, attCtx, out);
        att->close();
    }
    delete it;
}

void SceneBuilder::blockContents(const std::wstring& name, const Context& inner,
                                 std::vector<Prim>& out) {
    QPointF base;
    // Copied: drawing a nested block may add to the index.
    const std::vector<AcDbObjectId> ids = blockEntities(name, base);
    for (AcDbObjectId id : ids) {
        AcDbEntity* e = nullptr;
        if (acdbOpenAcDbEntity(e, id, AcDb::kForRead) != Acad::eOk) continue;
        entity(e, inner, out);
        e->close();
    }
}

void SceneBuilder::text(AcDbText* t, const Context& ctx, QRgb color, std::vector<Prim>& out) {
    TextSpec spec;
    spec.s = t->textStringConst();
    if (t->dxfName() == "ATTDEF")
        spec.s = bytesToWide(group(t->tags(), 2) ? group(t->tags(), 2)->value : "");
    if (ctx.dimText != nullptr) spec.s = dimensionText(*ctx.dimText, spec.s);
    spec.h = t->height();
    spec.w = t->widthFactor();
    spec.hm = t->horizontalMode();
    spec.vm = t->verticalMode();
    spec.rot = t->rotation();
    spec.oblique = t->oblique();
    const AcGePoint3d pos = t->position(), align = t->alignmentPoint();
    spec.pos = QPointF(pos.x, pos.y);
    spec.align = QPointF(align.x, align.y);
    spec.type = dimensionFontType(ctx, fontTypeOf(t));
    placeText(spec, ctx.xf, color, out);
}

void SceneBuilder::placeText(TextSpec& spec, const QTransform& xf, QRgb color,
                             std::vector<Prim>& out) {
    const std::wstring& s = spec.s;
    double h = spec.h, w = spec.w, rot = spec.rot;
    if (s.empty() || !(h > 0) || !std::isfinite(h)) return;
    if (!(w > 0) || !std::isfinite(w)) w = 1;
    const int hm = spec.hm, vm = spec.vm;
    const double advance = geom::textAdvance(s);
    QPointF start = spec.pos;
    if (hm == AcDb::kTextAlign || hm == AcDb::kTextFit) {
        // Stretched between the start and the alignment point.
        const QPointF end = spec.align;
        const double length = QLineF(start, end).length();
        const double natural = advance * h * w;
        if (length > 0 && natural > 0) {
            rot = std::atan2(end.y() - start.y(), end.x() - start.x());
            if (hm == AcDb::kTextFit)
                w *= length / natural;
            else
                h *= length / natural;
        }
    } else if (hm != AcDb::kTextLeft || vm != AcDb::kTextBase) {
        const AcGeVector3d off = geom::rotated(geom::alignmentOffset(s, h, w, hm, vm), rot);
        start = QPointF(spec.align.x() - off.x, spec.align.y() - off.y);
    }
    addRun(std::move(spec.s), advance, spec.type, codePage_,
           textFrame(start, rot, h, w, spec.oblique) * xf, color, out);
}

void SceneBuilder::mtext(AcDbMText* m, const Context& ctx, QRgb color, std::vector<Prim>& out) {
    MTextSpec spec;
    spec.contents = ctx.dimText != nullptr ? dimensionText(*ctx.dimText, m->contentsConst())
                                           : m->contentsConst();
    spec.h = m->textHeight();
    spec.spacing = m->lineSpacingFactor();
    spec.attach = m->attachment();
    spec.width = m->width();
    spec.rotation = m->rotation();
    const AcGePoint3d loc = m->location();
    spec.loc = QPointF(loc.x, loc.y);
    spec.type = dimensionFontType(ctx, fontTypeOf(m));
    placeMText(spec, ctx.xf, color, out);
}

void SceneBuilder::placeMText(const MTextSpec& spec, const QTransform& xf, QRgb color,
                              std::vector<Prim>& out) {
    const double h = spec.h;
    if (!(h > 0) || !std::isfinite(h)) return;
    const double spacing = spec.spacing > 0 ? spec.spacing : 1.0;
    // Most contents have no "\U+XXXX": no copy for them.
    const bool escaped = spec.contents.find(L"\\U+") != std::wstring::npos ||
                         spec.contents.find(L"\\u+") != std::wstring::npos;
    const std::wstring decoded = escaped ? decodeUnicodeEscapes(spec.contents) : std::wstring();
    std::vector<std::wstring> lines =
        geom::mtextLines(escaped ? decoded : spec.contents, h, spec.width);
    const geom::Box box = geom::mtextBox(lines, h, spacing, spec.attach);
    const int col = (spec.attach - 1) % 3;
    const QTransform place = QTransform().rotateRadians(spec.rotation) *
                             QTransform::fromTranslate(spec.loc.x(), spec.loc.y()) * xf;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double advance = geom::textAdvance(lines[i]);
        const double x = col == 0 ? box.left : col == 1 ? -advance * h / 2 : -advance * h;
        const double y = box.top - h - static_cast<double>(i) * h * geom::kMTextLinePitch * spacing;
        addRun(std::move(lines[i]), advance, spec.type, codePage_,
               textFrame({x, y}, 0, h, 1, 0) * place, color, out);
    }
}

void SceneBuilder::hatch(const Tags& t, const QTransform& xf, QRgb color, std::vector<Prim>& out) {
    std::size_t i = 0;
    const std::size_t n = t.size();
    // Finds the next group of a code, at most `reach` groups on.
    auto seek = [&](int code, std::size_t reach = 8) -> const cadhost::dxf::Tag* {
        for (std::size_t k = i; k < n && k < i + reach; ++k)
            if (t[k].code == code) {
                i = k + 1;
                return &t[k];
            }
        return nullptr;
    };
    auto val = [&](int code, double fallback = 0) {
        const auto* g = seek(code);
        return g ? num(g->value) : fallback;
    };
    auto pt = [&](int code) {
        const double x = val(code);
        return QPointF(x, val(code + 10));
    };
    while (i < n && t[i].code != 91) ++i;
    if (i >= n) return;
    const long long paths = std::clamp<long long>(whole(t[i].value), 0, static_cast<long long>(n));
    ++i;
    std::vector<QPolygonF> loops;
    for (long long p = 0; p < paths && i < n; ++p) {
        const auto* flagsTag = seek(92, n);
        if (flagsTag == nullptr) break;
        const long long flags = whole(flagsTag->value);
        QPolygonF loop;
        if (flags & 2) {
            const bool bulged = val(72) != 0;
            val(73);
            const long long count = std::clamp<long long>(static_cast<long long>(val(93)), 0,
                                                          static_cast<long long>(n));
            QPolygonF pts;
            std::vector<double> bulges;
            for (long long v = 0; v < count && i < n; ++v) {
                pts.append(pt(10));
                bulges.push_back(bulged && i < n && t[i].code == 42 ? num(t[i++].value) : 0.0);
            }
            if (!pts.isEmpty()) {
                loop.append(pts[0]);
                for (int k = 1; k < pts.size(); ++k)
                    appendBulge(loop, pts[k - 1], pts[k], bulges[k - 1]);
                appendBulge(loop, pts.back(), pts[0], bulges.back());
            }
        } else {
            const long long edges = std::clamp<long long>(static_cast<long long>(val(93)), 0,
                                                          static_cast<long long>(n));
            for (long long k = 0; k < edges && i < n; ++k) {
                const int kind = static_cast<int>(val(72));
                QPolygonF piece;
                if (kind == 1) {
                    const QPointF a = pt(10), b = pt(11);
                    piece = QPolygonF({a, b});
                } else if (kind == 2 || kind == 3) {
                    // A circular arc: radius; an elliptic one: major axis
                    // end and the minor-to-major ratio.
                    const QPointF c = pt(10);
                    QPointF major;
                    double ratio = 1;
                    if (kind == 2) {
                        major = QPointF(val(40), 0);
                    } else {
                        major = pt(11);
                        ratio = val(40, 1);
                    }
                    const double a0 = val(50) * kDeg, a1 = val(51) * kDeg;
                    // A clockwise edge gives its angles mirrored.
                    const bool ccw = val(73, 1) != 0;
                    double sweep = a1 - a0;
                    if (sweep <= 0) sweep += 2 * std::numbers::pi;
                    const double rx = std::hypot(major.x(), major.y());
                    const double rot = std::atan2(major.y(), major.x());
                    piece = arcPoints(c, rx, rx * ratio, rot, ccw ? a0 : -a0, ccw ? sweep : -sweep);
                } else if (kind == 4) {
                    val(94);
                    const long long knots = static_cast<long long>(val(95));
                    const long long controls = static_cast<long long>(val(96));
                    for (long long q = 0; q < knots && i < n && t[i].code == 40; ++q) ++i;
                    for (long long q = 0; q < controls && i < n; ++q) {
                        piece.append(pt(10));
                        if (i < n && t[i].code == 42) ++i;
                    }
                    // Fit points, then the end tangents.
                    if (i + 1 < n && t[i].code == 97 && t[i + 1].code == 11) {
                        const long long fits = whole(t[i].value);
                        ++i;
                        for (long long q = 0; q < fits && i < n; ++q) pt(11);
                    }
                    while (i < n && (t[i].code == 12 || t[i].code == 22 || t[i].code == 13 ||
                                     t[i].code == 23))
                        ++i;
                } else {
                    break;
                }
                for (const QPointF& q : piece)
                    if (loop.isEmpty() || loop.back() != q) loop.append(q);
            }
        }
        // The objects the boundary was made from.
        if (i < n && t[i].code == 97) {
            const long long sources = whole(t[i].value);
            ++i;
            for (long long q = 0; q < sources && i < n && t[i].code == 330; ++q) ++i;
        }
        bool ok = loop.size() > 1;
        for (const QPointF& q : loop) ok = ok && finite(q);
        if (ok) loops.push_back(xf.map(loop));
    }
    if (loops.empty()) return;
    if (integer(t, 70, 0) == 1) {
        Prim fill;
        fill.kind = Prim::Fill;
        fill.color = color;
        fill.points = loops[0];
        fill.holes.assign(loops.begin() + 1, loops.end());
        out.push_back(std::move(fill));
    }
    for (QPolygonF& loop : loops) out.push_back(polyline(std::move(loop), true, color));
}

}  // namespace cadhost::view
