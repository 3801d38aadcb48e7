#pragma once
// The published properties of the framework's own classes (components, controls, forms, fonts,
// bitmaps), declared in one place so that the classes themselves stay free of streaming code.
#include "framework/PropertyInfo.h"

// Declares them; the class registry does it the first time it is used.
void RegisterFrameworkClasses();

// Names of integer values that form files write by name.
const TIdentMap& CursorIdents();  // crDefault, crHandPoint, ...
const TIdentMap& CharsetIdents(); // DEFAULT_CHARSET, ...
