#include "cadhost/db/entities.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>

#include "cadhost/db/database.h"
#include "cadhost/db/store.h"
#include "cadhost/geom/textgeom.h"

using cadhost::dxf::Tag;
using cadhost::dxf::Tags;

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

ACHAR* copyOf(const std::wstring& s) {
    ACHAR* p = new ACHAR[s.size() + 1];
    std::wmemcpy(p, s.c_str(), s.size() + 1);
    return p;
}

// Style record of a style name in the object's database.
AcDbObjectId styleByName(const AcDbDatabase* db, const std::wstring& name) {
    if (db == nullptr) return {};
    cadhost::db::Store& st = db->store_();
    AcDbStub* s = st.tableEntry("STYLE", name.empty() ? L"Standard" : name);
    return AcDbObjectId(s);
}

std::uint64_t parseHandle(std::string_view v) {
    while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
    std::uint64_t h = 0;
    std::from_chars(v.data(), v.data() + v.size(), h, 16);
    return h;
}

std::wstring recordName(AcDbObjectId id) {
    if (id.isNull() || !id.isValid()) return {};
    return id.stub()->db->store_().nameOf(id.stub());
}

#define TEXT_ORDER \
    { 10, 20, 30, 40, 1, 50, 41, 51, 7, 71, 72, 11, 21, 31, 210, 220, 230 }

}  // namespace

// Text ------------------------------------------------------------------------

AcDbText::AcDbText() {
    initTags({{0, "TEXT"},
              {100, "AcDbEntity"},
              {8, "0"},
              {100, "AcDbText"},
              {10, "0.0"},
              {20, "0.0"},
              {30, "0.0"},
              {40, "0.0"},
              {1, ""},
              {100, "AcDbText"}});
}

AcDbText::AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style,
                   double height, double rotation)
    : AcDbText() {
    setPosition(position);
    setTextString(text);
    if (!style.isNull()) setTextStyle(style);
    setHeight(height);
    setRotation(rotation);
}

int AcDbText::secondOccurrence() const {
    return std::strcmp(secondMarker(), "AcDbText") == 0 ? 2 : 1;
}

