// The three questions from C++: the UTF-8 functions, and the automation
// entry points that take and return BSTRs.
#include <zorva/automation.h>  // opt-in: the BSTR entry points
#include <zorva/masked_edit.h>

#include <iostream>
#include <string>

int main() {
  using namespace zorva;

  // UTF-8 in, std::string out.
  bool valid = IsValidUtf8(tkMEText, "(###) ###-####", "(555) 123-4567");
  std::string raw = GetRawValueUtf8(tkMECurrency, "", "($1,234.50)");
  std::string shown = GetFormattedValueUtf8(tkMETime, "h:mm AM/PM", "13:05:00");
  std::cout << "valid: " << valid << "\nraw: " << raw << "\nformatted: " << shown << "\n";

  // The automation form: BSTRs the caller frees, HRESULT results.
  BSTR mask = SysAllocString(u"mm/dd/yyyy");
  BSTR value = SysAllocString(u"12/31/2001");
  BSTR answer = nullptr;
  LONG ok = 0;
  if (IsValid(tkMEDate, mask, value, &ok) != S_OK || GetRawValue(tkMEDate, mask, value, &answer) != S_OK) {
    return 1;
  }
  std::cout << "date valid: " << (ok ? "yes" : "no") << ", raw has " << SysStringLen(answer)
            << " characters\n";  // 2001-12-31
  SysFreeString(answer);
  SysFreeString(value);
  SysFreeString(mask);
  return valid && raw == "-1234.5" && shown == "1:05 PM" ? 0 : 1;
}
