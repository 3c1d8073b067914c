#pragma once
// The pictures and the help document compiled into the window program.

namespace vorbel::ui {

// Registers the compiled-in resources (":/toolbar/...", ":/icons/...", ...).
// Safe to call any number of times.
void InitResources();

}  // namespace vorbel::ui
