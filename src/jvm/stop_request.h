// Asking the running Java program to stop, from a launcher thread other than the VM thread:
// the main class's static stop(), or System.exit(0) when it has none.
#pragma once

#include "core/text.h"
#include "jvm/java_runtime.h"

// Attaches the calling thread to `vm` (null: no VM, nothing happens), finds the main class
// (slash form) and calls its static "stop" "()V"; without one, the lookup's NoSuchMethodError is
// printed and System.exit(0) is called instead. True when stop ran without throwing or
// System.exit was called; false otherwise, with any exception printed. The thread is detached
// again unless it `staysAttached` (runtimes that admit IBM's VMs).
bool RequestJavaStop(JavaVM* vm, const Text& mainClassName, bool staysAttached);
