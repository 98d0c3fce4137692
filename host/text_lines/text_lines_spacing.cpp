// Even spacing of the lines and a new line distance.
#include <cmath>

#include "host/layer/entity_host.h"
#include "host/text_lines/messages.h"
#include "host/text_lines/text_entity_access.h"
#include "host/text_lines/text_lines.h"

namespace tarsil {
namespace {

// Where the record's text is anchored now, read from the drawing.
bool ReadAnchor(const CTextProperties& record, AcGePoint3d& anchor) {
    if (record.objectId.isNull()) {
        anchor = record.position;
        return true;
    }
    CTextProperties read = record;
    std::wstring ignored;
    if (!ReadTextRecord(read, ignored)) {
        layer::Alert(kCannotReadObject);
        return false;
    }
    anchor = read.position;
    return true;
}

}  // namespace

double TextLines::EqualizeSpacing() {
    const int n = LinesInUse();
    if (n < 2 || !sortLine_) return 0.0;
    AcGePoint3d first, last;
    if (!ReadAnchor(records_.front(), first)) return 0.0;
    if (!ReadAnchor(records_[static_cast<std::size_t>(n - 1)], last)) return 0.0;
    const AcGePoint3d p0 = sortLine_->Project(first);
    const double d = p0.distanceTo(sortLine_->Project(last)) / (n - 1);
    const double a0 = records_.front().rotation;
    for (int k = 1; k < n - 1; ++k) {
        CTextProperties& record = records_[static_cast<std::size_t>(k)];
        const double shift = k * d - p0.distanceTo(sortLine_->Project(record.position));
        if (!MoveRecord(record, shift * std::sin(a0), -shift * std::cos(a0), kCannotWriteObject))
            return 0.0;
    }
    lineDistance_ = d;
    if (d != 0.0) layer::RepaintDocumentWindow();
    return d;
}

bool TextLines::SetLineDistance(double distance) {
    const int n = LinesInUse();
    if (n < 2) return false;
    const int h = n / 2;
    const double delta = distance - lineDistance_;
    const double a0 = records_.front().rotation;
    // Positive amounts move down the page of the first text, negative up.
    auto move = [&](int k, double amount) {
        return MoveRecord(records_[static_cast<std::size_t>(k)], amount * std::sin(a0),
                          -amount * std::cos(a0), kCannotWriteText);
    };
    bool ok = move(h - 1, -delta / 2) && move(h, delta / 2);
    for (int k = h - 2; ok && k >= 0; --k) ok = move(k, -(h - 1 - k + 0.5) * delta);
    for (int k = h + 1; ok && k < n; ++k) ok = move(k, (k - h + 0.5) * delta);
    lineDistance_ = distance;
    layer::RepaintDocumentWindow();
    return ok;
}

}  // namespace tarsil
