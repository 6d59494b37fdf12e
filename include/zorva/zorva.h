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

/* Editing as you type. An editor holds one field while a user edits it:
   the text shown, the selection and what each placeholder of a character
   mask holds. Texts are UTF-8; positions (caret, selection) count
   characters. Under a character mask every placeholder shows the prompt
   until it is filled, literals stay in place and the caret steps over them,
   a character a placeholder does not take is refused, and deleting clears
   placeholders without moving anything. A number is typed between what
   its mask shows around it ("$", parentheses), its digits regrouped as
   they come, with the decimals the mask allows and none forced. A date or
   time fills its parts digit by digit, the separators after a complete
   part passed by themselves, month names and AM/PM completed from their
   first letters; a boolean shows the text its first letters decide.
   Committing (leaving the field) shows a valid value as the formatted
   value of its raw value, exactly as zorva_formatted_value() renders it,
   and any other without prompts. Every type but the binary kinds can be
   edited. An editor is used by one thread at a time; its operations
   allocate nothing. */
typedef struct zorva_editor zorva_editor;

/* A new, empty editor for the type and mask; prompt is one character (a
   null or empty one means "_"). NULL for a binary kind, a character mask
   that shows more than 254 characters (the most a text's answers hold), a
   number mask that shows no digit, a date or time mask with no part to
   type into, longer than 63 characters or whose parts cannot be typed as
   they are checked (a time field twice, an AM/PM run without two texts), a
   date-time mask without a blank between its halves (an empty one: there
   is no default), a boolean text longer than an answer, a prompt that is
   not one character of the code page (a control character included), a
   null pointer with a non-zero length, or when memory runs out. */
ZORVA_API zorva_editor* zorva_editor_new(int value_type, const char* mask, size_t mask_length,
                                         const char* prompt, size_t prompt_length);
ZORVA_API void zorva_editor_free(zorva_editor* editor);

/* Typing and pasting: the text replaces the selection; a formatted text and
   raw characters both land where they belong. 1 when some of it was taken,
   0 when none was (nothing changes), -1 on the errors above. Only the first
   1020 characters of a text are read. */
ZORVA_API int zorva_editor_insert(zorva_editor* editor, const char* text, size_t length);
/* Backspace and Delete: 1 when something was cleared or the caret moved, 0
   when there was nothing to delete, -1 for a null editor. */
ZORVA_API int zorva_editor_delete_backward(zorva_editor* editor);
ZORVA_API int zorva_editor_delete_forward(zorva_editor* editor);
/* Selects characters start to end (end not included), clamped to the text;
   start == end places the caret. 0, or -1 for a null editor. */
ZORVA_API int zorva_editor_set_selection(zorva_editor* editor, size_t start, size_t end);
/* Shows a value (formatted or raw) in the field anew, as if pasted into an
   empty one. 1, 0 or -1 as zorva_editor_insert(). */
ZORVA_API int zorva_editor_set_text(zorva_editor* editor, const char* text, size_t length);
/* Leaving the field: 1 when the value is valid, 0 when not, -1 on error. */
ZORVA_API int zorva_editor_commit(zorva_editor* editor);

/* The text shown, like the answer functions; -1 on error. */
ZORVA_API int zorva_editor_text(const zorva_editor* editor, char* dest, size_t size);
/* The caret (the selection's start), in characters; -1 for a null editor. */
ZORVA_API int zorva_editor_caret(const zorva_editor* editor);
/* The answers for the value entered so far (the text without prompts, an
   empty placeholder inside it as "_"), or for the committed text:
   zorva_raw_value() and zorva_is_valid() of it. */
ZORVA_API int zorva_editor_raw_value(const zorva_editor* editor, char* dest, size_t size);
ZORVA_API int zorva_editor_is_valid(const zorva_editor* editor);

/* The running library's version, "major.minor.patch" (ZORVA_VERSION is the
   one compiled against). */
ZORVA_API const char* zorva_version(void);

#ifdef __cplusplus
}
#endif

#endif
