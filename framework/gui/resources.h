// Resources of the executable: stored form data.
#pragma once

#include <string>

namespace gui {

// The stored form data of a form class (resource type RCDATA, named after the class in upper case).
// Raises an exception naming the class when the resource is missing.
std::string LoadFormResource(const std::string& className);

} // namespace gui
