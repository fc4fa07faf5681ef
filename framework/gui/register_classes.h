// Makes the framework's component classes known to the stored form reader.
#pragma once

namespace gui {

void RegisterFrameworkClasses();

} // namespace gui
