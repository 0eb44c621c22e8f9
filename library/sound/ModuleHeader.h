// What the module player is not handed: files whose header it would fail on.
#pragma once

#include <cstddef>
#include <cstdint>

// The first bytes a header check needs.
constexpr size_t kModuleHeaderBytes = 80;

// False when the bytes start an IT, XM or S3M header whose initial tempo is 0: the player divides
// by it. Anything else is left to the player's own checks.
bool ModuleHeaderPlayable(const uint8_t* head, size_t size);
