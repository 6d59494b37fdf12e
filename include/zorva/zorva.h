/* The masked-edit value service for C and other languages.

   Three questions about one field value, given a value type, a mask and the
   value: is it valid, what raw value is behind it, how does a raw value look
   under the mask. Text is UTF-8 in and out. Answers go into the caller's
   buffer; nothing is allocated for the caller and nothing is thrown.

   Every text comes as a pointer and a length in bytes; ZORVA_NTS as the
   length means "zero-terminated". A NUL inside a counted text is part of the
   value (it is read like a character the code page lacks). A null pointer
   with length 0 (or ZORVA_NTS) is an empty text. An empty mask selects the
   type's default mask.

   The answer functions work like snprintf: they write at most size - 1 bytes
   and a terminating zero (nothing when size is 0) and return the length of
   the whole answer, so a call with size 0 tells the size needed (the return
   value plus 1). An answer that does not fit is cut at a character boundary:
   the bytes written are whole UTF-8 characters, and may be fewer than
   size - 1. No answer is longer than ZORVA_MAX_ANSWER bytes. They
   return -1 when memory for a very long argument cannot be had, or for a
   null pointer with a non-zero length. */
#ifndef ZORVA_ZORVA_H
#define ZORVA_ZORVA_H

#include <stddef.h>

#include "zorva/export.h"
#include "zorva/version.h" /* ZORVA_VERSION_MAJOR ..., written by the build */

#ifdef __cplusplus
extern "C" {
#endif

#define ZORVA_NTS ((size_t)-1)

/* 255 characters of up to 3 UTF-8 bytes each. */
#define ZORVA_MAX_ANSWER 765

/* Value types, the numbers of the automation enumeration: ZORVA_TEXT = 0,
   ZORVA_CURRENCY = 1, ... ZORVA_TIMESTAMP = 17, listed in
   zorva/value_types.def. */
enum zorva_value_type {
#define ZORVA_VALUE_TYPE(number, c_name, constant, name, description) c_name = number,
#include "zorva/value_types.def"
#undef ZORVA_VALUE_TYPE
};

/* 1 when the entered value is valid for the type and mask, 0 when not, -1
   on the errors above. */
ZORVA_API int zorva_is_valid(int value_type, const char* mask, size_t mask_length,
                             const char* value, size_t value_length);

/* The raw value behind an entered (formatted) value. */
ZORVA_API int zorva_raw_value(int value_type, const char* mask, size_t mask_length,
                              const char* value, size_t value_length, char* dest, size_t size);

/* A raw value rendered with the mask. */
ZORVA_API int zorva_formatted_value(int value_type, const char* mask, size_t mask_length,
                                    const char* value, size_t value_length, char* dest,
                                    size_t size);

/* The value type named by a short name ("currency") or a constant name
   ("tkMECurrency"), either in any case, or by its number written out ("1");
   -1 when the name is none of them. */
ZORVA_API int zorva_value_type_named(const char* name, size_t name_length);

/* The running library's version, "major.minor.patch" (ZORVA_VERSION is the
   one compiled against). */
ZORVA_API const char* zorva_version(void);

#ifdef __cplusplus
}
#endif

#endif
