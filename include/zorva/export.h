/* Marks the functions of the public interface. The library is built with
   hidden visibility, so only what carries ZORVA_API is exported from the
   shared library; everything else stays internal. */
#ifndef ZORVA_EXPORT_H
#define ZORVA_EXPORT_H

#if defined(_WIN32)
#define ZORVA_API
#elif defined(__GNUC__)
#define ZORVA_API __attribute__((visibility("default")))
#else
#define ZORVA_API
#endif

#endif
