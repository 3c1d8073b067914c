#include "ui/resources.h"

#include <QFile>
#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitVorbelResources() { Q_INIT_RESOURCE(vorbel); }

namespace vorbel::ui {

void InitResources() {
  static const bool done = (InitVorbelResources(), true);
  (void)done;
}

QIcon ResourceIcon(const QString& path) {
  InitResources();
  QIcon icon(path);
  if (path.endsWith(QLatin1String(".png"))) {
    const QString doubled = path.chopped(4) + QStringLiteral("@2x.png");
    if (QFile::exists(doubled)) icon.addFile(doubled);
  }
  return icon;
}

QIcon ProgramIcon() {
  InitResources();
  QIcon icon;
  for (const int size : {16, 32, 48, 64, 128, 256}) icon.addFile(QStringLiteral(":/icons/vorbel_%1.png").arg(size));
  return icon;
}

}  // namespace vorbel::ui
