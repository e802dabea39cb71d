#include "framework/dialogs/persistent_object.h"

void TPersistentObject::SaveTo(const TRegistryKeyChain&) {}

void TPersistentObject::LoadFrom(const TRegistryKeyChain&) {}
