// Identifiers of the string-table messages.
#pragma once

enum MessageId : int {
  kMsgWindowsException = 202,     // "Pengecualian Windows: %s (errno = %d).\n"
  kMsgJniException = 203,         // "Pengecualian JNI: %s\nAlasan: %s.\n"
  kMsgServerRuntimeNotFound = 206,
  kMsgRuntimeNotFound = 207,
  kMsgModulePathUnavailable = 208,
  kMsgNoClassPath = 209,
  kMsgNoMainClass = 210,
  kMsgMainClassNotLoaded = 211,
  kMsgCreateJavaVmMissing = 212,
  kMsgCreateJavaVmFailed = 213,
  kMsgBrowseRuntimeFolder = 214,
  kMsgMainClassNotFound = 215,
  kMsgMainMethodNotFound = 216,
  kMsgLatestVersion = 217,
  kMsgMaximumVersion = 218,
  kMsgMinimumVersion = 219,
  kMsgRequiredVersion = 220,
  kMsgVersionBetween = 221,
  kMsgRuntimeLibraryNotLoaded = 222,
  kMsgModuleNotStarted = 224,
  kMsgReasonUnknown = 225,        // JNI_ERR; the reasons follow in the order of the JNI codes
  kMsgReasonInvalidArguments = 230,
};
