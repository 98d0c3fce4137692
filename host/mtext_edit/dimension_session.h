// The dimension text editor's work on the drawing: one dimension's text
// override as two texts, above and below the dimension line, the measured
// value shown as a mark; written on every change inside one host undo
// group, with the text's rotation and attachment.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "cadhost/db/acdb_all.h"
#include "fonts/font_type.h"
#include "hebrew/mtext/coded_line.h"
#include "host/mtext_edit/mtext_session.h"

namespace tarsil {

inline constexpr wchar_t kCannotWriteDimTextMessage[] = L"Cannot open DimText for writing!";

class DimensionSession {
  public:
    explicit DimensionSession(AcDbObjectId id);

    // Reads the override; false (after the alert) when the dimension can't
    // be read.
    bool Load();
    void BeginUndo();
    void Ok();
    void Cancel();

    const std::wstring& LoadedUpper() const { return upper_; }
    const std::wstring& LoadedLower() const { return lower_; }

    // Both edits' texts and direction masks: the override is written.
    void TextChanged(const std::wstring& upper, std::span<const unsigned char> upperMask,
                     const std::wstring& lower, std::span<const unsigned char> lowerMask);
    // Unchanged when the rotation is the stored one (force writes anyway).
    ValueChange SetRotationDegrees(double degrees, bool force = false);
    // Sets the attachment and writes the text again.
    bool SetAttachment(int attachment);

    FontType fontType() const { return fontType_; }
    int attachment() const { return attachment_; }
    double lineSpacing() const { return lineSpacing_; }
    double rotation() const { return rotation_; }

  private:
    template <typename Change>
    bool WriteDimension(const wchar_t* failure, Change change);

    layer::QuietCommandEcho echo_;
    AcDbObjectId id_;
    FontType fontType_ = FontType::Unknown;
    int attachment_ = AcDbMText::kMiddleCenter;
    double lineSpacing_ = 1.0;
    double rotation_ = 0.0;
    std::wstring upper_, lower_;
    mtext::StoredRuns stored_;
    std::wstring lastUpper_, lastLower_;
    std::vector<unsigned char> upperMask_, lowerMask_;
};

}  // namespace tarsil
