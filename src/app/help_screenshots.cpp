// Draws the pictures of the help document: the main window with a layout
// loaded, its Edit menu after a change, and every dialog the layer commands
// open, each page of the editors on its own, loaded with layers of the
// bundled examples; an open colour list with "Other colour…", and an editor
// beside the window whose preview shows the edit.
//
//   vorbel-help-screenshots OUTPUT-FOLDER [REPOSITORY-ROOT]
//
// Run it from the repository root (the examples name their pictures relative
// to it), preferably under a virtual X server so that the pictures do not
// depend on the desktop it runs on: resources/help/make_screenshots.sh does
// both. The pictures show the client area of each window, without the frame.
// The windows speak the user's language (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG) in the translations built beside this program:
// `resources/help/make_screenshots.sh build de` draws them in German.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QToolButton>
#include <QTreeView>
#include <QWindow>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

#include "base/translation.h"
#include "controls/color_combo_box.h"
#include "desktop/translations.h"
#include "desktop/version_info.h"
#include "ui/background_layer_dialog.h"
#include "ui/bevel_layer_dialog.h"
#include "ui/dialog_seam.h"
#include "ui/export_set_dialog.h"
#include "ui/image_layer_dialog.h"
#include "ui/layer_type_dialog.h"
#include "ui/main_window.h"
#include "ui/offset_prompt.h"
#include "ui/startup.h"
#include "ui/text_layer_dialog.h"

