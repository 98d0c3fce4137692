#include "host/mtext_edit/mtext_columns.h"

#include <cstdlib>

namespace tarsil {
namespace {

std::string Trimmed(const std::string& s) {
    std::size_t b = s.find_first_not_of(' ');
    std::size_t e = s.find_last_not_of(" \r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

}  // namespace

std::vector<AcDbObjectId> LinkedColumns(const AcDbMText& mtext) {
    std::vector<AcDbObjectId> ids;
    AcDbDatabase* db = mtext.database();
    if (db == nullptr) return ids;
    const cadhost::dxf::Tags& tags = mtext.tags();
    bool inAcad = false, inColumns = false;
    for (const auto& tag : tags) {
        if (tag.code == 1001) {
            inAcad = Trimmed(tag.value) == "ACAD";
            continue;
        }
        if (!inAcad) continue;
        if (tag.code == 1000) {
            const std::string v = Trimmed(tag.value);
            if (v == "ACAD_MTEXT_COLUMNS_BEGIN") inColumns = true;
            if (v == "ACAD_MTEXT_COLUMNS_END") inColumns = false;
            continue;
        }
        if (inColumns && tag.code == 1005) {
            AcDbObjectId id;
            AcDbHandle handle(std::strtoull(Trimmed(tag.value).c_str(), nullptr, 16));
            if (db->getAcDbObjectId(id, false, handle) == Acad::eOk && id != mtext.objectId())
                ids.push_back(id);
        }
    }
    return ids;
}

bool AppendColumnContents(const std::vector<AcDbObjectId>& columns, std::wstring& contents) {
    for (const AcDbObjectId& id : columns) {
        AcDbMText* column = nullptr;
        if (acdbOpenObject(column, id, AcDb::kForRead) != Acad::eOk) return false;
        contents += column->contentsConst();
        column->close();
    }
    return true;
}

bool WriteColumnContents(const std::vector<AcDbObjectId>& columns,
                         const std::vector<std::wstring>& pieces) {
    bool ok = true;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        AcDbMText* column = nullptr;
        if (acdbOpenObject(column, columns[i], AcDb::kForWrite) != Acad::eOk) {
            ok = false;
            continue;
        }
        column->setContents(i + 1 < pieces.size() ? pieces[i + 1].c_str() : L"");
        column->draw();
        column->close();
    }
    return ok;
}

}  // namespace tarsil
