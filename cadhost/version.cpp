#include "cadhost/version.h"

namespace cadhost {
const char* versionString() {
    return "cadhost 1.0";
}
}  // namespace cadhost
