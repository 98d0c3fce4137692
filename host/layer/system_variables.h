#pragma once

struct resbuf;

namespace tarsil::host {

// The host's system variables by name, in the host's result buffers; the
// host's result code (5100 on success).
int GetSystemVariable(const wchar_t* name, resbuf* value);
int SetSystemVariable(const wchar_t* name, const resbuf* value);

}  // namespace tarsil::host
