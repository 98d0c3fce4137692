#include "host/mtext_edit/mtext_session.h"

#include <cmath>
#include <numbers>

#include "hebrew/mtext/mtext_codes.h"
#include "hebrew/mtext/mtext_contents.h"
#include "host/entity_ops/create_in_space.h"
#include "host/layer/entity_host.h"
#include "host/layer/entity_style_font.h"
#include "host/mtext_edit/mtext_columns.h"
#include "host/mtext_edit/text_styles.h"

namespace tarsil {
namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

}  // namespace

MTextSession::MTextSession(AcDbObjectId id, const AcGePoint3d& insertion)
    : id_(id), insertion_(insertion) {}

bool MTextSession::Load() {
    if (id_.isNull()) {
        style_ = layer::CurrentTextStyle();
        fontType_ = layer::StyleFontType(style_);
        const double size = layer::CurrentTextSize();
        height_ = size > 0 ? size : 1.0;
        return true;
    }
    AcDbMText* mtext = nullptr;
    if (acdbOpenObject(mtext, id_, AcDb::kForRead) != Acad::eOk) {
        layer::Alert(kCannotReadMessage);
        return false;
    }
    exists_ = true;
    style_ = mtext->textStyle();
    attachment_ = mtext->attachment();
    height_ = mtext->textHeight();
    lineSpacing_ = mtext->lineSpacingFactor();
    rotation_ = mtext->rotation();
    std::wstring contents = mtext->contentsConst();
    columns_ = LinkedColumns(*mtext);
    AcDbExtents box;
    const bool measured = mtext->getGeomExtents(box) == Acad::eOk;
    mtext->close();
    fontType_ = layer::StyleFontType(style_);
    if (!AppendColumnContents(columns_, contents)) columns_.clear();
    loadedText_ = mtext::DecodeContents(contents, fontType_, &stored_);
    text_ = loadedText_;
    // As the rich edit marks loaded text: its Hebrew letters as typed in Hebrew.
    for (wchar_t c : text_) mask_.push_back(c >= 0xE0 && c <= 0xFA ? 2 : 1);
    if (measured) FindLeader(box);
    return true;
}

// A leader that annotates this MText, looked for around it: the box grown by
// five times its height on every side.
void MTextSession::FindLeader(const AcDbExtents& box) {
    const double grow = 5 * (box.maxPoint().y - box.minPoint().y);
    const AcGePoint3d min(box.minPoint().x - grow, box.minPoint().y - grow, box.minPoint().z);
    const AcGePoint3d max(box.maxPoint().x + grow, box.maxPoint().y + grow, box.maxPoint().z);
    for (const AcDbObjectId& id : layer::SelectCrossing(min, max, L"LEADER")) {
        AcDbLeader* leader = nullptr;
        if (acdbOpenObject(leader, id, AcDb::kForRead) != Acad::eOk) continue;
        const bool ours = leader->annotationObjId() == id_;
        leader->close();
        if (ours) {
            leader_ = id;
            return;
        }
    }
}

void MTextSession::BeginUndo() {
    layer::RunUndo(L"G");
}

void MTextSession::Ok() {
    layer::RunUndo(L"E");
}

void MTextSession::Cancel() {
    layer::RunUndo(L"E");
    layer::RunUndo(L"1");
}

void MTextSession::TextChanged(const std::wstring& text, std::span<const unsigned char> mask) {
    text_ = text;
    mask_.assign(mask.begin(), mask.end());
    const std::wstring contents = mtext::EncodeContents(text, mask, fontType_, &stored_);
    if (!exists_) {
        // Line feeds alone are no text yet.
        if (text.find_first_not_of(L"\r\n") == std::wstring::npos) return;
        MTextCreation creation;
        creation.location = insertion_;
        creation.attachment = attachment_;
        creation.textStyle = style_;
        creation.textHeight = height_;
        if (CreateMTextInCurrentSpace(creation, contents)) {
            id_ = creation.objectId;
            exists_ = true;
        }
        return;
    }
    Write(contents);
}

bool MTextSession::Write(const std::wstring& contents) {
    AcDbMText* mtext = nullptr;
    if (acdbOpenObject(mtext, id_, AcDb::kForWrite) != Acad::eOk) {
        layer::Alert(kCannotWriteMTextMessage);
        return false;
    }
    if (columns_.empty()) {
        mtext->setContents(contents.c_str());
    } else {
        const std::vector<std::wstring> pieces = mtext::SplitColumns(contents, columns_.size() + 1);
        mtext->setContents(pieces.front().c_str());
    }
    mtext->draw();
    mtext->close();
    if (!columns_.empty())
        WriteColumnContents(columns_, mtext::SplitColumns(contents, columns_.size() + 1));
    layer::RepaintDocumentWindow();
    if (!leader_.isNull()) layer::UpdateEntity(leader_);
    return true;
}

template <typename Change>
bool MTextSession::WriteProperty(Change change) {
    if (!exists_) return true;
    AcDbMText* mtext = nullptr;
    if (acdbOpenObject(mtext, id_, AcDb::kForWrite) != Acad::eOk) {
        layer::Alert(kCannotWriteMTextMessage);
        return false;
    }
    change(*mtext);
    mtext->draw();
    mtext->close();
    layer::RepaintDocumentWindow();
    if (!leader_.isNull()) layer::UpdateEntity(leader_);
    return true;
}

ValueChange MTextSession::SetHeight(double height) {
    if (height == 0 || !std::isfinite(height)) return ValueChange::Refused;
    if (height == height_) return ValueChange::Unchanged;
    height_ = height;
    WriteProperty([&](AcDbMText& m) { m.setTextHeight(height); });
    return ValueChange::Written;
}

ValueChange MTextSession::SetLineSpacing(double factor) {
    if (!(factor >= 0.25 && factor <= 4.0)) return ValueChange::Refused;
    if (factor == lineSpacing_) return ValueChange::Unchanged;
    lineSpacing_ = factor;
    WriteProperty([&](AcDbMText& m) { m.setLineSpacingFactor(factor); });
    return ValueChange::Written;
}

ValueChange MTextSession::SetRotationDegrees(double degrees) {
    if (!std::isfinite(degrees)) return ValueChange::Refused;
    const double radians = degrees * kRadiansPerDegree;
    if (radians == rotation_) return ValueChange::Unchanged;
    rotation_ = radians;
    WriteProperty([&](AcDbMText& m) { m.setRotation(radians); });
    return ValueChange::Written;
}

bool MTextSession::SetAttachment(int attachment) {
    if (attachment < 1 || attachment > 9) return false;
    attachment_ = attachment;
    return WriteProperty([&](AcDbMText& m) {
        m.setAttachment(static_cast<AcDbMText::AttachmentPoint>(attachment));
    });
}

bool MTextSession::SetStyle(const std::wstring& name) {
    const AcDbObjectId style = TextStyleByName(name);
    if (style.isNull()) return false;
    style_ = style;
    const FontType before = fontType_;
    fontType_ = layer::StyleFontType(style);
    if (!WriteProperty([&](AcDbMText& m) { m.setTextStyle(style); })) return false;
    if (fontType_ != before && exists_) {
        // Runs read in the old encoding must not come back in the new one.
        stored_.Clear();
        TextChanged(std::wstring(text_), std::vector<unsigned char>(mask_));
    }
    return true;
}

}  // namespace tarsil
