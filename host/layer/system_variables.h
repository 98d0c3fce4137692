#pragma once

struct resbuf;

namespace tarsil::host {

// The host's system variables by name, in the host's result buffers; the
// host's result code (5100 on success).
int GetSystemVariable(const wchar_t* name, resbuf* value);
int SetSystemVariable(const wchar_t* name, const resbuf* value);

// Where GetSystemVariable reads; the host unless replaced, so that a read
// the host refuses can be tried.  Null puts the host back.  Gives the
// previous reader.
using SystemVariableReader = int (*)(const wchar_t* name, resbuf* value);
SystemVariableReader SetSystemVariableReader(SystemVariableReader reader);

}  // namespace tarsil::host