AcGePoint3d AcDbText::position() const {
    return pointValue(10, {}, "AcDbText");
}
Acad::ErrorStatus AcDbText::setPosition(const AcGePoint3d& p) {
    return setPoint(10, p, TEXT_ORDER, "AcDbText");
}
AcGePoint3d AcDbText::alignmentPoint() const {
    return pointValue(11, isDefaultAlignment() ? position() : AcGePoint3d(), "AcDbText");
}
Acad::ErrorStatus AcDbText::setAlignmentPoint(const AcGePoint3d& p) {
    return setPoint(11, p, TEXT_ORDER, "AcDbText");
}
bool AcDbText::isDefaultAlignment() const {
    return horizontalMode() == AcDb::kTextLeft && verticalMode() == AcDb::kTextBase;
}
double AcDbText::height() const {
    return realValue(40, 0.0, "AcDbText");
}
Acad::ErrorStatus AcDbText::setHeight(double h) {
    if (h < 0) return Acad::eInvalidInput;
    return setReal(40, h, TEXT_ORDER, "AcDbText");
}
double AcDbText::rotation() const {
    return realValue(50, 0.0, "AcDbText") * kDeg;
}
Acad::ErrorStatus AcDbText::setRotation(double radians) {
    return setReal(50, radians / kDeg, TEXT_ORDER, "AcDbText");
}
double AcDbText::widthFactor() const {
    return realValue(41, 1.0, "AcDbText");
}
Acad::ErrorStatus AcDbText::setWidthFactor(double f) {
    if (f <= 0) return Acad::eInvalidInput;
    return setReal(41, f, TEXT_ORDER, "AcDbText");
}
double AcDbText::oblique() const {
    return realValue(51, 0.0, "AcDbText") * kDeg;
}
Acad::ErrorStatus AcDbText::setOblique(double radians) {
    return setReal(51, radians / kDeg, TEXT_ORDER, "AcDbText");
}
AcDb::TextHorzMode AcDbText::horizontalMode() const {
    long long m = intValue(72, 0, "AcDbText");
    return m >= 0 && m <= 5 ? static_cast<AcDb::TextHorzMode>(m) : AcDb::kTextLeft;
}
Acad::ErrorStatus AcDbText::setHorizontalMode(AcDb::TextHorzMode mode) {
    if (mode < 0 || mode > 5) return Acad::eInvalidInput;
    return setInt(72, mode, TEXT_ORDER, "AcDbText");
}
AcDb::TextVertMode AcDbText::verticalMode() const {
    int code = std::strcmp(secondMarker(), "AcDbText") == 0 ? 73 : 74;
    long long m = intValue(code, 0, secondMarker(), secondOccurrence());
    return m >= 0 && m <= 3 ? static_cast<AcDb::TextVertMode>(m) : AcDb::kTextBase;
}
Acad::ErrorStatus AcDbText::setVerticalMode(AcDb::TextVertMode mode) {
    if (mode < 0 || mode > 3) return Acad::eInvalidInput;
    int code = std::strcmp(secondMarker(), "AcDbText") == 0 ? 73 : 74;
    return setInt(code, mode, {280, 2, 70, 73, 74, 11, 21, 31}, secondMarker(), secondOccurrence());
}
ACHAR* AcDbText::textString() const {
    return copyOf(stringValue(1, "AcDbText"));
}
const ACHAR* AcDbText::textStringConst() const {
    scratch_ = stringValue(1, "AcDbText");
    return scratch_.c_str();
}
Acad::ErrorStatus AcDbText::setTextString(const ACHAR* text) {
    return setString(1, text ? text : L"", TEXT_ORDER, "AcDbText");
}
AcDbObjectId AcDbText::textStyle() const {
    return styleByName(database(), stringValue(7, "AcDbText"));
}
Acad::ErrorStatus AcDbText::setTextStyle(AcDbObjectId style) {
    std::wstring name = recordName(style);
    if (name.empty()) return Acad::eInvalidInput;
    return setString(7, name, TEXT_ORDER, "AcDbText");
}

Acad::ErrorStatus AcDbText::adjustAlignment(const AcDbDatabase*) {
    if (Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk) return es;
    int h = horizontalMode(), v = verticalMode();
    if (h == AcDb::kTextLeft && v == AcDb::kTextBase) return Acad::eOk;
    std::wstring text = stringValue(1, "AcDbText");
    if (h == AcDb::kTextAlign || h == AcDb::kTextFit) {
        AcGePoint3d p1 = position(), p2 = pointValue(11, p1, "AcDbText");
        double length = p1.distanceTo(p2);
        double advance = cadhost::geom::textAdvance(text);
        if (length <= 0 || advance <= 0) return Acad::eOk;
        setRotation(std::atan2(p2.y - p1.y, p2.x - p1.x));
        if (h == AcDb::kTextAlign)
            setHeight(length / (advance * widthFactor()));
        else if (height() > 0)
            setWidthFactor(length / (advance * height()));
        return Acad::eOk;
    }
    AcGeVector3d off = cadhost::geom::alignmentOffset(text, height(), widthFactor(), h, v);
    return setPosition(alignmentPoint() - cadhost::geom::rotated(off, rotation()));
}

Acad::ErrorStatus AcDbText::getGeomExtents(AcDbExtents& extents) const {
    std::wstring text = stringValue(1, "AcDbText");
    if (text.empty()) return Acad::eNotApplicable;
    cadhost::geom::Box box = cadhost::geom::textBox(text, height(), widthFactor());
    AcGePoint3d min, max;
    cadhost::geom::rotatedBounds(box, position(), rotation(), min, max);
    extents = AcDbExtents(min, max);
    return Acad::eOk;
}

// Attribute -------------------------------------------------------------------

