#pragma once

// Version of the embedded host, reported by the host program and to modules.
namespace cadhost {
const char* versionString();
}