namespace {

using vorbel::ui::MainWindow;

// The child of `parent` of type T (with that object name, when given). The
// windows are the program's own: a missing child is a mistake of this tool.
template <typename T>
T& Child(QObject& parent, const char* name = nullptr) {
  T* child = name ? parent.findChild<T*>(QString::fromLatin1(name)) : parent.findChild<T*>();
  if (!child) {
    std::fprintf(stderr, "no %s in %s\n", name ? name : "such window", qPrintable(parent.objectName()));
    std::abort();
  }
  return *child;
}

// Shows the window, lets it lay out and paint, and returns its picture.
QImage Capture(QWidget& window) {
  window.show();
  const QDeadlineTimer deadline(2000);
  while (!deadline.hasExpired() && (window.windowHandle() == nullptr || !window.windowHandle()->isExposed())) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  // Without the alpha channel the pictures stay smaller; windows are opaque.
  return window.grab().toImage().convertToFormat(QImage::Format_RGB888);
}

bool Save(const QImage& picture, const QDir& folder, const QString& name) {
  const QString path = folder.filePath(name);
  if (!picture.save(path, "PNG", 9)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s %dx%d\n", qPrintable(name), picture.width(), picture.height());
  return true;
}

bool CaptureDialog(QDialog& dialog, const QDir& folder, const QString& name) {
  const bool saved = Save(Capture(dialog), folder, name);
  dialog.hide();
  return saved;
}

// Runs no dialog: hands it to `on_exec` (which captures it) and cancels it.
class CaptureSeam final : public vorbel::ui::DialogSeam {
 public:
  std::function<void(QDialog&)> on_exec;

  int Exec(QDialog& dialog) override {
    if (on_exec) on_exec(dialog);
    return QDialog::Rejected;
  }
  std::optional<QString> FolderName(QWidget*, const QString&, const QString&) override { return std::nullopt; }
  bool AskYesNo(QWidget*, const QString&, const QString&) override { return false; }
  vorbel::commands::SaveChangesAnswer AskSaveChanges(QWidget*, const QString&) override {
    return vorbel::commands::SaveChangesAnswer::Discard;
  }
  void ShowError(QWidget*, const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
  void Beep() override {}
};

// The window with the dialog over its lower right, as the user sees them.
QImage WindowWithDialog(QWidget& window, QDialog& dialog) {
  const QImage back = Capture(window);
  const QImage front = Capture(dialog);
  const QPoint at(back.width() - front.width() / 2, back.height() / 3);
  QImage picture(std::max(back.width(), at.x() + front.width()) + 1,
                 std::max(back.height(), at.y() + front.height()) + 1, QImage::Format_RGB888);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.drawImage(0, 0, back);
  painter.setPen(Qt::darkGray);
  painter.drawRect(QRect(at - QPoint(1, 1), front.size() + QSize(1, 1)));
  painter.drawImage(at, front);
  return picture;
}

// The Properties of the first row of `doc` whose Type is `type`.
std::string PropertiesOf(const vorbel::document::ButtonDocument& doc, const char* type) {
  for (const vorbel::document::LayerRow& row : doc.Rows()) {
    if (row.type == type) return row.Properties();
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  const vorbel::desktop::TranslationFolders translations =
      vorbel::desktop::TranslationFoldersFor(vorbel::desktop::ProgramFilePath());
  std::setlocale(LC_MESSAGES, "");
  std::setlocale(LC_CTYPE, "");
  vorbel::base::BindMessageCatalog(translations.message_catalogs);
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  vorbel::ui::InstallTranslations(QString::fromStdString(translations.qt_translations),
                                  QString::fromStdString(translations.message_catalogs));
  const QStringList args = QApplication::arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: vorbel-help-screenshots OUTPUT-FOLDER [REPOSITORY-ROOT]\n");
    return 2;
  }
  const QDir out(args.at(1));
  if (!out.exists() && !QDir().mkpath(out.path())) {
    std::fprintf(stderr, "cannot make %s\n", qPrintable(out.path()));
    return 1;
  }
  if (args.size() > 2 && !QDir::setCurrent(args.at(2))) {
    std::fprintf(stderr, "cannot change to %s\n", qPrintable(args.at(2)));
    return 1;
  }

  // The pictures show no recent files or zoom of the user's own.
  const QTemporaryDir settings;
  vorbel::ui::MainWindowOptions options;
  options.register_file_type = false;
  options.settings_file = settings.filePath(QStringLiteral("settings.conf"));
  options.arguments = {QStringLiteral("examples/gradient_caption.vrb")};
  MainWindow form(options);
  form.CreateDialogs();
  const vorbel::document::ButtonDocument& doc = form.Document();
  if (doc.RowCount() == 0) {
    std::fprintf(stderr, "examples/gradient_caption.vrb not found: run from the repository root\n");
    return 1;
  }
  bool ok = true;

  // The main window at its design size, on each page; on the Layers page the
  // caption is the current layer, so the offset controls are enabled.
  auto& pages = Child<QTabWidget>(form, "pages");
  pages.setCurrentWidget(&Child<QWidget>(form, "buttonPage"));
  ok &= Save(Capture(form), out, QStringLiteral("main_window.png"));
  pages.setCurrentWidget(&Child<QWidget>(form, "layersPage"));
  form.Document().SelectRow(doc.RowCount() - 1);
  ok &= Save(Capture(form), out, QStringLiteral("main_window_layers.png"));

  // The Edit menu after a layer was hidden, as it names the step to undo.
  form.show();
  form.ToggleVisibility();
  auto& editMenu = Child<QMenu>(form, "editMenu");
  editMenu.popup(form.mapToGlobal(QPoint(40, 20)));
  ok &= Save(Capture(editMenu), out, QStringLiteral("edit_menu.png"));
  editMenu.hide();
  form.Undo();

  // The type chooser and the value prompt as the commands open them.
  auto& chooser = Child<vorbel::ui::LayerTypeDialog>(form);
  chooser.SelectType(QStringLiteral("Text"));
  ok &= CaptureDialog(chooser, out, QStringLiteral("dlg_new.png"));
  auto& prompt = Child<vorbel::ui::OffsetPrompt>(form);
  prompt.SetValue(41);
  ok &= CaptureDialog(prompt, out, QStringLiteral("dlg_new_value.png"));

  // The background editor with a rounded, shaded face and a picture.
  auto& background = Child<vorbel::ui::BackgroundLayerDialog>(form);
  background.SetProperties(
      "Color=clTeal;Image=resources/textures/brushed_metal.jpg;Stretch=Yes;Transparent=No;Shape=RoundRect;"
      "Seed=10;EdgeDraw=Yes;Edge=clNavy;Draw3D=Yes;Highlight=clAqua;ShadowClr=clNavy;");
  const char* backgroundPages[] = {"dlg_background_settings.png", "dlg_background_image.png",
                                   "dlg_background_shape.png", "dlg_background_3d.png"};
  auto& backgroundTabs = Child<QTabWidget>(background, "pages");
  for (int page = 0; page < backgroundTabs.count(); ++page) {
    backgroundTabs.setCurrentIndex(page);
    ok &= CaptureDialog(background, out, QString::fromLatin1(backgroundPages[page]));
  }

  // The text editor with the example's gradient caption, centred.
  auto& text = Child<vorbel::ui::TextLayerDialog>(form);
  text.SetProperties(PropertiesOf(doc, "Text"));
  Child<QToolButton>(text, "alignCentre").click();
  auto& textTabs = Child<QTabWidget>(text, "pages");
  textTabs.setCurrentWidget(&Child<QWidget>(text, "textPage"));
  ok &= CaptureDialog(text, out, QStringLiteral("dlg_text.png"));
  textTabs.setCurrentWidget(&Child<QWidget>(text, "effectsPage"));
  ok &= CaptureDialog(text, out, QStringLiteral("dlg_text_effects.png"));

  auto& bevel = Child<vorbel::ui::BevelLayerDialog>(form);
  bevel.SetProperties(PropertiesOf(doc, "Bevel"));
  ok &= CaptureDialog(bevel, out, QStringLiteral("dlg_bevel.png"));
  auto& image = Child<vorbel::ui::ImageLayerDialog>(form);
  image.SetProperties("Image=resources/textures/gold_glass.bmp;Transparent=Yes;");
  ok &= CaptureDialog(image, out, QStringLiteral("dlg_image.png"));

  // A colour list opened on a layer colour outside the standard ones, scrolled
  // to its end, where "Other colour…" follows that colour.
  background.SetProperties("Color=$00336699;Shape=None;");
  auto& backgroundCombo = Child<vorbel::controls::ColorComboBox>(background, "backgroundCombo");
  backgroundTabs.setCurrentIndex(0);
  Capture(background);
  backgroundCombo.showPopup();
  QAbstractItemView* list = backgroundCombo.view();
  list->scrollToBottom();
  QWidget& popup = *list->window();
  {
    const QImage box = Capture(background)
                           .copy(backgroundCombo.mapTo(&background, QPoint(0, 0)).x() - 4,
                                 backgroundCombo.mapTo(&background, QPoint(0, 0)).y() - 4, backgroundCombo.width() + 8,
                                 backgroundCombo.height() + 8);
    const QImage open = Capture(popup);
    QImage picture(std::max(box.width(), open.width()), box.height() + open.height(), QImage::Format_RGB888);
    picture.fill(background.palette().color(QPalette::Window));
    QPainter painter(&picture);
    painter.drawImage(0, 0, box);
    painter.drawImage(4, box.height() - 4, open);
    painter.end();
    ok &= Save(picture, out, QStringLiteral("colour_box.png"));
  }
  backgroundCombo.hidePopup();
  background.hide();

  // The text editor over the window while a caption is typed: the preview
  // already shows it.
  {
    CaptureSeam seam;
    vorbel::ui::SetDialogSeam(&seam);
    pages.setCurrentWidget(&Child<QWidget>(form, "layersPage"));
    for (int row = 0; row < doc.RowCount(); ++row) {
      if (doc.Row(row).type == "Text") form.Document().SelectRow(row);
    }
    seam.on_exec = [&](QDialog& dialog) {
      if (&dialog != &text) return;
      textTabs.setCurrentWidget(&Child<QWidget>(text, "textPage"));
      Child<QLineEdit>(text, "captionEdit").setText(QStringLiteral("SILVER"));
      ok &= Save(WindowWithDialog(form, text), out, QStringLiteral("editor_preview.png"));
      text.hide();
    };
    form.EditLayer();
    vorbel::ui::SetDialogSeam(nullptr);
  }

  // The set dialog on the navigation example, with its strip drawn.
  form.OpenLayout(QStringLiteral("examples/nav_set/navigation.vrb"));
  vorbel::ui::ExportSetDialog setDialog(form.Document(), &form);
  vorbel::ui::ExportSetChoices choices =
      vorbel::ui::ExportSetDialog::DefaultChoices(form.Document(), QStringLiteral("/home/user/site/nav"));
  choices.captions = QStringLiteral("Home\nProducts\nContact");
  setDialog.SetChoices(choices);
  ok &= CaptureDialog(setDialog, out, QStringLiteral("dlg_export_set.png"));

  // The README's picture of the window: the welcome example on the Button
  // page.
  form.OpenLayout(QStringLiteral("examples/welcome.vrb"));
  pages.setCurrentWidget(&Child<QWidget>(form, "buttonPage"));
  ok &= Save(Capture(form), out, QStringLiteral("readme_window.png"));

  return ok ? 0 : 1;
}