AcDbAttribute::AcDbAttribute() {
    initTags({{0, "ATTRIB"},
              {100, "AcDbEntity"},
              {8, "0"},
              {100, "AcDbText"},
              {10, "0.0"},
              {20, "0.0"},
              {30, "0.0"},
              {40, "0.0"},
              {1, ""},
              {100, "AcDbAttribute"},
              {2, ""},
              {70, "0"}});
}
ACHAR* AcDbAttribute::tag() const {
    return copyOf(stringValue(2, "AcDbAttribute"));
}
const ACHAR* AcDbAttribute::tagConst() const {
    scratch_ = stringValue(2, "AcDbAttribute");
    return scratch_.c_str();
}
Acad::ErrorStatus AcDbAttribute::setTag(const ACHAR* tag) {
    return setString(2, tag ? tag : L"", {280, 2, 70}, "AcDbAttribute");
}
bool AcDbAttribute::isInvisible() const {
    return (intValue(70, 0, "AcDbAttribute") & 1) != 0;
}

// Block reference ---------------------------------------------------------------

std::wstring AcDbBlockReference::blockName() const {
    return stringValue(2, "AcDbBlockReference");
}
AcDbObjectId AcDbBlockReference::blockTableRecord() const {
    if (database() == nullptr) return {};
    cadhost::db::Store& st = database()->store_();
    return AcDbObjectId(st.tableEntry(st.blockTableName(), blockName()));
}
AcGePoint3d AcDbBlockReference::position() const {
    return pointValue(10, {}, "AcDbBlockReference");
}
double AcDbBlockReference::rotation() const {
    return realValue(50, 0.0, "AcDbBlockReference") * kDeg;
}
AcDbObjectIterator* AcDbBlockReference::attributeIterator() const {
    std::vector<AcDbObjectId> ids;
    if (stub_() != nullptr)
        for (AcDbObjectId id : database()->store_().childrenOf(stub_()))
            if (id.stub()->type == "ATTRIB") ids.push_back(id);
    return new AcDbObjectIterator(std::move(ids));
}
// The insertion point and the visible attributes: a pick on an attribute's
// text takes its block reference.
Acad::ErrorStatus AcDbBlockReference::getGeomExtents(AcDbExtents& extents) const {
    extents = AcDbExtents();
    extents.addPoint(position());
    std::unique_ptr<AcDbObjectIterator> it(attributeIterator());
    for (; !it->done(); it->step()) {
        AcDbAttribute* attribute = nullptr;
        if (acdbOpenObject(attribute, it->objectId(), AcDb::kForRead) != Acad::eOk) continue;
        AcDbExtents box;
        if (!attribute->isInvisible() && attribute->getGeomExtents(box) == Acad::eOk &&
            !box.isEmpty())
            extents.addExt(box);
        attribute->close();
    }
    return Acad::eOk;
}

// MText -----------------------------------------------------------------------

#define MTEXT_ORDER \
    { 10, 20, 30, 40, 41, 46, 71, 72, 3, 1, 7, 210, 220, 230, 11, 21, 31, 42, 43, 50, 73, 44 }

