// Reading stored form data into a root component: creates the stored components in order, sets their
// published properties, resolves references and event bindings, then runs every component's Loaded step.
#pragma once

#include "framework/rtl/component.h"
#include "framework/rtl/form_data.h"

#include <string_view>

namespace rtl {

// root must already exist (it is the form being constructed); its class must match the stored class.
// Raises EFormDataError naming the form and the line for anything the data gets wrong; exceptions raised
// by a component's own setters (a damaged stored skin, say) pass out unchanged.
void ReadRootComponent(TComponent& root, const FormObject& data, std::string_view sourceName);

// Sets one stored property (a dotted name reaches into sub-objects).
void StoreProperty(TPersistent& target, const FormProperty& property, TReadContext& context,
                   std::string_view sourceName);

} // namespace rtl
