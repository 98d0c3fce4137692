#pragma once

namespace tarsil {

// What the module does for each of the host's application messages.
void InitializeModule(void* app_id);
void UnloadModule();
void DrawingLoaded();
void PrepareForQuit();

}  // namespace tarsil
