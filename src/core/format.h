// printf-style formatting of message texts with only %s (text) and %d (32-bit integer),
// done here so that output never depends on a C runtime's reading of %s in wide formats.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "core/text.h"

class FormatArgument {
 public:
  FormatArgument(const Text& text) : text_(&text) {}
  FormatArgument(const char16_t* text) : literal_(text) {}
  FormatArgument(int32_t number) : number_(number), isNumber_(true) {}
  FormatArgument(uint32_t number) : number_(static_cast<int32_t>(number)), isNumber_(true) {}

  void AppendAsText(Text& out) const;
  void AppendAsNumber(Text& out) const;

 private:
  const Text* text_ = nullptr;
  const char16_t* literal_ = nullptr;
  int32_t number_ = 0;
  bool isNumber_ = false;
};

// Replaces each %s and %d in order with the next argument; "%%" gives one "%". A placeholder
// without an argument left is dropped, so a short argument list can never read past its end.
Text FormatText(const Text& format, std::initializer_list<FormatArgument> arguments);
