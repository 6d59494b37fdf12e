// Interprets the registry script in the module's "REGISTRY" resource: the
// registrar syntax of HKCR keys with default values, named values ("val"),
// NoRemove (kept on removal) and ForceRemove (replaced on registering,
// removed with its subkeys on removal).
#include <cctype>
#include <cstring>
#include <string>

#include "shell/module.h"

namespace zorva::shell {
namespace {

class Script {
 public:
  Script(const char* text, std::size_t size, bool registering, std::wstring module)
      : at_(text), end_(text + size), registering_(registering), module_(std::move(module)) {}

  HRESULT Run() {
    std::wstring root = Next();
    if (root != L"HKCR" && root != L"HKEY_CLASSES_ROOT") return E_FAIL;
    if (Next() != L"{") return E_FAIL;
    while (Peek() != L"}" && ok_) Key(HKEY_CLASSES_ROOT);
    return ok_ ? result_ : E_FAIL;
  }

 private:
  // A word, a quoted text (quotes removed, '' for one quote) or one of "{}=".
  std::wstring Next() {
    while (at_ < end_ && static_cast<unsigned char>(*at_) <= ' ') ++at_;
    if (at_ >= end_) {
      ok_ = false;
      return L"";
    }
    std::string token;
    if (*at_ == '{' || *at_ == '}' || *at_ == '=') {
      // "{" followed by a GUID is a key name, not a block.
      if (*at_ == '{' && at_ + 1 < end_ && std::isxdigit(static_cast<unsigned char>(at_[1]))) {
        while (at_ < end_ && static_cast<unsigned char>(*at_) > ' ') token += *at_++;
      } else {
        token = *at_++;
      }
    } else if (*at_ == '\'') {
      for (++at_; at_ < end_; ++at_) {
        if (*at_ == '\'') {
          if (at_ + 1 < end_ && at_[1] == '\'') {
            token += *++at_;
            continue;
          }
          ++at_;
          break;
        }
        token += *at_;
      }
      return Expand(token);
    } else {
      while (at_ < end_ && static_cast<unsigned char>(*at_) > ' ' && *at_ != '=' && *at_ != '{' &&
             *at_ != '}') {
        token += *at_++;
      }
    }
    return Widen(token);
  }

  std::wstring Peek() {
    const char* saved = at_;
    std::wstring t = Next();
    at_ = saved;
    return t;
  }

  static std::wstring Widen(const std::string& s) {
    std::wstring w(s.size(), L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(),
                                static_cast<int>(w.size()));
    w.resize(n > 0 ? n : 0);
    return w;
  }

  std::wstring Expand(const std::string& s) {
    std::wstring w = Widen(s);
    for (std::size_t p; (p = w.find(L"%MODULE%")) != std::wstring::npos;) {
      w.replace(p, 8, module_);
    }
    return w;
  }

  // "= s 'text'" after a name: the text, or false when there is none.
  bool Value(std::wstring& text) {
    if (Peek() != L"=") return false;
    Next();
    if (Next() != L"s") ok_ = false;
    text = Next();
    return true;
  }

  void Fail(LONG error) {
    if (error != ERROR_SUCCESS && SUCCEEDED(result_)) result_ = HRESULT_FROM_WIN32(error);
  }

  static void SetText(HKEY key, const wchar_t* name, const std::wstring& text, LONG& error) {
    error = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }

  // One key with its value and block; parent is null when it is absent.
  void Key(HKEY parent) {
    bool noRemove = false, forceRemove = false;
    std::wstring name = Next();
    for (;; name = Next()) {
      if (name == L"NoRemove") noRemove = true;
      else if (name == L"ForceRemove") forceRemove = true;
      else break;
    }
    std::wstring text;
    const bool hasValue = Value(text);
    HKEY key = nullptr;
    if (parent && registering_) {
      if (forceRemove) RegDeleteTreeW(parent, name.c_str());
      LONG e = RegCreateKeyExW(parent, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                               nullptr);
      Fail(e);
      if (e == ERROR_SUCCESS && hasValue) {
        SetText(key, nullptr, text, e);
        Fail(e);
      }
    } else if (parent && !forceRemove) {
      if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) key = nullptr;
    }
    if (Peek() == L"{") {
      Next();
      while (ok_ && Peek() != L"}") {
        if (Peek() == L"val") {
          Next();
          std::wstring valueName = Next();
          std::wstring valueText;
          if (!Value(valueText)) ok_ = false;
          if (key && registering_) {
            LONG e;
            SetText(key, valueName.c_str(), valueText, e);
            Fail(e);
          }
        } else {
          Key(key);
        }
      }
      Next();
    }
    if (key) RegCloseKey(key);
    if (parent && !registering_ && !noRemove) {
      // ForceRemove takes the subkeys along; a plain key goes only when empty.
      if (forceRemove) RegDeleteTreeW(parent, name.c_str());
      else RegDeleteKeyW(parent, name.c_str());
    }
  }

  const char* at_;
  const char* end_;
  bool registering_;
  std::wstring module_;
  bool ok_ = true;
  HRESULT result_ = S_OK;
};

}  // namespace

HRESULT RunRegistryScript(bool registering, const wchar_t* modulePath) noexcept {
  HRSRC found = FindResourceW(ModuleInstance(), MAKEINTRESOURCEW(200), L"REGISTRY");
  if (!found) return HRESULT_FROM_WIN32(GetLastError());
  HGLOBAL loaded = LoadResource(ModuleInstance(), found);
  const char* text = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (!text) return E_FAIL;
  try {
    return Script(text, SizeofResource(ModuleInstance(), found), registering, modulePath).Run();
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace zorva::shell
