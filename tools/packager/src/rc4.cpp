// RC4: the key schedule over a 256-byte state, then one key-stream byte per data byte.
#include "rc4.h"

#include <cstdint>
#include <utility>

void Rc4Apply(std::string_view key, std::string& bytes) {
  uint8_t state[256];
  for (int i = 0; i < 256; ++i) state[i] = static_cast<uint8_t>(i);
  uint8_t j = 0;
  for (int i = 0; i < 256; ++i) {
    j = static_cast<uint8_t>(j + state[i] + static_cast<uint8_t>(key[i % key.size()]));
    std::swap(state[i], state[j]);
  }
  uint8_t i = 0;
  j = 0;
  for (char& byte : bytes) {
    i = static_cast<uint8_t>(i + 1);
    j = static_cast<uint8_t>(j + state[i]);
    std::swap(state[i], state[j]);
    byte = static_cast<char>(byte ^ state[static_cast<uint8_t>(state[i] + state[j])]);
  }
}
