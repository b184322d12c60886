// The application a service runs, as the service host sees it. The launcher implements it, so
// the service host needs nothing of the launcher's own.
#pragma once

#include "core/text.h"

class ServiceApplication {
 public:
  // Appends the start words to the Java program's arguments (after the command-line words,
  // before the words the run phase adds itself), runs the run phase on the calling thread and
  // returns its result.
  virtual int Run(const TextList& startWords) = 0;
  // Asks the running Java program to stop; runs on a stop thread. False when nothing could be
  // asked (no VM, no main class) or the program refused; the stop thread only ends with it.
  virtual bool RequestStop() = 0;

 protected:
  ~ServiceApplication() = default;
};
