// Module-wide state of the in-process server: the instance handle, the lock
// count that DllCanUnloadNow reports, and the hooks of the one object class.
#pragma once

#include "zorva/automation.h"

namespace zorva::shell {

HINSTANCE ModuleInstance() noexcept;
void LockModule() noexcept;
void UnlockModule() noexcept;

// The automation object (object.cpp): a new instance queried for iid.
HRESULT CreateMaskedEdit(REFIID iid, void** out) noexcept;
// The object class's start-up and shut-down: its type-information cache.
void StartMaskedEditClass() noexcept;
void StopMaskedEditClass(bool releaseObjects) noexcept;

// Runs the registry script of resource "REGISTRY" 200 (registrar.cpp).
HRESULT RunRegistryScript(bool registering, const wchar_t* modulePath) noexcept;

}  // namespace zorva::shell
