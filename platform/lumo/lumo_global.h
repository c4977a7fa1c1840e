#pragma once

#if defined(_WIN32)
#  if defined(LUMO_LIBRARY)
#    define LUMO_EXPORT __declspec(dllexport)
#  else
#    define LUMO_EXPORT __declspec(dllimport)
#  endif
#else
#  define LUMO_EXPORT __attribute__((visibility("default")))
#endif
