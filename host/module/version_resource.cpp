// The module file's version, kept in a section of its own so that it can be
// read from the file without loading it.
#include "host/module/module_file.h"

__attribute__((used, section(".tarsil_version"))) const char kTarsilFileVersion[] =
    TARSIL_FILE_VERSION;