AcDbMText::AcDbMText() {
    initTags({{0, "MTEXT"},
              {100, "AcDbEntity"},
              {8, "0"},
              {100, "AcDbMText"},
              {10, "0.0"},
              {20, "0.0"},
              {30, "0.0"},
              {40, "0.0"},
              {71, "1"},
              {1, ""}});
}
AcGePoint3d AcDbMText::location() const {
    return pointValue(10, {}, "AcDbMText");
}
Acad::ErrorStatus AcDbMText::setLocation(const AcGePoint3d& p) {
    return setPoint(10, p, MTEXT_ORDER, "AcDbMText");
}
double AcDbMText::textHeight() const {
    return realValue(40, 0.0, "AcDbMText");
}
Acad::ErrorStatus AcDbMText::setTextHeight(double h) {
    if (h <= 0) return Acad::eInvalidInput;
    return setReal(40, h, MTEXT_ORDER, "AcDbMText");
}
double AcDbMText::width() const {
    return realValue(41, 0.0, "AcDbMText");
}
Acad::ErrorStatus AcDbMText::setWidth(double w) {
    if (w < 0) return Acad::eInvalidInput;
    return setReal(41, w, MTEXT_ORDER, "AcDbMText");
}
double AcDbMText::rotation() const {
    if (find(11, "AcDbMText") != std::string::npos) {
        AcGePoint3d d = pointValue(11, {1, 0, 0}, "AcDbMText");
        return std::atan2(d.y, d.x);
    }
    return realValue(50, 0.0, "AcDbMText") * kDeg;
}
Acad::ErrorStatus AcDbMText::setRotation(double radians) {
    if (Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk) return es;
    if (find(11, "AcDbMText") != std::string::npos)
        return setPoint(11, {std::cos(radians), std::sin(radians), 0}, MTEXT_ORDER, "AcDbMText");
    return setReal(50, radians / kDeg, MTEXT_ORDER, "AcDbMText");
}
AcDbMText::AttachmentPoint AcDbMText::attachment() const {
    long long a = intValue(71, 1, "AcDbMText");
    return a >= 1 && a <= 9 ? static_cast<AttachmentPoint>(a) : kTopLeft;
}
Acad::ErrorStatus AcDbMText::setAttachment(AttachmentPoint a) {
    if (a < 1 || a > 9) return Acad::eInvalidInput;
    return setInt(71, a, MTEXT_ORDER, "AcDbMText");
}
double AcDbMText::lineSpacingFactor() const {
    return realValue(44, 1.0, "AcDbMText");
}
Acad::ErrorStatus AcDbMText::setLineSpacingFactor(double f) {
    if (f < 0.25 || f > 4.0) return Acad::eInvalidInput;
    return setReal(44, f, MTEXT_ORDER, "AcDbMText");
}
ACHAR* AcDbMText::contents() const {
    return copyOf(std::wstring(contentsConst()));
}
const ACHAR* AcDbMText::contentsConst() const {
    std::string raw;
    Segment seg = segment("AcDbMText");
    for (std::size_t i = seg.begin; i < seg.end; ++i)
        if (tags_[i].code == 3) raw += tags_[i].value;
    raw += value(1, "AcDbMText");
    scratch_ = decode(raw);
    return scratch_.c_str();
}
Acad::ErrorStatus AcDbMText::setContents(const ACHAR* text) {
    if (Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk) return es;
    std::wstring old = contentsConst();
    std::wstring now = text ? text : L"";
    if (old == now) return Acad::eOk;
    std::string raw = encode(now);
    // The file holds at most 250 bytes a group: leading pieces go to group 3.
    std::vector<std::string> pieces;
    while (raw.size() > 250) {
        std::size_t cut = 250;
        while (cut > 0 && (static_cast<unsigned char>(raw[cut]) & 0xC0) == 0x80) --cut;
        pieces.push_back(raw.substr(0, cut));
        raw.erase(0, cut);
    }
    while (find(3, "AcDbMText") != std::string::npos) removeGroup(3, "AcDbMText");
    if (Acad::ErrorStatus es = setValue(1, raw, MTEXT_ORDER, "AcDbMText"); es != Acad::eOk)
        return es;
    std::size_t at = find(1, "AcDbMText");
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it)
        tags_.insert(tags_.begin() + static_cast<std::ptrdiff_t>(at), Tag{3, *it});
    return Acad::eOk;
}
AcDbObjectId AcDbMText::textStyle() const {
    return styleByName(database(), stringValue(7, "AcDbMText"));
}
Acad::ErrorStatus AcDbMText::setTextStyle(AcDbObjectId style) {
    std::wstring name = recordName(style);
    if (name.empty()) return Acad::eInvalidInput;
    return setString(7, name, MTEXT_ORDER, "AcDbMText");
}
Acad::ErrorStatus AcDbMText::getGeomExtents(AcDbExtents& extents) const {
    cadhost::geom::Box box = cadhost::geom::mtextBox(contentsConst(), textHeight(),
                                                     lineSpacingFactor(), attachment(), width());
    if (box.right - box.left <= 0) return Acad::eNotApplicable;
    AcGePoint3d min, max;
    cadhost::geom::rotatedBounds(box, location(), rotation(), min, max);
    extents = AcDbExtents(min, max);
    return Acad::eOk;
}

