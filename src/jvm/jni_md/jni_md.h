/* Machine-dependent JNI declarations for the Windows builds: the runtime's functions use
   __stdcall on 32-bit Windows (the variadic ones fall back to cdecl, as every compiler
   does), jint is a 32-bit long and jlong a 64-bit integer. */
#ifndef LAUNCHER_JNI_MD_H
#define LAUNCHER_JNI_MD_H

#define JNIEXPORT __declspec(dllexport)
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall

typedef long jint;
typedef long long jlong;
typedef signed char jbyte;

#endif
