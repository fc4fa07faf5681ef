// The program's start-up and shutdown steps that surround the application object.
#pragma once

namespace app {

// Makes every component class that the stored forms name known to the form reader.
void RegisterStoredClasses();

// Module finalisation, after the application has destroyed the forms: the skin manager goes (it
// unhooks and frees what it still owns).
void FinalizeModules();

} // namespace app