// Dimension -------------------------------------------------------------------

#define DIM_ORDER \
    { 2, 10, 20, 30, 11, 21, 31, 70, 71, 72, 41, 42, 1, 53, 51, 210, 220, 230, 3 }

ACHAR* AcDbDimension::dimensionText() const {
    return copyOf(stringValue(1, "AcDbDimension"));
}
const ACHAR* AcDbDimension::dimensionTextConst() const {
    scratch_ = stringValue(1, "AcDbDimension");
    return scratch_.c_str();
}
Acad::ErrorStatus AcDbDimension::setDimensionText(const ACHAR* text) {
    return setString(1, text ? text : L"", DIM_ORDER, "AcDbDimension");
}
AcDbObjectId AcDbDimension::dimensionStyle() const {
    if (database() == nullptr) return {};
    std::wstring name = stringValue(3, "AcDbDimension");
    return AcDbObjectId(
        database()->store_().tableEntry("DIMSTYLE", name.empty() ? L"Standard" : name));
}
AcDbObjectId AcDbDimension::textStyle() const {
    if (database() == nullptr) return {};
    cadhost::db::Store& st = database()->store_();
    // A per-dimension override of DIMTXSTY (340) in the ACAD extended data.
    for (std::size_t i = 0; i + 1 < tags_.size(); ++i)
        if (tags_[i].code == 1070 && tags_[i].value.find("340") != std::string::npos &&
            tags_[i + 1].code == 1005) {
            std::uint64_t h = parseHandle(tags_[i + 1].value);
            if (AcDbStub* s = st.byHandle(h); s != nullptr) return AcDbObjectId(s);
        }
    AcDbObjectId dimstyle = dimensionStyle();
    if (!dimstyle.isNull()) {
        AcDbDimStyleTableRecord* rec = nullptr;
        if (acdbOpenObject(rec, dimstyle, AcDb::kForRead) == Acad::eOk) {
            AcDbObjectId style = rec->dimtxsty();
            rec->close();
            if (!style.isNull()) return style;
        }
    }
    return AcDbObjectId(st.tableEntry("STYLE", L"Standard"));
}
AcDbMText::AttachmentPoint AcDbDimension::textAttachment() const {
    long long a = intValue(71, 5, "AcDbDimension");
    return a >= 1 && a <= 9 ? static_cast<AcDbMText::AttachmentPoint>(a) : AcDbMText::kMiddleCenter;
}
Acad::ErrorStatus AcDbDimension::setTextAttachment(AcDbMText::AttachmentPoint a) {
    if (a < 1 || a > 9) return Acad::eInvalidInput;
    return setInt(71, a, DIM_ORDER, "AcDbDimension");
}
double AcDbDimension::textLineSpacingFactor() const {
    return realValue(41, 1.0, "AcDbDimension");
}
Acad::ErrorStatus AcDbDimension::setTextLineSpacingFactor(double f) {
    if (f < 0.25 || f > 4.0) return Acad::eInvalidInput;
    return setReal(41, f, DIM_ORDER, "AcDbDimension");
}
double AcDbDimension::textRotation() const {
    return realValue(53, 0.0, "AcDbDimension") * kDeg;
}
Acad::ErrorStatus AcDbDimension::setTextRotation(double radians) {
    return setReal(53, radians / kDeg, DIM_ORDER, "AcDbDimension");
}
AcGePoint3d AcDbDimension::textPosition() const {
    return pointValue(11, {}, "AcDbDimension");
}
Acad::ErrorStatus AcDbDimension::getGeomExtents(AcDbExtents& extents) const {
    extents = AcDbExtents();
    for (int code : {10, 11, 13, 14, 15, 16}) {
        std::size_t i = find(code);
        if (i != std::string::npos) extents.addPoint(pointValue(code, {}));
    }
    return extents.isEmpty() ? Acad::eNotApplicable : Acad::eOk;
}

