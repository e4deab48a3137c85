#pragma once
// Marks the library's interface: what libcurvist.so exports. The library is compiled with
// every other symbol hidden, so that a program reaches only what the public headers
// declare, and the library's insides can change without breaking it.

#define CURVIST_EXPORT __attribute__((visibility("default")))
