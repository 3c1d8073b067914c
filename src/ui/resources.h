#pragma once
// The pictures and the help document compiled into the window program.

#include <QIcon>
#include <QString>

namespace vorbel::ui {

// Registers the compiled-in resources (":/toolbar/...", ":/icons/...", ...).
// Safe to call any number of times.
void InitResources();

// The compiled-in picture at `path` (":/toolbar/new.png") together with its
// double-density form ("new@2x.png") where there is one, so that tool bars
// and menus stay sharp on high-density screens.
QIcon ResourceIcon(const QString& path);

// The program's icon in every size it comes in.
QIcon ProgramIcon();

}  // namespace vorbel::ui