// Leader ----------------------------------------------------------------------

AcDbObjectId AcDbLeader::annotationObjId() const {
    if (database() == nullptr) return {};
    std::string_view v = value(340, "AcDbLeader");
    if (v.empty()) return {};
    std::uint64_t h = parseHandle(v);
    return AcDbObjectId(database()->store_().byHandle(h));
}
int AcDbLeader::numVertices() const {
    Segment seg = segment("AcDbLeader");
    int n = 0;
    for (std::size_t i = seg.begin; i < seg.end; ++i) n += tags_[i].code == 10;
    return n;
}
AcGePoint3d AcDbLeader::vertexAt(int index) const {
    Segment seg = segment("AcDbLeader");
    int n = -1;
    AcGePoint3d p;
    for (std::size_t i = seg.begin; i < seg.end; ++i) {
        int c = tags_[i].code;
        if (c == 10) ++n;
        if (n != index) continue;
        double v = std::strtod(tags_[i].value.c_str(), nullptr);
        if (c == 10) p.x = v;
        if (c == 20) p.y = v;
        if (c == 30) p.z = v;
    }
    return p;
}
Acad::ErrorStatus AcDbLeader::setVertexAt(int index, const AcGePoint3d& p) {
    if (Acad::ErrorStatus es = assertWriteEnabled(); es != Acad::eOk) return es;
    Segment seg = segment("AcDbLeader");
    int n = -1;
    bool found = false;
    for (std::size_t i = seg.begin; i < seg.end; ++i) {
        const int c = tags_[i].code;
        if (c == 10) ++n;
        if (n != index || (c != 10 && c != 20 && c != 30)) continue;
        found = true;
        if (Acad::ErrorStatus es = setRealAt(i, c == 10   ? p.x
                                                : c == 20 ? p.y
                                                          : p.z);
            es != Acad::eOk)
            return es;
    }
    return found ? Acad::eOk : Acad::eInvalidIndex;
}
bool AcDbLeader::hasHookLine() const {
    return intValue(75, 0, "AcDbLeader") != 0;
}
Acad::ErrorStatus AcDbLeader::getGeomExtents(AcDbExtents& extents) const {
    extents = AcDbExtents();
    for (int i = 0; i < numVertices(); ++i) extents.addPoint(vertexAt(i));
    return extents.isEmpty() ? Acad::eNotApplicable : Acad::eOk;
}

// Line ------------------------------------------------------------------------

AcDbLine::AcDbLine() {
    initTags({{0, "LINE"},
              {100, "AcDbEntity"},
              {8, "0"},
              {100, "AcDbLine"},
              {10, "0.0"},
              {20, "0.0"},
              {30, "0.0"},
              {11, "0.0"},
              {21, "0.0"},
              {31, "0.0"}});
}
AcDbLine::AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end) : AcDbLine() {
    setStartPoint(start);
    setEndPoint(end);
}
AcGePoint3d AcDbLine::startPoint() const {
    return pointValue(10, {}, "AcDbLine");
}
Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& p) {
    return setPoint(10, p, {39, 10, 20, 30, 11, 21, 31}, "AcDbLine");
}
AcGePoint3d AcDbLine::endPoint() const {
    return pointValue(11, {}, "AcDbLine");
}
Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& p) {
    return setPoint(11, p, {39, 10, 20, 30, 11, 21, 31}, "AcDbLine");
}
Acad::ErrorStatus AcDbLine::getGeomExtents(AcDbExtents& extents) const {
    extents = AcDbExtents();
    extents.addPoint(startPoint());
    extents.addPoint(endPoint());
    return Acad::eOk;
}
