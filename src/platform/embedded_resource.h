// Enciphered data the executable carries in its own resources.
#pragma once

#include "core/text.h"

namespace os {

// The bytes of RCDATA resource `id` deciphered under the key bytes; empty when the executable
// carries no such resource. Bytes that cannot be deciphered (no provider, no key) come back
// as they were stored.
ByteString ReadEncipheredResource(unsigned id, const ByteString& keyBytes);

}  // namespace os
