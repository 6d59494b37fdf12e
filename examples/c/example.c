/* Checks, unformats and formats a few values through the C interface. */
#include <stdio.h>
#include <string.h>

#include <zorva/zorva.h>

int main(void) {
  char answer[ZORVA_MAX_ANSWER + 1];

  /* Is "(555) 123-4567" a valid phone number under the mask? */
  int valid = zorva_is_valid(ZORVA_TEXT, "(###) ###-####", ZORVA_NTS, "(555) 123-4567", ZORVA_NTS);
  printf("valid: %d\n", valid);

  /* The raw value behind a formatted amount: -1234.5 */
  zorva_raw_value(ZORVA_CURRENCY, "", 0, "($1,234.50)", ZORVA_NTS, answer, sizeof answer);
  printf("raw: %s\n", answer);

  /* A raw date shown with a mask: 12/31/2001 */
  zorva_formatted_value(ZORVA_DATE, "mm/dd/yyyy", ZORVA_NTS, "2001-12-31", ZORVA_NTS, answer,
                        sizeof answer);
  printf("formatted: %s\n", answer);

  /* Like snprintf: a small buffer gets a cut answer, the return value tells
     the full length. */
  char small[4];
  int length = zorva_formatted_value(ZORVA_CURRENCY, "", 0, "-1234.5", ZORVA_NTS, small,
                                     sizeof small);
  printf("needs %d bytes plus one, got \"%s\"\n", length, small);

  /* A byte holds -127..127. */
  printf("byte 128: %d\n", zorva_is_valid(ZORVA_BYTE, "", 0, "128", ZORVA_NTS));
  printf("version: %s\n", zorva_version());
  return valid == 1 && strcmp(answer, "12/31/2001") == 0 ? 0 : 1;
}
