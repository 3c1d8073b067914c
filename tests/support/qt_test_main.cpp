// Test entry point for widget tests: one offscreen QApplication for the whole run.

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Settings the windows keep (recent files, zoom) go to a folder of the run,
  // never to the user's own.
  const QTemporaryDir config;
  if (config.isValid()) qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
