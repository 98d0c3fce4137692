// The MText editor's work on the drawing, apart from its window: one MText,
// existing or new, loaded as editor text (one line per paragraph, logical
// order), written again on every change inside one host undo group, with
// its height, line spacing, rotation, attachment and style, and a leader
// that annotates it kept attached.  OK ends the group; Cancel ends it and
// takes it back.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "cadhost/db/acdb_all.h"
#include "fonts/font_type.h"
#include "hebrew/mtext/coded_line.h"
#include "host/layer/editor_host.h"

namespace tarsil {

inline constexpr wchar_t kCannotReadMessage[] = L"Can not open object for read!";
inline constexpr wchar_t kCannotWriteMTextMessage[] = L"Cannot open MText for writing!";
inline constexpr wchar_t kHeightRefusedMessage[] = L"Input not correct.\nOnly number allowed.";
inline constexpr wchar_t kLineSpacingRefusedMessage[] =
    L"Input not correct.\nOnly a value between 0.25 and 4.00 allowed.";

// The attachment points as the editors' lists name them; index = attachment - 1.
inline constexpr const wchar_t* kAttachmentNames[9] = {
    L"TopLeft",     L"TopCenter",  L"TopRight",     L"MiddleLeft", L"MiddleCenter",
    L"MiddleRight", L"BottomLeft", L"BottomCenter", L"BottomRight"};

// What a property change did.
enum class ValueChange { Written, Unchanged, Refused };

class MTextSession {
  public:
    // A null id edits a new MText placed at insertion.  "CMDECHO" is 0
    // while the session lives.
    MTextSession(AcDbObjectId id, const AcGePoint3d& insertion);

    // Reads an existing MText, its leader and its further columns; a new
    // one gets the defaults.  False (after the alert) when it can't be read.
    bool Load();
    // Opens the undo group that OK and Cancel close.
    void BeginUndo();
    void Ok();
    void Cancel();

    // The loaded text, one line per paragraph.
    const std::wstring& LoadedText() const { return loadedText_; }

    // The user's text and its direction mask (one byte per character):
    // creates the MText at the first line with text, else writes it.
    void TextChanged(const std::wstring& text, std::span<const unsigned char> mask);

    ValueChange SetHeight(double height);
    ValueChange SetLineSpacing(double factor);
    ValueChange SetRotationDegrees(double degrees);
    bool SetAttachment(int attachment);
    // The font type of the new style decides the encoding; when it changes,
    // the text is written again in the new one.
    bool SetStyle(const std::wstring& name);

    bool exists() const { return exists_; }
    AcDbObjectId objectId() const { return id_; }
    AcDbObjectId leader() const { return leader_; }
    AcDbObjectId style() const { return style_; }
    FontType fontType() const { return fontType_; }
    int attachment() const { return attachment_; }
    double height() const { return height_; }
    double lineSpacing() const { return lineSpacing_; }
    double rotation() const { return rotation_; }

  private:
    void FindLeader(const AcDbExtents& box);
    bool Write(const std::wstring& contents);
    template <typename Change>
    bool WriteProperty(Change change);

    layer::QuietCommandEcho echo_;
    AcDbObjectId id_;
    bool exists_ = false;
    AcGePoint3d insertion_;
    AcDbObjectId style_;
    FontType fontType_ = FontType::Unknown;
    int attachment_ = AcDbMText::kTopRight;
    double height_ = 1.0;
    double lineSpacing_ = 1.0;
    double rotation_ = 0.0;
    AcDbObjectId leader_;
    std::vector<AcDbObjectId> columns_;
    std::wstring loadedText_;
    mtext::StoredRuns stored_;
    // The last text the user gave, for a rewrite in another encoding.
    std::wstring text_;
    std::vector<unsigned char> mask_;
};

}  // namespace tarsil
