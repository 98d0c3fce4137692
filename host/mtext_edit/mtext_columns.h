// MText columns of drawings R2007 to R2013: the first column is the MText
// itself, each further column an MText of its own, named by handle in the
// first one's extended data ("ACAD_MTEXT_COLUMNS_BEGIN").  The editors read
// them as one text and write each column its part back; the column data
// itself is never touched.  From R2018 on the columns are one MText.
#pragma once

#include <string>
#include <vector>

#include "cadhost/db/acdb_all.h"

namespace tarsil {

// The further columns of an MText, in order; empty when it has none.
std::vector<AcDbObjectId> LinkedColumns(const AcDbMText& mtext);

// The contents of the further columns, each appended to contents.
bool AppendColumnContents(const std::vector<AcDbObjectId>& columns, std::wstring& contents);

// Writes each further column its piece (see SplitColumns); false when one
// can't be opened for writing.
bool WriteColumnContents(const std::vector<AcDbObjectId>& columns,
                         const std::vector<std::wstring>& pieces);

}  // namespace tarsil
