#pragma once

#include <cstdint>

// Basic types of the host's database interface: wide characters, status
// codes and enumerations, named as the host's SDK names them so that module
// code reads the same against this host.

using ACHAR = wchar_t;

namespace Acad {
enum ErrorStatus : int {
    eOk = 0,
    eNotImplementedYet,
    eNotApplicable,
    eInvalidInput,
    eNullObjectId,
    eNullObjectPointer,
    eWasErased,
    eWasOpenedForRead,
    eWasOpenedForWrite,
    eWasNotOpenedForWrite,
    eNotOpenForWrite,
    eHadMultipleReaders,
    eNotThatKindOfClass,
    eKeyNotFound,
    eDuplicateKey,
    eNotInDatabase,
    eAlreadyInDb,
    eWrongDatabase,
    eFileNotFound,
    eFileAccessErr,
    eDwgNotRecognized,
    eBadDxfFile,
    eFilerError,
    eNoDatabase,
    eUndoNoGroupBegin,
    eNothingToUndo,
    eInvalidIndex,
    eOnLockedLayer,
};
}  // namespace Acad

namespace AcDb {
enum OpenMode { kForRead = 0, kForWrite = 1, kForNotify = 2 };

enum TextHorzMode {
    kTextLeft = 0,
    kTextCenter = 1,
    kTextRight = 2,
    kTextAlign = 3,
    kTextMid = 4,
    kTextFit = 5,
};

enum TextVertMode {
    kTextBase = 0,
    kTextBottom = 1,
    kTextVertMid = 2,
    kTextTop = 3,
};

// Versions of the drawing file, by their $ACADVER names.
enum AcDbDwgVersion {
    kDHL_1009 = 1009,  // R12
    kDHL_1012 = 1012,  // R13
    kDHL_1014 = 1014,  // R14
    kDHL_1015 = 1015,  // R2000
    kDHL_1018 = 1018,  // R2004
    kDHL_1021 = 1021,  // R2007
    kDHL_1024 = 1024,  // R2010
    kDHL_1027 = 1027,  // R2013
    kDHL_1032 = 1032,  // R2018
};
}  // namespace AcDb
