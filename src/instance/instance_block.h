// The block a running instance shares with later starts of the same executable: its listener
// thread, its process and its message, then the arguments a later start hands over. Other
// processes (also of other builds) read it, so its layout never changes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/text.h"

// 2092 bytes, native byte order.
struct InstanceBlock {
  uint32_t listenerThreadId;  // written by the system as the listener thread is created
  uint32_t primaryProcessId;
  uint32_t forwardMessage;  // the registered message ID
  // UTF-16 strings, each ended by a NUL unit, and one more NUL unit after the last.
  char16_t argumentArea[1040];
};

static_assert(offsetof(InstanceBlock, listenerThreadId) == 0, "block layout");
static_assert(offsetof(InstanceBlock, primaryProcessId) == 4, "block layout");
static_assert(offsetof(InstanceBlock, forwardMessage) == 8, "block layout");
static_assert(offsetof(InstanceBlock, argumentArea) == 12, "block layout");
static_assert(sizeof(InstanceBlock) == 2092, "block layout");

// The running instance's notice to a later start that its words are out of the area, so the
// next start may write there: a thread message to a thread that owns no windows, so an
// application message number (WM_APP) cannot meet another meaning there. A start of another
// build drops it as it drops every message but the reply.
constexpr uint32_t kArgumentsTakenMessage = 0x8000;

// The most bytes a packed list may take, its final NUL included: half the area, a limit every
// reader of the block relies on.
constexpr size_t kPackedArgumentsLimit = 1040;

// The name of the shared objects: the executable's path with every backslash an underscore
// (a backslash in an object name would name a namespace).
Text InstanceName(const Text& modulePath);
// The main-ready event's name.
Text MainReadyEventName(const Text& instanceName);
// The name of the mutex that lets one later start at a time use the argument area.
Text ForwardingMutexName(const Text& instanceName);

// Bytes the list takes in the area: 2 per unit and 2 per string terminator, plus the final 2.
size_t PackedArgumentsSize(const TextList& arguments);
// Zero-fills the first 1040 bytes of the area and writes the list there; false, with the block
// untouched, when it takes more than 1040 bytes.
bool PackArguments(const TextList& arguments, InstanceBlock& block);
// Appends the strings of the area to the list. The scan stops at a double NUL, so an empty
// string in the middle ends the list, and an area that starts with two NULs gives one empty
// string; it never reads the area's last unit as part of a string.
void UnpackArguments(const InstanceBlock& block, TextList& arguments);
