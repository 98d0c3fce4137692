#pragma once

#include <span>

#include "host/layer/command_group.h"

namespace tarsil {

inline constexpr wchar_t kCommandGroupName[] = L"KRDV_TARSIL";

// The module's commands in the order they are registered.
std::span<const host::CommandRow> CommandTable();

// Adds rows under kCommandGroupName with the module's resources current.
void RegisterCommandTable(std::span<const host::CommandRow> rows);
void RemoveCommandTable();

}  // namespace tarsil
