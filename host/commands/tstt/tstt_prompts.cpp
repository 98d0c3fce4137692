#include "host/commands/tstt/tstt_prompts.h"

#include "host/layer/entity_host.h"

namespace tarsil {

std::vector<CTextProperties> RecordsOf(const std::vector<AcDbObjectId>& texts) {
    std::vector<CTextProperties> records(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) records[i].objectId = texts[i];
    return records;
}

std::optional<CTextProperties> AskForNewText() {
    AcGePoint3d start;
    if (layer::GetPoint(nullptr, kStartPointPrompt, start) != layer::kPromptOk) return {};
    double angle = 0.0;
    const int status = layer::GetAngle(start, kRotationPrompt, angle);
    if (status == layer::kPromptCancel) return {};
    if (status != layer::kPromptOk) angle = 0.0;
    CTextProperties record;
    record.rotation = angle + layer::UcsXAngle();
    record.position = layer::UcsToWorld(start);
    return record;
}

std::optional<std::vector<CTextProperties>> AskForTextRecords() {
    layer::EntitySelection selection;
    const int status = selection.SelectMany(kSelectTextsPrompt, kRemoveTextsPrompt, L"TEXT");
    if (status == layer::kPromptOk) return RecordsOf(selection.Ids());
    // Enter without a selection asks for a new text.
    if (status != layer::kPromptError) return {};
    std::optional<CTextProperties> created = AskForNewText();
    if (!created) return {};
    return std::vector<CTextProperties>{*created};
}

}  // namespace tarsil
