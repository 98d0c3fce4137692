#pragma once

namespace tarsil {

// What the module does for each of the host's application messages.
void InitializeModule(void* app_id);
void UnloadModule();
void DrawingLoaded();
void PrepareForQuit();
// The host invokes one of the module's LISP functions (the replacements of
// the host's text commands).
void InvokeModuleFunction();

}  // namespace tarsil
