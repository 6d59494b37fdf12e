// The component's fixed identifiers, written only here: the code, the
// registry script (the build reads these lines) and the type-library
// generator all take them from this file.
#pragma once

#define ZORVA_CLSID_TEXT "E35AFC01-9DF7-495A-9CDF-3AAAFCCBE8FA"
#define ZORVA_IID_TEXT "05949AB7-C4CA-471E-90A8-B255A1FE9F4C"
#define ZORVA_LIBID_TEXT "25F2D1B8-A24F-4CEB-88B6-D458F6E999CA"
#define ZORVA_APPID_TEXT "675EF2F5-0AE7-4655-93EE-CD820D96FC87"

#ifdef __cplusplus
#include <guiddef.h>

namespace zorva::ids {

constexpr unsigned HexDigit(char c) {
  return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}
constexpr unsigned long HexAt(const char* t, int at, int digits) {
  unsigned long v = 0;
  for (int i = 0; i < digits; ++i) v = v * 16 + HexDigit(t[at + i]);
  return v;
}
// "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" to its binary form.
constexpr GUID Parse(const char* t) {
  GUID g{};
  g.Data1 = HexAt(t, 0, 8);
  g.Data2 = static_cast<unsigned short>(HexAt(t, 9, 4));
  g.Data3 = static_cast<unsigned short>(HexAt(t, 14, 4));
  constexpr int at[8] = {19, 21, 24, 26, 28, 30, 32, 34};
  for (int i = 0; i < 8; ++i) g.Data4[i] = static_cast<unsigned char>(HexAt(t, at[i], 2));
  return g;
}

inline constexpr GUID kClassId = Parse(ZORVA_CLSID_TEXT);
inline constexpr GUID kInterfaceId = Parse(ZORVA_IID_TEXT);
inline constexpr GUID kLibraryId = Parse(ZORVA_LIBID_TEXT);
inline constexpr GUID kAppId = Parse(ZORVA_APPID_TEXT);

}  // namespace zorva::ids
#endif
